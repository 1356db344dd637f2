// What a series sees of an axis: the mapping between values and pixels of the last paint. The
// chart's axes (TChartAxis) derive from it.
#pragma once

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mouldview::chart {

// A value-to-pixel mapping of the form base + d or base - d, d = (value - origin) * scale, clamped
// to +-Limit and rounded half to even. The chart's axes map values this way; a drawing loop that
// holds a copy maps a point without a call per coordinate.
struct TPixelMapping {
    // Mapped pixels are clamped to +-Limit, far beyond any window yet safe to draw.
    static constexpr int Limit = 0x3FFFFFF;

    double origin = 0;
    double scale = 0;
    double base = 0;
    bool subtract = false;
    // A zero range maps every value to one pixel.
    bool constant = false;
    int constantPixel = 0;

    int Map(double value) const {
        if (constant) {
            return constantPixel;
        }
        const double d = (value - origin) * scale;
        const double p = subtract ? base - d : base + d;
        // The clamp comes first, so the rounding below always sees a value well inside int.
        if (p > Limit) {
            return Limit;
        }
        if (p < -Limit) {
            return -Limit;
        }
        if (p != p) {
            return 0;
        }
#if defined(__SSE2__)
        // cvtsd2si rounds in the current mode, round-to-nearest-even unless someone changed it,
        // exactly as nearbyint does, without the library call.
        return _mm_cvtsd_si32(_mm_set_sd(p));
#else
        return static_cast<int>(std::nearbyint(p));
#endif
    }
};

class TCustomChartAxis {
public:
    TCustomChartAxis() = default;
    virtual ~TCustomChartAxis() = default;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    // The value at a pixel, and the pixel of a value, by the mapping of the last paint.
    virtual double PixelToValue(int pixel) const = 0;
    virtual TPixelMapping PixelMapping() const = 0;
    int ValueToPixel(double value) const { return PixelMapping().Map(value); }
};

} // namespace mouldview::chart
