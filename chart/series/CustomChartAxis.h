// What a series sees of an axis: its direction, whether it runs backwards, and its pixel-to-value
// mapping. The chart's axes (TChartAxis) derive from it.
#pragma once

namespace mouldview::chart {

class TCustomChartAxis {
public:
    explicit TCustomChartAxis(bool horizontal) : m_horizontal(horizontal) {}
    virtual ~TCustomChartAxis() = default;
    TCustomChartAxis(const TCustomChartAxis&) = delete;
    TCustomChartAxis& operator=(const TCustomChartAxis&) = delete;

    bool Horizontal() const { return m_horizontal; }
    virtual bool Inverted() const = 0;
    // The value at a pixel by the mapping of the last paint.
    virtual double PixelToValue(int pixel) const = 0;

private:
    bool m_horizontal;
};

} // namespace mouldview::chart
