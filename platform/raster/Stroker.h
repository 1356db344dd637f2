// Internal: geometric (wide) pens. A stroke is cut into dashes by the pen's pattern, and every
// dash becomes convex pieces (segment bodies, caps, joins) whose union is collected as spans.
#pragma once

#include "platform/raster/Geometry.h"
#include "platform/raster/Pen.h"
#include "platform/raster/SpanPainter.h"

#include <span>

namespace mouldview::raster {

// Adds to `out` the pixels (at least all of those inside `clip`) that the geometric pen `pen`
// covers along the path through `points` (closed: back to the first point, with a join instead of
// two caps).
void StrokeGeometric(std::span<const Point> points, bool closed, const Pen& pen, const Rect& clip,
                     SpanSet& out);

// The round cap or join of a pen of width `width` around (x, y), as spans.
void AddRoundBlob(int x, int y, int width, int rowLo, int rowHi, SpanSet& out);

} // namespace mouldview::raster
