// Internal: horizontal pixel runs and the painter that writes them into a bitmap with a raster
// operation, a solid colour or a brush pattern, always inside a clip rectangle.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Brush.h"
#include "platform/raster/RasterModes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace mouldview::raster {

// Pixels x0..x1-1 of row y.
struct Span {
    int y;
    int x0;
    int x1;
};

// The union of spans collected from several shapes, cut to a clip rectangle. Few spans are kept
// in a list; past a threshold they go into a bit mask over the clip, so that a stroke of thousands
// of overlapping pieces costs what its pieces are long rather than a sort of all of them.
// Normalize must be called after the last Add: then Spans() holds the union sorted by row and x,
// every pixel in exactly one span.
class SpanSet {
public:
    explicit SpanSet(const Rect& clip) : m_clip(clip) {}

    void Add(int y, int x0, int x1) {
        if (y < m_clip.top || y >= m_clip.bottom)
            return;
        x0 = std::max(x0, m_clip.left);
        x1 = std::min(x1, m_clip.right);
        if (x1 <= x0)
            return;
        if (!m_mask.empty()) {
            Mark(y, x0, x1);
            return;
        }
        m_spans.push_back(Span{y, x0, x1});
        if (m_spans.size() > listLimit)
            SwitchToMask();
    }
    void Normalize();
    const std::vector<Span>& Spans() const { return m_spans; }
    bool IsEmpty() const { return m_spans.empty() && m_mask.empty(); }

private:
    static constexpr std::size_t listLimit = 4096;
    void SwitchToMask();
    void Mark(int y, int x0, int x1);

    Rect m_clip;
    std::vector<Span> m_spans;
    std::vector<std::uint64_t> m_mask; // one bit per pixel of the clip, rows of m_words words
    std::size_t m_words = 0;
};

// A raster operation with a fixed pen colour reduces, bit by bit, to D & and ^ xor: every bit of
// the result is 0, 1, D or ~D. Computing the two masks once keeps the per-pixel work to two
// operations for all sixteen operations.
struct RopMasks {
    Pixel andMask;
    Pixel xorMask;
    RopMasks(RasterOp op, Pixel pen);
    Pixel Apply(Pixel dest) const { return ((dest & andMask) ^ xorMask) & 0x00FFFFFFu; }
    bool IsCopy() const { return andMask == 0; }
    bool IsNop() const { return andMask == 0x00FFFFFFu && xorMask == 0; }
};

// Writes spans into `target`, clipped to `clip` (which the caller has already bounded by the
// bitmap).
class SpanPainter {
public:
    SpanPainter(Bitmap& target, const Rect& clip) : m_target(target), m_clip(clip) {}

    const Rect& Clip() const { return m_clip; }

    // One run in a solid colour through the raster operation.
    void PaintSpan(int y, int x0, int x1, const RopMasks& rop);
    // One run filled with a brush: `brushColor`/`bkColor` are the colours of set and clear bits of
    // hatches and one-bit patterns (bkColor only used when `paintBackground`).
    struct BrushPaint {
        const Brush* brush;
        Pixel color;
        Pixel bkColor;
        bool paintBackground;
        RasterOp rop;
    };
    void PaintBrushSpan(int y, int x0, int x1, const BrushPaint& paint);

private:
    Bitmap& m_target;
    Rect m_clip;
};

// The 8 x 8 one-bit pattern of a hatch style (rows from the top, most significant bit leftmost);
// nullptr for styles that are not hatches.
const unsigned char* HatchPattern(BrushStyle style);

} // namespace mouldview::raster
