// Conversion of chart colours to the RGB values that reach pixels.
#include "chart/canvas/ChartColors.h"

namespace mouldview::chart {

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color)) {
        return raster::SystemColor(static_cast<int>(color & 0xFFU));
    }
    return color & 0x00FFFFFFU;
}

} // namespace mouldview::chart
