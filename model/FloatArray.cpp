// Growable float arrays in anonymous mappings, grown with mremap.
#include "model/FloatArray.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace mouldview::model {

namespace {

constexpr std::size_t MinimumBytes = std::size_t{64} << 10;
constexpr std::size_t HugePage = std::size_t{2} << 20;

// A fresh mapping of bytes (a multiple of the huge page size) at an address aligned to a huge
// page, so that the kernel can back all of it with huge pages: filling 100 MB then takes some
// fifty page faults instead of 25,000, and giving it back at exit costs next to nothing.
void* MapAligned(std::size_t bytes) {
    void* raw = ::mmap(nullptr, bytes + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return raw;
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (begin + HugePage - 1) & ~(HugePage - 1);
    if (aligned > begin) {
        ::munmap(raw, aligned - begin);
    }
    if (const std::uintptr_t end = begin + bytes + HugePage; end > aligned + bytes) {
        ::munmap(reinterpret_cast<void*>(aligned + bytes), end - (aligned + bytes));
    }
    ::madvise(reinterpret_cast<void*>(aligned), bytes, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

// Moves the pages of an existing mapping to the start of a fresh aligned one: page tables move,
// the data is not copied.
void* GrowAligned(void* data, std::size_t oldBytes, std::size_t bytes) {
    // In place when the addresses after the mapping are free: nothing moves at all.
    if (void* same = ::mremap(data, oldBytes, bytes, 0); same != MAP_FAILED) {
        ::madvise(same, bytes, MADV_HUGEPAGE);
        return same;
    }
    void* fresh = MapAligned(bytes);
    if (fresh == MAP_FAILED) {
        return fresh;
    }
    if (::mremap(data, oldBytes, oldBytes, MREMAP_MAYMOVE | MREMAP_FIXED, fresh) == MAP_FAILED) {
        ::munmap(fresh, bytes);
        return MAP_FAILED;
    }
    return fresh;
}

} // namespace

TFloatArray::~TFloatArray() {
    Release();
}

TFloatArray::TFloatArray(TFloatArray&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_length(std::exchange(other.m_length, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)), m_dirtyEnd(std::exchange(other.m_dirtyEnd, 0)) {}

TFloatArray& TFloatArray::operator=(TFloatArray&& other) noexcept {
    if (this != &other) {
        Release();
        m_data = std::exchange(other.m_data, nullptr);
        m_length = std::exchange(other.m_length, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_dirtyEnd = std::exchange(other.m_dirtyEnd, 0);
    }
    return *this;
}

void TFloatArray::Release() {
    if (m_data != nullptr) {
        ::munmap(m_data, m_capacity * sizeof(float));
    }
    m_data = nullptr;
    m_length = m_capacity = m_dirtyEnd = 0;
}

void TFloatArray::Reserve(std::size_t length) {
    if (length > (std::size_t{1} << 60) / sizeof(float)) {
        throw std::bad_alloc();
    }
    // Doubling keeps the number of remappings logarithmic in the final length.
    std::size_t bytes = std::max({MinimumBytes, length * sizeof(float), m_capacity * sizeof(float) * 2});
    void* mapping = nullptr;
    if (bytes >= HugePage) {
        bytes = (bytes + HugePage - 1) & ~(HugePage - 1);
        mapping = m_data == nullptr ? MapAligned(bytes) : GrowAligned(m_data, m_capacity * sizeof(float), bytes);
    } else if (m_data == nullptr) {
        mapping = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    } else {
        mapping = ::mremap(m_data, m_capacity * sizeof(float), bytes, MREMAP_MAYMOVE);
    }
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    m_data = static_cast<float*>(mapping);
    m_capacity = bytes / sizeof(float);
}

void TFloatArray::ClearRange(std::size_t begin, std::size_t end) {
    std::memset(m_data + begin, 0, (end - begin) * sizeof(float));
}

} // namespace mouldview::model
