// Growable float arrays in anonymous mappings, grown with mremap.
#include "model/FloatArray.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace mouldview::model {

namespace {
constexpr std::size_t MinimumBytes = std::size_t{64} << 10;
}

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
    const std::size_t bytes =
        std::max({MinimumBytes, length * sizeof(float), m_capacity * sizeof(float) * 2});
    void* mapping = nullptr;
    if (m_data == nullptr) {
        mapping = ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    } else {
        mapping = ::mremap(m_data, m_capacity * sizeof(float), bytes, MREMAP_MAYMOVE);
    }
    if (mapping == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Large arrays in huge pages take far fewer page faults while they fill; only a hint.
    if (bytes >= (std::size_t{4} << 20)) {
        ::madvise(mapping, bytes, MADV_HUGEPAGE);
    }
    m_data = static_cast<float*>(mapping);
    m_capacity = bytes / sizeof(float);
}

void TFloatArray::ClearRange(std::size_t begin, std::size_t end) {
    std::memset(m_data + begin, 0, (end - begin) * sizeof(float));
}

} // namespace mouldview::model
