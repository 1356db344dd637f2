// Growable float arrays in anonymous mappings, grown with mremap, their pages made present ahead
// of the writes in huge pages while huge pages come cheap.
#include "model/FloatArray.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#ifndef _WIN32
#include <sys/mman.h>
#endif
#include <utility>

namespace mouldview::model {

TFloatArray::~TFloatArray() {
    Release();
}

TFloatArray::TFloatArray(TFloatArray&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_length(std::exchange(other.m_length, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)), m_dirtyEnd(std::exchange(other.m_dirtyEnd, 0)),
      m_presentBytes(std::exchange(other.m_presentBytes, 0)),
      m_hugeAdvice(std::exchange(other.m_hugeAdvice, false)) {}

TFloatArray& TFloatArray::operator=(TFloatArray&& other) noexcept {
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_length = std::exchange(other.m_length, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_dirtyEnd = std::exchange(other.m_dirtyEnd, 0);
        m_presentBytes = std::exchange(other.m_presentBytes, 0);
        m_hugeAdvice = std::exchange(other.m_hugeAdvice, false);
    }
    return *this;
}

#ifdef _WIN32

// Windows: the array lives on the heap and grows by reallocation; memory that comes new is
// cleared at once, so it is present as soon as it exists.
void TFloatArray::Release() {
    std::free(m_data);
    m_data = nullptr;
    m_length = m_capacity = m_dirtyEnd = m_presentBytes = 0;
    m_hugeAdvice = false;
}

void TFloatArray::Reserve(std::size_t length) {
    constexpr std::size_t minimumLength = std::size_t{16} << 10;
    if (length > (std::size_t{1} << 60) / sizeof(float)) {
        throw std::bad_alloc();
    }
    const std::size_t capacity = std::max({minimumLength, length, m_capacity * 2});
    void* grown = std::realloc(m_data, capacity * sizeof(float));
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    m_data = static_cast<float*>(grown);
    std::memset(m_data + m_capacity, 0, (capacity - m_capacity) * sizeof(float));
    m_capacity = capacity;
    m_presentBytes = capacity * sizeof(float);
}

void TFloatArray::MakePresent(std::size_t /*length*/) {}

void TFloatArray::ClearRange(std::size_t begin, std::size_t end) {
    std::memset(m_data + begin, 0, (end - begin) * sizeof(float));
}

#else

namespace {

constexpr std::size_t MinimumBytes = std::size_t{64} << 10;
constexpr std::size_t PageBytes = std::size_t{4} << 10;
// The size of a huge page on x86-64; mappings of at least this size start at a multiple of it,
// so that all of them can lie in huge pages.
constexpr std::size_t HugePageBytes = std::size_t{2} << 20;
// Normal pages are made present 256 KiB or more at a time: few calls, and the pages the kernel
// has just cleared are still in the second-level cache when the reader writes them.
constexpr std::size_t NormalPagesAtOnce = std::size_t{256} << 10;

// Filling a huge page takes about a tenth of a millisecond, and 512 normal pages take up to a
// millisecond. A huge page that takes longer came from memory the machine has to find first: on
// a virtual machine whose host takes back what the guest frees, that costs several milliseconds
// per huge page, and such memory lies together, so after the first slow huge page the rest of the
// run takes normal pages.
constexpr auto SlowHugePage = std::chrono::microseconds(2000);
bool hugePagesSlow = false;
// Kernels before 5.14 cannot make pages present ahead; the writes then fault them in one by one.
bool populateUnsupported = false;

constexpr std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
    return (bytes + unit - 1) / unit * unit;
}

// A fresh mapping of bytes; one of at least a huge page starts at a multiple of the huge page size.
void* MapFresh(std::size_t bytes) {
    const std::size_t slack = bytes >= HugePageBytes ? HugePageBytes : 0;
    void* mapping =
        ::mmap(nullptr, bytes + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    if (slack == 0) {
        return mapping;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    const std::uintptr_t aligned = RoundUp(address, HugePageBytes);
    if (aligned > address) {
        ::munmap(mapping, aligned - address);
    }
    if (const std::uintptr_t end = address + bytes + slack; end > aligned + bytes) {
        ::munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
    }
    return reinterpret_cast<void*>(aligned);
}

} // namespace

void TFloatArray::Release() {
    if (m_data != nullptr) {
        ::munmap(m_data, m_capacity * sizeof(float));
    }
    m_data = nullptr;
    m_length = m_capacity = m_dirtyEnd = m_presentBytes = 0;
    m_hugeAdvice = false;
}

void TFloatArray::Reserve(std::size_t length) {
    if (length > (std::size_t{1} << 60) / sizeof(float)) {
        throw std::bad_alloc();
    }
    // Doubling keeps the number of remappings logarithmic in the final length.
    std::size_t bytes = std::max({MinimumBytes, length * sizeof(float), m_capacity * sizeof(float) * 2});
    if (bytes >= HugePageBytes) {
        bytes = RoundUp(bytes, HugePageBytes);
    }
    void* mapping = MapFresh(bytes);
    if (m_data != nullptr) {
        // The pages move into the start of the new mapping; nothing is copied.
        const std::size_t oldBytes = m_capacity * sizeof(float);
        if (::mremap(m_data, oldBytes, oldBytes, MREMAP_MAYMOVE | MREMAP_FIXED, mapping) == MAP_FAILED) {
            ::munmap(mapping, bytes);
            throw std::bad_alloc();
        }
    }
    m_data = static_cast<float*>(mapping);
    m_capacity = bytes / sizeof(float);
    // Only a hint: huge pages take far fewer page faults while a large array fills.
    m_hugeAdvice = bytes >= HugePageBytes && !hugePagesSlow;
    if (bytes >= HugePageBytes) {
        ::madvise(mapping, bytes, m_hugeAdvice ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
    }
}

void TFloatArray::MakePresent(std::size_t length) {
    const std::size_t capacityBytes = m_capacity * sizeof(float);
    const std::size_t wantedBytes = std::min(RoundUp(length * sizeof(float), PageBytes), capacityBytes);
    char* const base = reinterpret_cast<char*>(m_data);
    while (m_presentBytes < wantedBytes) {
        if (populateUnsupported) {
            m_presentBytes = capacityBytes; // the writes fault the pages in
            return;
        }
        if (m_hugeAdvice && hugePagesSlow) {
            ::madvise(base + m_presentBytes, capacityBytes - m_presentBytes, MADV_NOHUGEPAGE);
            m_hugeAdvice = false;
        }
        // Whole huge pages while they are advised, else what is wanted but at least
        // NormalPagesAtOnce, so that an array filled a little at a time does not cost a call per
        // fill; chunks never cross a huge page boundary, so that each huge page is timed on its own.
        std::size_t end = std::min(RoundUp(m_presentBytes + 1, HugePageBytes), capacityBytes);
        if (!m_hugeAdvice) {
            end = std::min(end, std::max(wantedBytes, m_presentBytes + NormalPagesAtOnce));
        }
        const auto start = std::chrono::steady_clock::now();
        if (::madvise(base + m_presentBytes, end - m_presentBytes, MADV_POPULATE_WRITE) != 0) {
            // An old kernel (EINVAL) or no memory to spare now; the writes will fault the pages in,
            // or meet the shortage themselves.
            populateUnsupported = populateUnsupported || errno == EINVAL;
            m_presentBytes = capacityBytes;
            return;
        }
        if (m_hugeAdvice && end - m_presentBytes == HugePageBytes &&
            std::chrono::steady_clock::now() - start > SlowHugePage) {
            hugePagesSlow = true;
        }
        m_presentBytes = end;
    }
}

void TFloatArray::ClearRange(std::size_t begin, std::size_t end) {
    std::memset(m_data + begin, 0, (end - begin) * sizeof(float));
}
#endif

} // namespace mouldview::model
