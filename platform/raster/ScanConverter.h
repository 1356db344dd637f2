// Internal: polygon scan conversion into spans, sampling at integer pixel positions.
#pragma once

#include "platform/raster/RasterModes.h"
#include "platform/raster/SpanPainter.h"

#include <span>

namespace mouldview::raster {

struct PointF {
    double x;
    double y;
};

// Adds to `out` the pixels (x, y) of rows rowLo..rowHi-1 whose point (x, y) lies inside the closed
// polygon `points` under `mode`; a point on a left or top edge is inside, on a right or bottom edge
// outside, so polygons that share an edge never share a pixel.
void ScanPolygon(std::span<const PointF> points, PolyFillMode mode, int rowLo, int rowHi, SpanSet& out);

// The same for a convex polygon (each row crosses it in one run), without any allocation: the
// pieces of wide strokes.
void ScanConvex(std::span<const PointF> points, int rowLo, int rowHi, SpanSet& out);

} // namespace mouldview::raster
