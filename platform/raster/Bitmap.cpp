// Storage, checked access and resizing of a 32-bit pixel bitmap.
#include "platform/raster/Bitmap.h"

#include <algorithm>
#include <cstring>

namespace mouldview::raster {

Bitmap::Bitmap(int width, int height, Pixel fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), fill) {}

Pixel Bitmap::GetPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return Row(y)[x];
}

void Bitmap::SetPixel(int x, int y, Pixel value) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    Row(y)[x] = value;
}

void Bitmap::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height)
        return;
    Bitmap resized(width, height);
    const int keepWidth = std::min(width, m_width);
    const int keepHeight = std::min(height, m_height);
    for (int y = 0; keepWidth > 0 && y < keepHeight; ++y)
        std::memcpy(resized.Row(y), Row(y), static_cast<std::size_t>(keepWidth) * sizeof(Pixel));
    *this = std::move(resized);
}

void Bitmap::Fill(Pixel value) {
    std::fill(m_pixels.begin(), m_pixels.end(), value);
}

} // namespace mouldview::raster
