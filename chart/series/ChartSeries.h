// The data side of a series: X and Y value lists kept in X order, the series colour with its
// palette default, the parent chart and the two axes the series is plotted against, and the index
// range of the points that lie inside the horizontal axis' range.
#pragma once

#include "chart/canvas/ChartColors.h"
#include "chart/series/ChartValueList.h"

namespace mouldview::chart {

class TCustomChartAxis;
class TParentChart;

class TChartSeries {
public:
    TChartSeries() = default;
    // Leaves the parent chart's series list.
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    TParentChart* ParentChart() const { return m_parentChart; }
    // Moves the series to another chart (or to none): out of the old chart's list, then attached to
    // the new one.
    void SetParentChart(TParentChart* chart);

    TChartValueList& XValues() { return m_xValues; }
    TChartValueList& YValues() { return m_yValues; }
    const TChartValueList& XValues() const { return m_xValues; }
    const TChartValueList& YValues() const { return m_yValues; }

    // Stores a point at its place in X order and returns its index.
    int AddPoint(double x, double y);
    void ClearPoints();

    int PointCount() const { return m_xValues.Count(); }
    double X(int i) const { return m_xValues.Value(i); }
    double Y(int i) const { return m_yValues.Value(i); }
    double MaxX() const { return m_xValues.HighestValue(); }
    double MaxY() const { return m_yValues.HighestValue(); }
    double MinX() const { return m_xValues.LowestValue(); }
    double MinY() const { return m_yValues.LowestValue(); }

    TColor SeriesColor() const { return m_seriesColor; }
    void SetSeriesColor(TColor color);
    // SeriesColor when set, AutoColor otherwise.
    TColor EffectiveColor() const { return m_seriesColor != clDefault ? m_seriesColor : m_autoColor; }

    // The parent chart's bottom and left axis, once the series joined it.
    TCustomChartAxis* BoundHorizAxis() const { return m_boundHorizAxis; }
    TCustomChartAxis* BoundVertAxis() const { return m_boundVertAxis; }
    bool IsAssociatedToAxis(const TCustomChartAxis& axis) const {
        return &axis == m_boundHorizAxis || &axis == m_boundVertAxis;
    }

    // Finds the first and last point to draw for the horizontal axis' current range.
    void CalcVisibleRange();
    int FirstVisible() const { return m_firstVisible; }
    int LastVisible() const { return m_lastVisible; }
    // Draws the points FirstVisible..LastVisible (the chart calls it after CalcVisibleRange).
    virtual void DrawAllValues() = 0;

protected:
    void Repaint() const;

private:
    friend class TParentChart;

    // The step a chart runs when the series joins it, before the series is in its list.
    void Added();
    // Called by the parent chart's destructor: the chart is gone, nothing is attached any more.
    void ForgetParentChart();

    TParentChart* m_parentChart = nullptr;
    TChartValueList m_xValues{"X", loAscending};
    TChartValueList m_yValues{"Y", loNone};
    TColor m_seriesColor = clDefault;
    // The palette colour the series took when it joined a chart with SeriesColor unset.
    TColor m_autoColor = clDefault;
    TCustomChartAxis* m_boundHorizAxis = nullptr;
    TCustomChartAxis* m_boundVertAxis = nullptr;
    int m_firstVisible = -1;
    int m_lastVisible = -1;
};

} // namespace mouldview::chart
