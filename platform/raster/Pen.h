// Description of a pen: what a stroke looks like (style, width, colour, caps, joins, dash pattern).
#pragma once

#include "platform/raster/Colors.h"

#include <vector>

namespace mouldview::raster {

// Values equal the platform's pen style numbers (solid 0 ... alternate 8).
enum class PenStyle {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Clear = 5,       // strokes nothing
    InsideFrame = 6, // solid; Rectangle keeps a wide outline inside its rectangle
    UserStyle = 7,   // the dash pattern in Pen::userDashes
    Alternate = 8    // every other pixel along the line, always 1 pixel wide
};

enum class PenType {
    Cosmetic, // 1 pixel wide, integer line stepping with per-pixel patterns
    Geometric // stroked as a polygon of the pen's width, with caps and joins
};

enum class EndCap { Round, Square, Flat };
enum class LineJoin { Round, Bevel, Miter };

// A pen as handed to DeviceContext::SetPen.
//
// Cosmetic pens (the default; `width` is ignored and counts as 1) step along the major axis one
// pixel at a time. Their patterns, in pixels along that axis, starting with a painted run:
// Dash 18 on / 6 off; Dot 3 / 3; DashDot 9 / 6 / 3 / 6; DashDotDot 9 / 3 / 3 / 3 / 3 / 3;
// UserStyle the `userDashes` lengths; Alternate 1 / 1. The pattern position carries on from one
// segment of a polyline to the next and across consecutive LineTo calls; MoveTo restarts it. In
// opaque background mode the gaps are painted in the background colour.
//
// Geometric pens of width w stroke the region within w/2 of the path, with `endCap` at the ends
// of the path and of every dash and `join` at the corners. Standard patterns are in units of w:
// Dash 3 / 1; Dot 1 / 1; DashDot 3 / 1 / 1 / 1; DashDotDot 3 / 1 / 1 / 1 / 1 / 1. With round or
// square caps each painted run is shortened by w and the following gap lengthened by w to leave
// room for the caps. UserStyle lengths are in pixels and are used as given (a 0 run with round
// caps is a single round dot). Gaps of geometric pens are never painted. Alternate is drawn as
// the cosmetic alternate pen whatever the type. A geometric pattern starts afresh with every
// LineTo, Polyline, Rectangle and Polygon and runs on around the corners of one path.
//
// A round cap or join of a pen of width w >= 2 is the elliptic region with corners
// (-w/2, -w/2) and ((w+1)/2 + 1, (w+1)/2 + 1) around the point (integer division, the right and
// bottom corner exclusive): a 3 x 3 blob for w = 2. For w = 1 it is the pixel itself.
struct Pen {
    PenStyle style = PenStyle::Solid;
    PenType type = PenType::Cosmetic;
    int width = 1;      // widths below 1 count as 1
    ColorRef color = 0; // black; clNone strokes nothing
    EndCap endCap = EndCap::Round;
    LineJoin join = LineJoin::Round;
    // On/off run lengths for PenStyle::UserStyle, starting with a painted run; an empty list or an
    // all-zero list draws solid.
    std::vector<int> userDashes;

    friend bool operator==(const Pen&, const Pen&) = default;
};

// A pen as CreatePen makes it: cosmetic for width <= 1, geometric with round caps and joins above.
inline Pen MakePen(PenStyle style, int width, ColorRef color) {
    Pen pen;
    pen.style = style;
    pen.type = width <= 1 ? PenType::Cosmetic : PenType::Geometric;
    pen.width = width <= 1 ? 1 : width;
    pen.color = color;
    return pen;
}

} // namespace mouldview::raster
