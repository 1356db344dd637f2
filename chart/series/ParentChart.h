// The chart as its series and axes see it: the ordered series list with attaching and the choice of
// free series colours, and what the chart control answers (repaint requests, the plot rectangle,
// its colours, the loading state, the two axes, the drawing surface).
#pragma once

#include "chart/canvas/ChartColors.h"
#include "chart/canvas/Geometry.h"

#include <vector>

namespace mouldview::chart {

class TChartSeries;
class TChartCanvas;
class TCustomChartAxis;

class TParentChart {
public:
    TParentChart() = default;
    TParentChart(const TParentChart&) = delete;
    TParentChart& operator=(const TParentChart&) = delete;
    // Detaches every series still in the list; they stay alive, owned by their form.
    virtual ~TParentChart();

    // The series list, in the order in which the series were attached; each series stands once.
    const std::vector<TChartSeries*>& SeriesList() const { return m_seriesList; }

    // Makes this chart the series' parent and appends the series, unless it is already listed.
    void AttachToChart(TChartSeries& series);
    // Takes the series out of the list (the series keeps its data).
    void RemoveSeries(TChartSeries& series);

    // The first colour of DefaultSeriesPalette that no series of the list uses and that is neither
    // the chart's background nor its back wall colour; the last entry when none before it is free.
    TColor FindFreeSeriesColor() const;
    bool IsSeriesColorFree(TColor color) const;

    // Marks the chart for a later paint; does nothing while the chart is not repainting on changes.
    virtual void RequestRepaint() = 0;
    // The plotting rectangle of the last layout.
    virtual TRect ChartRect() const = 0;
    // The chart's `Color` and its back wall's colour, as the colour choice compares them.
    virtual TColor BackgroundColor() const = 0;
    virtual TColor BackWallColor() const = 0;
    // True while the stored layout is applied; some setters act differently then.
    virtual bool IsLoading() const = 0;
    // The axes the series are plotted against: periods along the bottom, values up the left.
    virtual TCustomChartAxis* BottomAxis() const = 0;
    virtual TCustomChartAxis* LeftAxis() const = 0;
    // The drawing surface the chart paints on (axes measure their label texts on it).
    virtual TChartCanvas& Canvas() = 0;

    // True once the chart's destruction has begun; series then stop asking it to repaint.
    bool Destroying() const { return m_destroying; }

protected:
    // The chart control calls this first thing in its destructor.
    void BeginDestroy() { m_destroying = true; }

private:
    std::vector<TChartSeries*> m_seriesList;
    bool m_destroying = false;
};

} // namespace mouldview::chart
