// Heap or mapped storage for value lists, and the capacity steps.
#include "chart/series/ValueStorage.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#ifndef _WIN32
#include <sys/mman.h>
#endif

namespace mouldview::chart {

#ifdef _WIN32
// Windows has no remapping of anonymous memory: every block lives on the heap.
void TValueStorage::Resize(std::size_t /*keepBytes*/, std::size_t newBytes) {
    void* grown = std::realloc(m_data, newBytes);
    if (grown == nullptr) {
        throw std::bad_alloc();
    }
    m_data = grown;
}

void TValueStorage::Release() noexcept {
    std::free(m_data);
    m_data = nullptr;
}
#else
namespace {

// From this size on a block is mapped: below it the heap is cheaper, above it page faults and
// copies on growth dominate.
constexpr std::size_t MapThreshold = std::size_t{4} << 20;
constexpr std::size_t PageBytes = std::size_t{2} << 20;

std::size_t RoundToPages(std::size_t bytes) {
    return (bytes + PageBytes - 1) / PageBytes * PageBytes;
}

} // namespace

void TValueStorage::Resize(std::size_t keepBytes, std::size_t newBytes) {
    if (newBytes < MapThreshold && m_mappedBytes == 0) {
        void* grown = std::realloc(m_data, newBytes);
        if (grown == nullptr) {
            throw std::bad_alloc();
        }
        m_data = grown;
        return;
    }
    const std::size_t mapBytes = RoundToPages(newBytes);
    if (m_mappedBytes != 0) {
        if (mapBytes <= m_mappedBytes) {
            return;
        }
        void* moved = mremap(m_data, m_mappedBytes, mapBytes, MREMAP_MAYMOVE);
        if (moved == MAP_FAILED) {
            throw std::bad_alloc();
        }
        m_data = moved;
        m_mappedBytes = mapBytes;
        return;
    }
    void* mapped = mmap(nullptr, mapBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    // Only a hint: without huge pages the block simply uses ordinary ones.
    (void)madvise(mapped, mapBytes, MADV_HUGEPAGE);
    if (keepBytes > 0) {
        std::memcpy(mapped, m_data, keepBytes);
    }
    std::free(m_data);
    m_data = mapped;
    m_mappedBytes = mapBytes;
}

void TValueStorage::Release() noexcept {
    if (m_mappedBytes != 0) {
        munmap(m_data, m_mappedBytes);
    } else {
        std::free(m_data);
    }
    m_data = nullptr;
    m_mappedBytes = 0;
}
#endif

int NextValueCapacity(int capacity) {
    if (capacity == INT_MAX) {
        throw std::length_error("Value list is full");
    }
    constexpr long long step = 1000;
    const long long half = (static_cast<long long>(capacity) / 2) / step * step;
    const long long next = capacity + (half > step ? half : step);
    return next > INT_MAX ? INT_MAX : static_cast<int>(next);
}

} // namespace mouldview::chart
