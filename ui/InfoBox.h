// The small boxes the result window draws over its chart: the readout of a period, the notices
// after Save and Copy, and the help. They are painted on the window's canvas after the chart's
// picture, never into the chart's buffer, so that a copy from the buffer removes them exactly.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Geometry.h"

#include <string>
#include <vector>

namespace mouldview::ui {

// One box: lines of text, each on its own row, inside a one-pixel frame.
class TInfoBox {
public:
    explicit TInfoBox(std::vector<std::string> lines);

    const std::vector<std::string>& Lines() const { return m_lines; }
    raster::Size Size() const { return m_size; }

    // The box's top-left corner near the pointer (x, y): below and to the right of it where it
    // fits, else above or to the left, and in any case inside a client area of width × height
    // (at its top-left corner when the area is smaller than the box).
    raster::Point NearPointer(int x, int y, int width, int height) const;

    // Paints the box with its top-left corner at `origin`.
    void Paint(raster::Bitmap& target, raster::Point origin) const;

private:
    std::vector<std::string> m_lines;
    int m_lineHeight = 0;
    raster::Size m_size{};
};

} // namespace mouldview::ui
