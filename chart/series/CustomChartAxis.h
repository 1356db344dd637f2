// What a series sees of an axis: its direction, whether it runs backwards, and its pixel-to-value
// mapping. The chart's axes (TChartAxis) derive from it.
#pragma once

#include <cmath>

namespace mouldview::chart {

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
    // Whether values are mapped on a logarithmic scale; series interpolate accordingly.
    virtual bool Logarithmic() const { return false; }

private:
    bool m_horizontal;
    bool m_depth;
};

} // namespace mouldview::chart
