// The pixels of a window's client area: 32 bits per pixel, 0x00RRGGBB in one native 32-bit
// word (blue in the lowest byte in memory on little-endian machines), rows from the top, no gaps
// between rows. The top byte is ignored.
#pragma once

#include <cstdint>
#include <vector>

namespace mouldview::platform {

class WindowCanvas {
public:
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels per row; equal to Width.
    int Stride() const { return m_width; }

    std::uint32_t* Pixels() { return m_pixels.data(); }
    const std::uint32_t* Pixels() const { return m_pixels.data(); }
    std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * Stride(); }
    const std::uint32_t* Row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * Stride(); }

    // Changes the size; pixels of the old picture that lie inside the new size keep their place,
    // the rest is black.
    void Resize(int width, int height);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace mouldview::platform
