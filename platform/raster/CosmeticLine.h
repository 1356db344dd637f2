// Internal: 1-pixel lines stepped along their major axis, with the pen's on/off pattern and the
// clip applied exactly (the clip never changes which pixels a line would paint, only how many).
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Geometry.h"
#include "platform/raster/Pen.h"
#include "platform/raster/SpanPainter.h"

#include <span>
#include <vector>

namespace mouldview::raster {

// How one cosmetic line paints: `onPattern` holds one flag per pixel of the pattern period
// (empty for a solid line); painted pixels go through `pen`, gap pixels through `gap` when
// `paintGaps` is set (opaque background mode).
struct CosmeticPaint {
    std::vector<bool> onPattern;
    RopMasks pen{RasterOp::CopyPen, 0};
    RopMasks gap{RasterOp::CopyPen, 0};
    bool paintGaps = false;
};

// The pattern of a cosmetic pen style, one flag per pixel; empty for solid lines.
std::vector<bool> CosmeticPattern(const Pen& pen);

// Paints the pixels of the line from (x0, y0) towards (x1, y1), its end pixel excluded, that lie
// in `clip` (already bounded by the bitmap). Step i of the line uses pattern position
// patternStart + i. Returns the number of steps of the whole line, clipped ones included, so that
// the caller can carry the pattern on.
long long DrawCosmeticLine(Bitmap& target, const Rect& clip, long long x0, long long y0, long long x1,
                           long long y1, const CosmeticPaint& paint, long long patternStart);

// Paints the segments of a polyline (closed: with the segment from the last point back to the
// first) as DrawCosmeticLine does one by one, the pattern carried on from `patternStart`. Returns
// the number of steps of all segments.
long long DrawCosmeticPolyline(Bitmap& target, const Rect& clip, std::span<const Point> points, bool closed,
                               const CosmeticPaint& paint, long long patternStart);

} // namespace mouldview::raster
