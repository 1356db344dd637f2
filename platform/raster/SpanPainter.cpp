// Span union and the span painter: the one place where fills and wide strokes reach pixels.
#include "platform/raster/SpanPainter.h"

#include <algorithm>

namespace mouldview::raster {

void SpanSet::Normalize() {
    if (m_spans.empty())
        return;
    std::sort(m_spans.begin(), m_spans.end(),
              [](const Span& a, const Span& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
    std::size_t out = 0;
    for (std::size_t i = 1; i < m_spans.size(); ++i) {
        Span& last = m_spans[out];
        const Span& next = m_spans[i];
        if (next.y == last.y && next.x0 <= last.x1)
            last.x1 = std::max(last.x1, next.x1);
        else
            m_spans[++out] = next;
    }
    m_spans.resize(out + 1);
}

RopMasks::RopMasks(RasterOp op, Pixel pen) {
    const Pixel onZero = ApplyRop(op, pen, 0);
    const Pixel onOnes = ApplyRop(op, pen, 0x00FFFFFFu);
    andMask = onZero ^ onOnes;
    xorMask = onZero;
}

void SpanPainter::PaintSpan(int y, int x0, int x1, const RopMasks& rop) {
    if (y < m_clip.top || y >= m_clip.bottom || rop.IsNop())
        return;
    x0 = std::max(x0, m_clip.left);
    x1 = std::min(x1, m_clip.right);
    if (x1 <= x0)
        return;
    Pixel* row = m_target.Row(y);
    if (rop.IsCopy()) {
        std::fill(row + x0, row + x1, rop.xorMask);
        return;
    }
    for (int x = x0; x < x1; ++x)
        row[x] = rop.Apply(row[x]);
}

void SpanPainter::PaintBrushSpan(int y, int x0, int x1, const BrushPaint& paint) {
    const Brush& brush = *paint.brush;
    if (brush.style == BrushStyle::Clear)
        return;
    if (brush.style == BrushStyle::Solid) {
        PaintSpan(y, x0, x1, RopMasks(paint.rop, paint.color));
        return;
    }
    if (y < m_clip.top || y >= m_clip.bottom)
        return;
    x0 = std::max(x0, m_clip.left);
    x1 = std::min(x1, m_clip.right);
    if (x1 <= x0)
        return;
    Pixel* row = m_target.Row(y);
    if (const unsigned char* hatch = HatchPattern(brush.style)) {
        const RopMasks set(paint.rop, paint.color);
        const RopMasks clear(paint.rop, paint.bkColor);
        const unsigned bits = hatch[y & 7];
        for (int x = x0; x < x1; ++x) {
            if (bits & (0x80u >> (x & 7)))
                row[x] = set.Apply(row[x]);
            else if (paint.paintBackground)
                row[x] = clear.Apply(row[x]);
        }
        return;
    }
    // A pattern bitmap, tiled from the bitmap's origin.
    const Bitmap* pattern = brush.pattern.get();
    if (pattern == nullptr || pattern->IsEmpty())
        return;
    const int pw = pattern->Width();
    const int ph = pattern->Height();
    const Pixel* patternRow = pattern->Row(((y % ph) + ph) % ph);
    if (brush.monochromePattern) {
        const RopMasks set(paint.rop, paint.color);
        const RopMasks clear(paint.rop, paint.bkColor);
        for (int x = x0; x < x1; ++x) {
            if (patternRow[((x % pw) + pw) % pw] != 0x00FFFFFFu)
                row[x] = set.Apply(row[x]);
            else if (paint.paintBackground)
                row[x] = clear.Apply(row[x]);
        }
        return;
    }
    for (int x = x0; x < x1; ++x)
        row[x] = ApplyRop(paint.rop, patternRow[((x % pw) + pw) % pw], row[x]);
}

const unsigned char* HatchPattern(BrushStyle style) {
    static const unsigned char horizontal[8] = {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00};
    static const unsigned char vertical[8] = {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08};
    static const unsigned char fDiagonal[8] = {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
    static const unsigned char bDiagonal[8] = {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
    static const unsigned char cross[8] = {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08};
    static const unsigned char diagCross[8] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
    switch (style) {
    case BrushStyle::Horizontal:
        return horizontal;
    case BrushStyle::Vertical:
        return vertical;
    case BrushStyle::FDiagonal:
        return fDiagonal;
    case BrushStyle::BDiagonal:
        return bDiagonal;
    case BrushStyle::Cross:
        return cross;
    case BrushStyle::DiagCross:
        return diagCross;
    default:
        return nullptr;
    }
}

} // namespace mouldview::raster
