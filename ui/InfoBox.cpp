// Measures and paints the information boxes in the style of the system's tool tips: dark text on
// pale yellow, framed in dark grey, in the chart's label font.
#include "ui/InfoBox.h"

#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <utility>

namespace mouldview::ui {

namespace {

// 0x00BBGGRR, as the raster layer's colours are given.
constexpr raster::ColorRef BoxBack = 0x00E1FFFF;
constexpr raster::ColorRef BoxFrame = 0x00404040;
constexpr raster::ColorRef BoxText = 0x00000000;
constexpr int Padding = 4;
// Between the pointer and the box: clear of the arrow cursor's tip.
constexpr int PointerGapX = 12;
constexpr int PointerGapY = 18;
constexpr int PointerGapAbove = 6;

raster::FontDesc BoxFont() {
    raster::FontDesc font;
    font.faceName = "Arial";
    font.height = raster::HeightFromPoints(8);
    return font;
}

} // namespace

TInfoBox::TInfoBox(std::vector<std::string> lines) : m_lines(std::move(lines)) {
    raster::Bitmap scratch(1, 1);
    raster::DeviceContext dc(scratch);
    dc.SetFont(BoxFont());
    m_lineHeight = dc.GetTextMetrics().height;
    int width = 0;
    for (const std::string& line : m_lines) {
        width = std::max(width, dc.GetTextExtent(line).cx);
    }
    m_size = {width + 2 * Padding + 2, m_lineHeight * static_cast<int>(m_lines.size()) + 2 * Padding};
}

raster::Point TInfoBox::NearPointer(int x, int y, int width, int height) const {
    int left = x + PointerGapX;
    if (left + m_size.cx > width) {
        left = x - PointerGapX - m_size.cx;
    }
    int top = y + PointerGapY;
    if (top + m_size.cy > height) {
        top = y - PointerGapAbove - m_size.cy;
    }
    left = std::max(0, std::min(left, width - m_size.cx));
    top = std::max(0, std::min(top, height - m_size.cy));
    return {left, top};
}

void TInfoBox::Paint(raster::Bitmap& target, raster::Point origin) const {
    raster::DeviceContext dc(target);
    dc.SetPen(raster::MakePen(raster::PenStyle::Solid, 1, BoxFrame));
    dc.SetBrush(raster::Brush{raster::BrushStyle::Solid, BoxBack, nullptr, false});
    dc.Rectangle(origin.x, origin.y, origin.x + m_size.cx, origin.y + m_size.cy);
    dc.SetFont(BoxFont());
    dc.SetBkMode(raster::BkMode::Transparent);
    dc.SetTextAlign(raster::TA_LEFT | raster::TA_TOP);
    dc.SetTextColor(BoxText);
    int top = origin.y + Padding;
    for (const std::string& line : m_lines) {
        dc.TextOut(origin.x + Padding + 1, top, line);
        top += m_lineHeight;
    }
}

} // namespace mouldview::ui
