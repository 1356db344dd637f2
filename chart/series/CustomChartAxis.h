// What a series sees of an axis: its direction, whether it runs backwards, and its pixel-to-value
// mapping. The chart's axes (TChartAxis) derive from it.
#pragma once

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

private:
    bool m_horizontal;
    bool m_depth;
};

} // namespace mouldview::chart
