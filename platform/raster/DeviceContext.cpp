// Device context state and the line, fill, pixel, clip and block-copy operations. Text output is
// in DeviceContextText.cpp.
#include "platform/raster/DeviceContext.h"

#include "platform/raster/CosmeticLine.h"
#include "platform/raster/FontEngine.h"
#include "platform/raster/ScanConverter.h"
#include "platform/raster/SpanPainter.h"
#include "platform/raster/Stroker.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

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
    if (font == m_font)
        return;
    m_font = font;
    m_fontInstance = nullptr;
}

FontInstance& DeviceContext::CurrentFont() {
    if (m_fontInstance == nullptr)
        m_fontInstance = &FontEngine::Instance().Get(m_font);
    return *m_fontInstance;
}

Rect DeviceContext::EffectiveClip() const {
    return m_clip ? Intersect(*m_clip, m_target.Bounds()) : m_target.Bounds();
}

void DeviceContext::IntersectClip(const Rect& rect) {
    m_clip = Intersect(m_clip ? *m_clip : m_target.Bounds(), rect);
}

bool DeviceContext::PenPaints() const {
    return m_pen.style != PenStyle::Clear && IsPaintable(m_pen.color);
}

bool DeviceContext::IsCosmetic() const {
    return m_pen.type == PenType::Cosmetic || m_pen.style == PenStyle::Alternate;
}

void DeviceContext::StrokeCosmetic(std::span<const Point> points, bool closed, long long& patternPosition) {
    CosmeticPaint paint;
    paint.onPattern = CosmeticPattern(m_pen);
    paint.pen = RopMasks(m_rop, ToPixel(m_pen.color));
    paint.paintGaps = m_bkMode == BkMode::Opaque && IsPaintable(m_bkColor);
    if (paint.paintGaps)
        paint.gap = RopMasks(m_rop, ToPixel(m_bkColor));
    patternPosition +=
        DrawCosmeticPolyline(m_target, EffectiveClip(), points, closed, paint, patternPosition);
}

void DeviceContext::StrokeWide(std::span<const Point> points, bool closed) {
    const Rect clip = EffectiveClip();
    if (clip.IsEmpty())
        return;
    SpanSet spans(clip);
    StrokeGeometric(points, closed, m_pen, clip, spans);
    spans.Normalize();
    SpanPainter painter(m_target, clip);
    const RopMasks rop(m_rop, ToPixel(m_pen.color));
    for (const Span& span : spans.Spans())
        painter.PaintSpan(span.y, span.x0, span.x1, rop);
}

void DeviceContext::Stroke(std::span<const Point> points, bool closed, long long& patternPosition) {
    if (points.size() < 2 || !PenPaints())
        return;
    if (IsCosmetic())
        StrokeCosmetic(points, closed, patternPosition);
    else
        StrokeWide(points, closed);
}

Point DeviceContext::MoveTo(int x, int y) {
    const Point previous = m_position;
    m_position = Point{x, y};
    m_patternPosition = 0;
    return previous;
}

void DeviceContext::LineTo(int x, int y) {
    const Point points[2] = {m_position, Point{x, y}};
    m_position = points[1];
    if (!PenPaints())
        return;
    if (IsCosmetic())
        StrokeCosmetic(points, false, m_patternPosition);
    else
        StrokeWide(points, false);
}

void DeviceContext::Polyline(std::span<const Point> points) {
    long long patternPosition = 0;
    Stroke(points, false, patternPosition);
}

void DeviceContext::FillSpans(SpanSet& spans, const Brush& brush, RasterOp rop) {
    spans.Normalize();
    if (brush.style == BrushStyle::Clear || !IsPaintable(brush.color) || spans.IsEmpty())
        return;
    const Rect clip = EffectiveClip();
    if (clip.IsEmpty())
        return;
    SpanPainter painter(m_target, clip);
    SpanPainter::BrushPaint paint{};
    paint.brush = &brush;
    const bool monochrome = brush.style == BrushStyle::Pattern && brush.monochromePattern;
    const ColorRef setColor = monochrome ? m_textColor : brush.color;
    if (!IsPaintable(setColor))
        return;
    paint.color = ToPixel(setColor);
    paint.paintBackground = m_bkMode == BkMode::Opaque && IsPaintable(m_bkColor);
    paint.bkColor = paint.paintBackground ? ToPixel(m_bkColor) : 0;
    paint.rop = rop;
    for (const Span& span : spans.Spans())
        painter.PaintBrushSpan(span.y, span.x0, span.x1, paint);
}

void DeviceContext::FillRectangle(int x0, int y0, int x1, int y1, const Brush& brush, RasterOp rop) {
    const Rect clip = EffectiveClip();
    SpanSet spans(clip);
    for (int y = std::max(y0, clip.top); y < std::min(y1, clip.bottom); ++y)
        spans.Add(y, std::max(x0, clip.left), std::min(x1, clip.right));
    FillSpans(spans, brush, rop);
}

void DeviceContext::Polygon(std::span<const Point> points) {
    if (points.size() < 2)
        return;
    const Rect clip = EffectiveClip();
    if (clip.IsEmpty())
        return;
    std::vector<PointF> polygon;
    polygon.reserve(points.size());
    for (const Point& p : points)
        polygon.push_back(PointF{static_cast<double>(p.x), static_cast<double>(p.y)});
    SpanSet spans(clip);
    ScanPolygon(polygon, m_fillMode, clip.top, clip.bottom, spans);
    FillSpans(spans, m_brush, m_rop);
    long long patternPosition = 0;
    Stroke(points, true, patternPosition);
}

void DeviceContext::Rectangle(int x0, int y0, int x1, int y1) {
    if (x0 > x1)
        std::swap(x0, x1);
    if (y0 > y1)
        std::swap(y0, y1);
    if (x0 == x1 || y0 == y1)
        return;
    if (!PenPaints()) {
        FillRectangle(x0, y0, x1 - 1, y1 - 1, m_brush, m_rop);
        return;
    }
    FillRectangle(x0 + 1, y0 + 1, x1 - 1, y1 - 1, m_brush, m_rop);
    long long patternPosition = 0;
    if (IsCosmetic()) {
        // A rectangle one pixel wide or high is a single line; tracing it as four sides would
        // paint its pixels twice.
        const bool oneColumn = static_cast<long long>(x1) - x0 == 1;
        if (oneColumn || static_cast<long long>(y1) - y0 == 1) {
            const Point line[2] = {Point{x0, y0}, oneColumn ? Point{x0, y1} : Point{x1, y0}};
            StrokeCosmetic(line, false, patternPosition);
            return;
        }
        const Point outline[4] = {{x0, y0}, {x1 - 1, y0}, {x1 - 1, y1 - 1}, {x0, y1 - 1}};
        StrokeCosmetic(outline, true, patternPosition);
        return;
    }
    if (m_pen.style == PenStyle::InsideFrame) {
        // Keep the whole width inside the rectangle: the outline runs half a width in.
        const long long w = m_pen.width;
        auto toInt = [](long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
        const int left = toInt(x0 + w / 2);
        const int top = toInt(y0 + w / 2);
        const int right = std::max(left, toInt(x1 - (w - w / 2)));
        const int bottom = std::max(top, toInt(y1 - (w - w / 2)));
        const Point outline[4] = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
        StrokeWide(outline, true);
        return;
    }
    const Point outline[4] = {{x0, y0}, {x1 - 1, y0}, {x1 - 1, y1 - 1}, {x0, y1 - 1}};
    StrokeWide(outline, true);
}

void DeviceContext::FillRect(const Rect& rect) {
    FillRect(rect, m_brush);
}

void DeviceContext::FillRect(const Rect& rect, const Brush& brush) {
    FillRectangle(rect.left, rect.top, rect.right, rect.bottom, brush, RasterOp::CopyPen);
}

void DeviceContext::SetPixel(int x, int y, ColorRef color) {
    if (IsPaintable(color) && EffectiveClip().Contains(x, y))
        m_target.Row(y)[x] = ToPixel(color);
}

ColorRef DeviceContext::GetPixel(int x, int y) const {
    if (!EffectiveClip().Contains(x, y))
        return CLR_INVALID;
    return FromPixel(m_target.Row(y)[x]);
}

void DeviceContext::BitBlt(int x, int y, const Bitmap& source) {
    BitBlt(x, y, source.Width(), source.Height(), source, 0, 0);
}

void DeviceContext::BitBlt(int x, int y, int width, int height, const Bitmap& source, int sourceX,
                           int sourceY) {
    // Clip the destination rectangle to the clip and to where the source lands, in 64 bits since
    // the corners may lie anywhere; the result lies inside the bitmap.
    const Rect clip = EffectiveClip();
    const long long shiftX = static_cast<long long>(sourceX) - x;
    const long long shiftY = static_cast<long long>(sourceY) - y;
    const long long left = std::max({static_cast<long long>(x), -shiftX, static_cast<long long>(clip.left)});
    const long long top = std::max({static_cast<long long>(y), -shiftY, static_cast<long long>(clip.top)});
    const long long right = std::min({static_cast<long long>(x) + std::max(width, 0), source.Width() - shiftX,
                                      static_cast<long long>(clip.right)});
    const long long bottom = std::min({static_cast<long long>(y) + std::max(height, 0),
                                       source.Height() - shiftY, static_cast<long long>(clip.bottom)});
    if (right <= left || bottom <= top)
        return;
    const Rect destination{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                           static_cast<int>(bottom)};
    const auto offsetX = static_cast<int>(shiftX);
    const auto offsetY = static_cast<int>(shiftY);
    const auto bytes = static_cast<std::size_t>(destination.Width()) * sizeof(Pixel);
    for (int row = destination.top; row < destination.bottom; ++row)
        std::memmove(m_target.Row(row) + destination.left,
                     source.Row(row + offsetY) + destination.left + offsetX, bytes);
}

} // namespace mouldview::raster
