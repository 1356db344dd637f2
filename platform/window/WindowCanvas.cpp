// Resizing the client-area picture.
#include "platform/window/WindowCanvas.h"

#include <algorithm>

namespace mouldview::platform {

void WindowCanvas::Resize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width == m_width && height == m_height) {
        return;
    }
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
    const int keepWidth = std::min(width, m_width);
    const int keepHeight = std::min(height, m_height);
    for (int y = 0; y < keepHeight; ++y) {
        std::copy_n(Row(y), keepWidth, pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    m_pixels = std::move(pixels);
    m_width = width;
    m_height = height;
}

} // namespace mouldview::platform
