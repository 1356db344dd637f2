// The growable array behind value lists and point colours: a std::vector whose capacity grows in
// whole steps of 1000 elements.
#pragma once

#include <climits>
#include <stdexcept>
#include <vector>

namespace mouldview::chart {

// The next capacity when an insertion finds no free element: one step of 1000 while the list holds
// a few thousand elements (a few years of 12-hour periods); beyond that half the capacity, still in
// whole steps, because a fixed step would copy the whole array once per thousand elements and make
// filling a long series quadratic. Saturates at the int range.
inline int NextValueCapacity(int capacity) {
    if (capacity == INT_MAX) {
        throw std::length_error("Value list is full");
    }
    constexpr long long step = 1000;
    const long long half = (static_cast<long long>(capacity) / 2) / step * step;
    const long long next = capacity + (half > step ? half : step);
    return next > INT_MAX ? INT_MAX : static_cast<int>(next);
}

// An array with insertion at any index; its capacity follows NextValueCapacity, and Clear gives
// the memory back.
template <class T> class TGrowableArray {
public:
    TGrowableArray() = default;
    // count elements of the same value.
    TGrowableArray(int count, T value) {
        for (int i = 0; i < count; ++i) {
            Append(value);
        }
    }

    int Count() const { return static_cast<int>(m_elements.size()); }
    int Capacity() const { return static_cast<int>(m_elements.capacity()); }
    const T* Data() const { return m_elements.data(); }
    T operator[](int i) const { return m_elements[static_cast<std::size_t>(i)]; }
    T& operator[](int i) { return m_elements[static_cast<std::size_t>(i)]; }

    void Append(T value) {
        MakeRoom();
        m_elements.push_back(value);
    }
    // Inserts at index (0..Count), moving later elements up.
    void Insert(int index, T value) {
        MakeRoom();
        m_elements.insert(m_elements.begin() + index, value);
    }
    // Empties the array and releases its memory.
    void Clear() { m_elements = std::vector<T>(); }

private:
    void MakeRoom() {
        if (m_elements.size() == m_elements.capacity()) {
            m_elements.reserve(static_cast<std::size_t>(NextValueCapacity(Capacity())));
        }
    }

    std::vector<T> m_elements;
};

} // namespace mouldview::chart
