// Extent queries of series that could be stacked.
#include "chart/series/LineSeries.h"

namespace mouldview::chart {

double TCustomSeries::MaxX() const {
    return TChartSeries::MaxX();
}
double TCustomSeries::MaxY() const {
    return TChartSeries::MaxY();
}
double TCustomSeries::MinX() const {
    return TChartSeries::MinX();
}
double TCustomSeries::MinY() const {
    return TChartSeries::MinY();
}

} // namespace mouldview::chart
