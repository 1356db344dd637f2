// The line series class chain: TCustomLineSeries and TCustomSeries between the data side of a
// series and TLineSeries, the kind of series the result window shows.
#pragma once

#include "chart/series/ChartSeries.h"

namespace mouldview::chart {

class TCustomLineSeries : public TChartSeries {};

class TCustomSeries : public TCustomLineSeries {
public:
    // Stacked series would report the extent of the stack; without stacking these are the value
    // lists' own extents.
    double MaxX() const override;
    double MaxY() const override;
    double MinX() const override;
    double MinY() const override;
};

class TLineSeries : public TCustomSeries {};

} // namespace mouldview::chart
