// The drawing modes the raster pipeline shares: raster operations, the background mode, the polygon
// fill mode and the text alignment flags, with the platform's numbers. The device context takes
// them as state; the span painter and the scan converter work with them.
#pragma once

#include "platform/raster/Colors.h"

namespace mouldview::raster {

// The 16 binary raster operations with the platform's R2_ numbers. D is the destination pixel, P
// the pen (or brush) colour; the operation works bitwise on the 24 colour bits:
// Black 0; NotMergePen ~(P|D); MaskNotPen D&~P; NotCopyPen ~P; MaskPenNot P&~D; Not ~D; XorPen P^D;
// NotMaskPen ~(P&D); MaskPen P&D; NotXorPen ~(P^D); Nop D; MergeNotPen D|~P; CopyPen P;
// MergePenNot P|~D; MergePen P|D; White all ones.
enum class RasterOp {
    Black = 1,
    NotMergePen = 2,
    MaskNotPen = 3,
    NotCopyPen = 4,
    MaskPenNot = 5,
    Not = 6,
    XorPen = 7,
    NotMaskPen = 8,
    MaskPen = 9,
    NotXorPen = 10,
    Nop = 11,
    MergeNotPen = 12,
    CopyPen = 13,
    MergePenNot = 14,
    MergePen = 15,
    White = 16
};

// The result of raster operation `op` on pen colour `pen` and destination `dest` (both Pixel
// values; the top byte of the result is 0).
Pixel ApplyRop(RasterOp op, Pixel pen, Pixel dest);

enum class BkMode { Transparent = 1, Opaque = 2 };

enum class PolyFillMode {
    Alternate = 1, // even-odd
    Winding = 2    // non-zero winding number
};

// Text alignment flags, the platform's values; one horizontal flag combined with one vertical flag.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

} // namespace mouldview::raster
