// Device context state and drawing operations (being filled in; the interface is final).
#include "platform/raster/DeviceContext.h"

namespace mouldview::raster {

Pixel ApplyRop(RasterOp op, Pixel pen, Pixel dest) {
    // R2 code - 1 is the operation's truth table: bit (2 * penBit + destBit) gives the result bit.
    const unsigned table = static_cast<unsigned>(op) - 1;
    Pixel result = 0;
    if (table & 1u)
        result |= ~pen & ~dest;
    if (table & 2u)
        result |= ~pen & dest;
    if (table & 4u)
        result |= pen & ~dest;
    if (table & 8u)
        result |= pen & dest;
    return result & 0x00FFFFFFu;
}

DeviceContext::DeviceContext(Bitmap& target) : m_target(target) {}
DeviceContext::~DeviceContext() = default;

void DeviceContext::SetPen(const Pen& pen) {
    m_pen = pen;
}
void DeviceContext::SetBrush(const Brush& brush) {
    m_brush = brush;
}
void DeviceContext::SetFont(const FontDesc& font) {
    m_font = font;
}

Point DeviceContext::MoveTo(int x, int y) {
    const Point previous = m_position;
    m_position = Point{x, y};
    m_patternPosition = 0;
    return previous;
}

void DeviceContext::LineTo(int x, int y) {
    m_position = Point{x, y};
}
void DeviceContext::Polyline(std::span<const Point>) {}
void DeviceContext::Polygon(std::span<const Point>) {}
void DeviceContext::Rectangle(int, int, int, int) {}
void DeviceContext::FillRect(const Rect& rect) {
    FillRect(rect, m_brush);
}
void DeviceContext::FillRect(const Rect&, const Brush&) {}

void DeviceContext::SetPixel(int x, int y, ColorRef color) {
    if (IsPaintable(color) && EffectiveClip().Contains(x, y))
        m_target.Row(y)[x] = ToPixel(color);
}

ColorRef DeviceContext::GetPixel(int x, int y) const {
    if (!EffectiveClip().Contains(x, y))
        return CLR_INVALID;
    return FromPixel(m_target.Row(y)[x]);
}

void DeviceContext::TextOut(int, int, std::string_view) {}
Size DeviceContext::GetTextExtent(std::string_view) {
    return Size{};
}
TextMetrics DeviceContext::GetTextMetrics() {
    return TextMetrics{};
}

void DeviceContext::IntersectClip(const Rect& rect) {
    m_clip = Intersect(m_clip ? *m_clip : m_target.Bounds(), rect);
}

void DeviceContext::BitBlt(int x, int y, const Bitmap& source) {
    BitBlt(x, y, source.Width(), source.Height(), source, 0, 0);
}

void DeviceContext::BitBlt(int, int, int, int, const Bitmap&, int, int) {}

Rect DeviceContext::EffectiveClip() const {
    return m_clip ? Intersect(*m_clip, m_target.Bounds()) : m_target.Bounds();
}

} // namespace mouldview::raster
