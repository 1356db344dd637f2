// Point-size conversion of logical fonts.
#include "platform/raster/Font.h"

namespace mouldview::raster {

int HeightFromPoints(int points, int pixelsPerInch) {
    const long long product = static_cast<long long>(points) * pixelsPerInch;
    const long long rounded = product >= 0 ? (product + 36) / 72 : -((-product + 36) / 72);
    return static_cast<int>(-rounded);
}

} // namespace mouldview::raster
