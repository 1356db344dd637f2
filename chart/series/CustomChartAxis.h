// What a series sees of an axis: its direction, whether it runs backwards, and its pixel-to-value
// mapping. The chart's axes (TChartAxis) derive from it.
#pragma once

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mouldview::chart {

// A value-to-pixel mapping of the form base + d or base - d, d = (value - origin) * scale, clamped
// to +-Limit and rounded half to even. The chart's axes map values this way; a drawing loop that
// holds a copy maps a point without a call per coordinate and gets the very same pixel.
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
    // A depth axis (3D mode) is neither horizontal nor vertical; no series is plotted along it here.
    TCustomChartAxis(bool horizontal, bool depth) : m_horizontal(horizontal), m_depth(depth) {}
    virtual ~TCustomChartAxis() = default;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    bool Horizontal() const { return m_horizontal; }
    bool IsDepthAxis() const { return m_depth; }
    virtual bool Inverted() const = 0;
    // The value at a pixel by the mapping of the last paint.
    virtual double PixelToValue(int pixel) const = 0;
    // The pixel of a value by the mapping of the last paint. This default inverts a linear
    // PixelToValue; the chart's axes replace it with their own scale.
    virtual int ValueToPixel(double value) const {
        const double v0 = PixelToValue(0);
        const double step = PixelToValue(1) - v0;
        if (!(step != 0)) {
            return 0;
        }
        // Far values are held well inside the pixel type, as the chart's axes do.
        const double pixel = std::fmax(-67108863.0, std::fmin(67108863.0, (value - v0) / step));
        return static_cast<int>(std::lround(pixel));
    }
    // Fills `mapping` with a copy of this axis's ValueToPixel for the current paint and returns
    // true, when ValueToPixel is exactly such a mapping; false otherwise.
    virtual bool PixelMapping(TPixelMapping& /*mapping*/) const { return false; }
    // Whether values are mapped on a logarithmic scale; series interpolate accordingly.
    virtual bool Logarithmic() const { return false; }

private:
    bool m_horizontal;
    bool m_depth;
};

} // namespace mouldview::chart
