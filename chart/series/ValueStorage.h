// The growable block behind value lists and point colours: capacity in whole steps of 1000
// elements, grown without copying where the system allows it.
#pragma once

#include <cstddef>
#include <cstring>
#include <type_traits>

namespace mouldview::chart {

// A block of raw memory for trivially copyable elements. Small blocks live on the heap; blocks of
// several megabytes are mapped directly, on huge pages where the system offers them, and grow by
// remapping, so that filling a long series neither copies nor faults page by page.
class TValueStorage {
public:
    TValueStorage() = default;
    TValueStorage(const TValueStorage&) = delete;
    TValueStorage& operator=(const TValueStorage&) = delete;
    ~TValueStorage() { Release(); }

    void* Data() const { return m_data; }
    // Makes room for newBytes, keeping the first keepBytes; on failure throws std::bad_alloc and
    // leaves the block as it was.
    void Resize(std::size_t keepBytes, std::size_t newBytes);
    void Release() noexcept;

private:
    void* m_data = nullptr;
    std::size_t m_mappedBytes = 0; // non-zero when the block is mapped rather than on the heap
};

// The next capacity when an insertion finds no free element: one step of 1000 while the list holds
// a few thousand elements (a few years of 12-hour periods); beyond that half the capacity, still in
// whole steps, because a fixed step would copy the whole array once per thousand elements and make
// filling a long series quadratic. Saturates at the int range.
int NextValueCapacity(int capacity);

// An array of trivially copyable elements on a TValueStorage, with insertion at any index and a
// fast path for appending.
template <class T> class TGrowableArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    TGrowableArray() = default;
    // count elements of the same value.
    TGrowableArray(int count, T value) {
        for (int i = 0; i < count; ++i) {
            Append(value);
        }
    }

    int Count() const { return m_count; }
    int Capacity() const { return m_capacity; }
    const T* Data() const { return static_cast<const T*>(m_storage.Data()); }
    T* Data() { return static_cast<T*>(m_storage.Data()); }
    T operator[](int i) const { return Data()[i]; }
    T& operator[](int i) { return Data()[i]; }

    void Append(T value) {
        if (m_count == m_capacity) {
            Grow();
        }
        Data()[m_count++] = value;
    }
    // Inserts at index (0..Count), moving later elements up.
    void Insert(int index, T value) {
        if (m_count == m_capacity) {
            Grow();
        }
        T* data = Data();
        if (index < m_count) {
            std::memmove(data + index + 1, data + index,
                         sizeof(T) * static_cast<std::size_t>(m_count - index));
        }
        data[index] = value;
        ++m_count;
    }
    // Empties the array and releases its storage.
    void Clear() {
        m_storage.Release();
        m_count = 0;
        m_capacity = 0;
    }

private:
    void Grow() {
        const int capacity = NextValueCapacity(m_capacity);
        m_storage.Resize(sizeof(T) * static_cast<std::size_t>(m_count),
                         sizeof(T) * static_cast<std::size_t>(capacity));
        m_capacity = capacity;
    }

    TValueStorage m_storage;
    int m_count = 0;
    int m_capacity = 0;
};

} // namespace mouldview::chart
