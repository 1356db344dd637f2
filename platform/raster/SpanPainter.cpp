// Span union and the span painter: the one place where fills and wide strokes reach pixels.
#include "platform/raster/SpanPainter.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace mouldview::raster {

void SpanSet::SwitchToMask() {
    m_words = (static_cast<std::size_t>(m_clip.Width()) + 63) / 64;
    m_mask.assign(m_words * static_cast<std::size_t>(m_clip.Height()), 0);
    for (const Span& span : m_spans)
        Mark(span.y, span.x0, span.x1);
    m_spans.clear();
}

void SpanSet::Mark(int y, int x0, int x1) {
    std::uint64_t* row = m_mask.data() + static_cast<std::size_t>(y - m_clip.top) * m_words;
    const auto from = static_cast<std::size_t>(x0 - m_clip.left);
    const auto to = static_cast<std::size_t>(x1 - m_clip.left); // exclusive
    const std::size_t firstWord = from / 64;
    const std::size_t lastWord = (to - 1) / 64;
    const std::uint64_t firstMask = ~std::uint64_t{0} << (from % 64);
    const std::uint64_t lastMask = ~std::uint64_t{0} >> (63 - (to - 1) % 64);
    if (firstWord == lastWord) {
        row[firstWord] |= firstMask & lastMask;
        return;
    }
    row[firstWord] |= firstMask;
    for (std::size_t w = firstWord + 1; w < lastWord; ++w)
        row[w] = ~std::uint64_t{0};
    row[lastWord] |= lastMask;
}

void SpanSet::Normalize() {
    if (m_mask.empty()) {
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
        return;
    }
    // Runs of set bits, row by row, are the union already sorted and merged.
    const std::size_t bits = m_words * 64;
    for (int y = m_clip.top; y < m_clip.bottom; ++y) {
        const std::uint64_t* row = m_mask.data() + static_cast<std::size_t>(y - m_clip.top) * m_words;
        std::size_t i = 0;
        while (i < bits) {
            const std::uint64_t rest = row[i / 64] >> (i % 64);
            if (rest == 0) {
                i = (i / 64 + 1) * 64;
                continue;
            }
            i += static_cast<std::size_t>(std::countr_zero(rest));
            const std::size_t start = i;
            while (i < bits) {
                const std::uint64_t ones = ~(row[i / 64] >> (i % 64));
                const std::size_t run =
                    ones == 0 ? 64 - i % 64 : static_cast<std::size_t>(std::countr_zero(ones));
                i += run;
                if (i % 64 != 0 || run == 0)
                    break;
            }
            m_spans.push_back(
                Span{y, m_clip.left + static_cast<int>(start), m_clip.left + static_cast<int>(i)});
        }
    }
    m_mask.clear();
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
