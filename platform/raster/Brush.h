// Description of a brush: how the inside of rectangles and polygons is filled.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Colors.h"

#include <memory>

namespace mouldview::raster {

enum class BrushStyle {
    Solid,
    Clear, // fills nothing
    Horizontal,
    Vertical,
    FDiagonal, // forward diagonal: lines from the top left down to the bottom right
    BDiagonal, // backward diagonal: lines from the bottom left up to the top right
    Cross,
    DiagCross,
    Pattern // the bitmap in Brush::pattern, tiled
};

// A brush as handed to DeviceContext::SetBrush.
//
// Hatches are 8 x 8 one-bit patterns aligned to the bitmap's origin (pixel (x, y) uses row y mod 8
// and column x mod 8, the most significant bit leftmost), rows from the top:
//   Horizontal 00 00 00 FF 00 00 00 00   Vertical  08 08 08 08 08 08 08 08
//   FDiagonal  80 40 20 10 08 04 02 01   BDiagonal 01 02 04 08 10 20 40 80
//   Cross      08 08 08 FF 08 08 08 08   DiagCross 81 42 24 18 18 24 42 81
// Set bits take the brush colour; clear bits the background colour in opaque background mode and
// are left alone in transparent mode.
//
// A Pattern brush tiles `pattern` from the bitmap's origin. When `monochromePattern` is true, the
// pattern's white pixels count as clear bits and all others as set bits, and they are painted like
// a hatch (set bits in the text colour, as the platform does for one-bit pattern brushes; clear
// bits in the background colour in opaque mode); otherwise the pattern's pixels are copied as they
// are. A Pattern brush without a pattern fills nothing.
struct Brush {
    BrushStyle style = BrushStyle::Solid;
    ColorRef color = 0x00FFFFFF; // clNone fills nothing
    std::shared_ptr<const Bitmap> pattern;
    bool monochromePattern = false;

    friend bool operator==(const Brush&, const Brush&) = default;
};

} // namespace mouldview::raster
