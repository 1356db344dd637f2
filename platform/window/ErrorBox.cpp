// Lays out and paints the error box (see ErrorBox.h for the geometry).
#include "platform/window/ErrorBox.h"

#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace mouldview::platform {

namespace {

using raster::ColorRef;
using raster::DeviceContext;
using raster::Rect;

// System colours are passed by reference (0xFF0000nn), so the box follows the desktop's scheme.
constexpr ColorRef SysColor(int index) {
    return 0xFF000000u | static_cast<ColorRef>(index);
}
// The error mark's red (0x00BBGGRR) and its cross.
constexpr ColorRef MarkRed = 0x002311E8;
constexpr ColorRef MarkCross = 0x00FFFFFF;

void Fill(DeviceContext& dc, const Rect& rect, ColorRef color) {
    dc.FillRect(rect, raster::Brush{raster::BrushStyle::Solid, color, nullptr, false});
}

// A one-pixel frame on the rectangle's outermost pixels: `topLeft` on the top row and left column,
// `bottomRight` on the right column and bottom row, which own the two corners they share.
void Frame(DeviceContext& dc, const Rect& r, ColorRef topLeft, ColorRef bottomRight) {
    Fill(dc, {r.left, r.top, r.right - 1, r.top + 1}, topLeft);
    Fill(dc, {r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
    Fill(dc, {r.right - 1, r.top, r.right, r.bottom}, bottomRight);
    Fill(dc, {r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

Rect Inset(const Rect& r, int d) {
    return {r.left + d, r.top + d, r.right - d, r.bottom - d};
}

// A red disc filling the square at (left, top), crossed by two white strokes.
void PaintErrorMark(DeviceContext& dc, int left, int top) {
    const int centre = ErrorBox::IconSize / 2;
    const double radius = centre - 1;
    std::vector<raster::Point> disc;
    constexpr int corners = 48;
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * std::numbers::pi * i / corners;
        disc.push_back({left + centre + static_cast<int>(std::lround(radius * std::cos(angle))),
                        top + centre + static_cast<int>(std::lround(radius * std::sin(angle)))});
    }
    dc.SetPen(raster::MakePen(raster::PenStyle::Solid, 1, MarkRed));
    dc.SetBrush(raster::Brush{raster::BrushStyle::Solid, MarkRed, nullptr, false});
    dc.Polygon(disc);
    const int arm = 6;
    dc.SetPen(raster::MakePen(raster::PenStyle::Solid, 4, MarkCross));
    dc.MoveTo(left + centre - arm, top + centre - arm);
    dc.LineTo(left + centre + arm, top + centre + arm);
    dc.MoveTo(left + centre + arm, top + centre - arm);
    dc.LineTo(left + centre - arm, top + centre + arm);
}

} // namespace

raster::FontDesc ErrorBox::BoxFont() {
    raster::FontDesc font;
    font.faceName = "Tahoma";
    font.height = raster::HeightFromPoints(8);
    return font;
}

ErrorBox::ErrorBox(std::string text) : m_text(std::move(text)) {
    raster::Bitmap scratch(1, 1);
    DeviceContext dc(scratch);
    dc.SetFont(BoxFont());
    const raster::Size extent = dc.GetTextExtent(m_text);
    const int messageHeight = 2 * Margin + std::max(IconSize, extent.cy);
    const int width = std::max(TextLeft + extent.cx + Margin, ButtonWidth + 2 * Margin);
    m_clientSize = {width, messageHeight + ButtonHeight + 2 * StripPadding};
    const int buttonTop = messageHeight + StripPadding;
    m_button = {width - Margin - ButtonWidth, buttonTop, width - Margin, buttonTop + ButtonHeight};
    m_textOrigin = {TextLeft, Margin + std::max(0, (IconSize - extent.cy) / 2)};
}

void ErrorBox::Paint(raster::Bitmap& target, bool buttonPressed) const {
    DeviceContext dc(target);
    const int messageHeight = m_button.top - StripPadding;
    Fill(dc, {0, 0, target.Width(), messageHeight}, SysColor(raster::COLOR_WINDOW));
    Fill(dc, {0, messageHeight, target.Width(), target.Height()}, SysColor(raster::COLOR_BTNFACE));
    PaintErrorMark(dc, Margin, Margin);

    dc.SetFont(BoxFont());
    dc.SetBkMode(raster::BkMode::Transparent);
    dc.SetTextAlign(raster::TA_LEFT | raster::TA_TOP);
    dc.SetTextColor(SysColor(raster::COLOR_WINDOWTEXT));
    dc.TextOut(m_textOrigin.x, m_textOrigin.y, m_text);

    Frame(dc, m_button, SysColor(raster::COLOR_BTNTEXT), SysColor(raster::COLOR_BTNTEXT));
    if (buttonPressed) {
        Frame(dc, Inset(m_button, 1), SysColor(raster::COLOR_BTNSHADOW), SysColor(raster::COLOR_BTNSHADOW));
    } else {
        Frame(dc, Inset(m_button, 1), SysColor(raster::COLOR_BTNHIGHLIGHT),
              SysColor(raster::COLOR_BTNSHADOW));
    }
    const raster::Size label = dc.GetTextExtent(ButtonLabel);
    const int shift = buttonPressed ? 1 : 0;
    dc.SetTextColor(SysColor(raster::COLOR_BTNTEXT));
    dc.TextOut(m_button.left + (ButtonWidth - label.cx) / 2 + shift,
               m_button.top + (ButtonHeight - label.cy) / 2 + shift, ButtonLabel);
}

} // namespace mouldview::platform
