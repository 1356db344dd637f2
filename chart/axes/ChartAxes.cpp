// Creation of the six standard axes.
#include "chart/axes/ChartAxes.h"

namespace mouldview::chart {

TChartAxes::TChartAxes(TParentChart& chart)
    : m_axes{std::make_unique<TChartAxis>(chart, true, false, 0),
             std::make_unique<TChartAxis>(chart, true, true, 0),
             std::make_unique<TChartAxis>(chart, false, false, 90),
             std::make_unique<TChartAxis>(chart, false, true, 270),
             std::make_unique<TChartAxis>(chart, false, false, 0, true),
             std::make_unique<TChartAxis>(chart, false, true, 0, true)} {}

} // namespace mouldview::chart
