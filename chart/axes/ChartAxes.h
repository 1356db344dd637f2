// The chart's six standard axes, created together in their fixed list order: bottom, top, left,
// right, depth, depth-top. The chart owns one TChartAxes and runs its paint steps over it.
#pragma once

#include "chart/axes/ChartAxis.h"

#include <array>
#include <memory>

namespace mouldview::chart {

class TChartAxes {
public:
    static constexpr int StandardAxisCount = 6;

    explicit TChartAxes(TParentChart& chart);

    int Count() const { return StandardAxisCount; }
    // Axis i in list order.
    TChartAxis& operator[](int i) const { return *m_axes[static_cast<std::size_t>(i)]; }
    TChartAxis& Bottom() const { return *m_axes[0]; }
    TChartAxis& Top() const { return *m_axes[1]; }
    TChartAxis& Left() const { return *m_axes[2]; }
    TChartAxis& Right() const { return *m_axes[3]; }
    TChartAxis& Depth() const { return *m_axes[4]; }
    TChartAxis& DepthTop() const { return *m_axes[5]; }

private:
    std::array<std::unique_ptr<TChartAxis>, StandardAxisCount> m_axes;
};

} // namespace mouldview::chart
