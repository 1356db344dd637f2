// A 32-bit pixel bitmap: the memory every drawing operation of this layer ends in, and what the
// window shows and the PNG writer stores.
#pragma once

#include "platform/raster/Colors.h"
#include "platform/raster/Geometry.h"

#include <cstddef>
#include <vector>

namespace mouldview::raster {

// Pixels are Pixel values (0x00RRGGBB), rows top to bottom, each row `Stride()` pixels long and
// contiguous; the rows follow one another without padding, so Data() is one block of
// Width() * Height() pixels. A bitmap of zero width or height holds no pixel.
class Bitmap {
public:
    Bitmap() = default;
    // A bitmap of the given size filled with `fill`; negative sizes count as 0.
    Bitmap(int width, int height, Pixel fill = 0x00FFFFFF);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool IsEmpty() const { return m_width == 0 || m_height == 0; }
    Rect Bounds() const { return Rect{0, 0, m_width, m_height}; }

    // Pixels from one row to the next, and the same in bytes.
    std::ptrdiff_t Stride() const { return m_width; }
    std::ptrdiff_t StrideBytes() const { return static_cast<std::ptrdiff_t>(m_width) * 4; }

    Pixel* Data() { return m_pixels.data(); }
    const Pixel* Data() const { return m_pixels.data(); }
    // First pixel of row y; y must lie in 0..Height()-1.
    Pixel* Row(int y) { return m_pixels.data() + static_cast<std::ptrdiff_t>(y) * m_width; }
    const Pixel* Row(int y) const { return m_pixels.data() + static_cast<std::ptrdiff_t>(y) * m_width; }

    // Checked single-pixel access: reading outside the bitmap gives 0, writing there does nothing.
    Pixel GetPixel(int x, int y) const;
    void SetPixel(int x, int y, Pixel value);

    // Changes the size. An unchanged size keeps the bitmap and its content and costs nothing;
    // otherwise the part both sizes share keeps its pixels and new pixels are white.
    void Resize(int width, int height);

    void Fill(Pixel value);

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Pixel> m_pixels;
};

} // namespace mouldview::raster
