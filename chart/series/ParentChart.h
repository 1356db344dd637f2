// The chart as its series and axes see it: the ordered series list with attaching and the choice of
// free series colours, and the queries and requests that the chart control answers (repaint, plot
// rectangle, colours, loading state, the standard axes, the drawing surface).
#pragma once

#include "chart/canvas/ChartColors.h"
#include "chart/canvas/Geometry.h"

#include <span>
#include <string>
#include <vector>

namespace mouldview::chart {

class TChartSeries;
class TCustomChartAxis;
class TChartCanvas;

// Series events that the chart broadcasts to whoever listens.
enum TChartSeriesEvent { seAdd, seRemove, seChangeColor, seChangeActive, seDataChanged };

class TParentChart {
public:
    TParentChart() = default;
    TParentChart(const TParentChart&) = delete;
    TParentChart& operator=(const TParentChart&) = delete;
    // Detaches every series still in the list; they stay alive, owned by their form.
    virtual ~TParentChart();

    // The series list, in the order in which the series were attached; each series stands once.
    const std::vector<TChartSeries*>& SeriesList() const { return m_seriesList; }
    int SeriesCount() const { return static_cast<int>(m_seriesList.size()); }
    TChartSeries& Series(int i) const { return *m_seriesList[static_cast<std::size_t>(i)]; }
    int ActiveSeriesCount() const;

    // Makes this chart the series' parent and appends the series, unless it is already listed.
    void AttachToChart(TChartSeries& series);
    // Takes the series out of the list (the series keeps its data).
    void RemoveSeries(TChartSeries& series);

    // The chart's own palette, or none (empty), in which case DefaultSeriesPalette is used.
    void SetColorPalette(std::vector<TColor> palette) { m_colorPalette = std::move(palette); }
    std::span<const TColor> ColorPalette() const;

    // The first palette colour that no other series uses (and, with checkBackground, that is neither
    // the chart's background nor its back wall colour); the last entry when none before it is free.
    TColor FindFreeSeriesColor(bool checkBackground, const TChartSeries* except) const;
    virtual bool IsSeriesColorFree(TColor color, bool checkBackground, const TChartSeries* except) const;

    // Marks the chart for a later paint; does nothing while the chart is not repainting on changes.
    virtual void RequestRepaint() = 0;
    // The plotting rectangle of the last layout.
    virtual TRect ChartRect() const = 0;
    // The chart's `Color` and its back wall's colour, as the colour checks compare them.
    virtual TColor BackgroundColor() const = 0;
    virtual TColor BackWallColor() const = 0;
    // True while the stored layout is applied; some setters act differently then.
    virtual bool IsLoading() const = 0;
    // The four standard axes the series bind to.
    virtual TCustomChartAxis* BottomAxis() const = 0;
    virtual TCustomChartAxis* TopAxis() const = 0;
    virtual TCustomChartAxis* LeftAxis() const = 0;
    virtual TCustomChartAxis* RightAxis() const = 0;
    // The drawing surface the chart paints on (axes measure their label texts on it).
    virtual TChartCanvas& Canvas() = 0;
    // The chart's axis-label event: may replace the text of an axis label; unassigned here.
    virtual void AxisLabelEvent(const TCustomChartAxis& /*axis*/, double /*value*/,
                                std::string& /*text*/) const {}
    // Broadcast of series events; nobody listens in this program.
    virtual void BroadcastSeriesEvent(TChartSeriesEvent /*event*/, TChartSeries& /*series*/) {}

    // True once the chart's destruction has begun; series then stop asking it to repaint.
    bool Destroying() const { return m_destroying; }

protected:
    // The chart control calls this first thing in its destructor.
    void BeginDestroy() { m_destroying = true; }

private:
    std::vector<TChartSeries*> m_seriesList;
    std::vector<TColor> m_colorPalette;
    bool m_destroying = false;
};

} // namespace mouldview::chart
