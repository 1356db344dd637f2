// A growable array of single-precision reals whose new elements are zero, as the model's arrays
// are. It lives in its own anonymous memory mapping: growing moves page mappings instead of
// copying the data, so a long climate series needs no second copy while its arrays grow, and
// only the pages in use count towards the process's memory. Pages are made present ahead of the
// writes, which costs far less than a page fault per page: a huge page at a time while huge
// pages come cheap, else 256 KiB of normal pages at a time.
#pragma once

#include <cstddef>

namespace mouldview::model {

class TFloatArray {
public:
    TFloatArray() = default;
    ~TFloatArray();
    TFloatArray(TFloatArray&& other) noexcept;
    TFloatArray& operator=(TFloatArray&& other) noexcept;
    TFloatArray(const TFloatArray&) = delete;
    TFloatArray& operator=(const TFloatArray&) = delete;

    std::size_t Length() const { return m_length; }
    // Grows or shrinks the array to length elements; elements that come new are 0.
    void SetLength(std::size_t length) {
        if (length > m_capacity) {
            Reserve(length);
        }
        if (length * sizeof(float) > m_presentBytes) {
            MakePresent(length);
        }
        if (length > m_length && m_length < m_dirtyEnd) {
            ClearRange(m_length, length < m_dirtyEnd ? length : m_dirtyEnd);
        }
        m_length = length;
        if (length > m_dirtyEnd) {
            m_dirtyEnd = length;
        }
    }
    // Grows the array by one element holding value.
    void Append(float value) {
        if (m_length == m_capacity) {
            Reserve(m_length + 1);
        }
        m_data[m_length++] = value;
        if (m_length > m_dirtyEnd) {
            m_dirtyEnd = m_length;
        }
    }
    // Room for count more elements after the last one, for a caller that fills several at once:
    // it writes them through the returned pointer and then adds them with GrowBy.
    float* Tail(std::size_t count) {
        if (m_length + count > m_capacity) {
            Reserve(m_length + count);
        }
        if ((m_length + count) * sizeof(float) > m_presentBytes) {
            MakePresent(m_length + count);
        }
        // The caller may write anywhere in the room: none of it counts as untouched any more.
        if (m_length + count > m_dirtyEnd) {
            m_dirtyEnd = m_length + count;
        }
        return m_data + m_length;
    }
    // Adds the count elements written after the last one through Tail.
    void GrowBy(std::size_t count) {
        m_length += count;
        if (m_length > m_dirtyEnd) {
            m_dirtyEnd = m_length;
        }
    }
    // Empties the array and gives its memory back.
    void Release();

    float& operator[](std::size_t index) { return m_data[index]; }
    const float& operator[](std::size_t index) const { return m_data[index]; }
    float* Data() { return m_data; }
    const float* Data() const { return m_data; }

private:
    // Makes room for at least length elements; raises std::bad_alloc when memory runs out.
    void Reserve(std::size_t length);
    // Makes the pages of the first length elements present.
    void MakePresent(std::size_t length);
    void ClearRange(std::size_t begin, std::size_t end);

    float* m_data = nullptr;
    std::size_t m_length = 0;
    std::size_t m_capacity = 0;     // elements that fit into the mapping
    std::size_t m_dirtyEnd = 0;     // elements from here on have never been written: still zero
    std::size_t m_presentBytes = 0; // the pages below this many bytes are present
    bool m_hugeAdvice = false;      // the mapping beyond m_presentBytes is advised to take huge pages
};

} // namespace mouldview::model
