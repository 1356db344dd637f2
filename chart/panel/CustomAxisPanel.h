// The chart with series and axes: the series list and the six standard axes, the chart's side of
// what series and axes ask of it, and the fixed paint sequence DrawChartContent with its steps
// FitAxes, ApplySeriesMargins, DrawAxes and DrawAllSeries. Titles, walls and the legend are added
// by TCustomChart through the overridable steps DrawTitles and DrawWalls.
#pragma once

#include "chart/axes/ChartAxes.h"
#include "chart/panel/CustomChartPanel.h"
#include "chart/series/ParentChart.h"

#include <functional>

namespace mouldview::chart {

// Moments at which the chart's tools are told about a paint (no tools exist in this program).
enum TChartToolEvent {
    cteBeforeDraw,
    cteBeforeDrawAxes,
    cteBeforeDrawSeries,
    cteAfterDrawSeries,
    cteAfterDraw
};

class TCustomAxisPanel : public TCustomChartPanelExtended, public TParentChart {
public:
    using TNotifyEvent = std::function<void()>;

    TCustomAxisPanel();
    ~TCustomAxisPanel() override;

    // --- Axes ---------------------------------------------------------------------------------------
    TChartAxes& Axes() { return m_axes; }
    // The standard axes; the four of the sides are also what series bind to.
    TChartAxis* DepthAxis() const { return &m_axes.Depth(); }
    TChartAxis* DepthTopAxis() const { return &m_axes.DepthTop(); }

    // Master switch of all axes.
    bool AxisVisible() const { return m_axisVisible; }
    void SetAxisVisible(bool value);
    // Axes are painted before (under) the series.
    bool AxisBehind() const { return m_axisBehind; }
    void SetAxisBehind(bool value);
    // Series drawing is clipped to the plotting rectangle.
    bool ClipPoints() const { return m_clipPoints; }
    void SetClipPoints(bool value);
    // Walls are drawn at all.
    bool View3DWalls() const { return m_view3DWalls; }
    void SetView3DWalls(bool value);
    // Depth of the 3D view in percent; no effect on the flat view.
    int Chart3DPercent() const { return m_chart3DPercent; }
    void SetChart3DPercent(int value);

    // --- Queries after a paint ----------------------------------------------------------------------
    // True when no series is active, or some active series is plotted against axes.
    bool AnySeriesUsesAxes() const;
    int Width3D() const { return m_width3D; }
    int Height3D() const { return m_height3D; }

    // Events called at fixed points of the paint sequence when assigned.
    TNotifyEvent OnBeforeDrawChart;
    TNotifyEvent OnBeforeDrawAxes;
    TNotifyEvent OnBeforeDrawSeries;
    TNotifyEvent OnAfterDraw;

    // --- What series and axes ask of their chart ----------------------------------------------------
    void RequestRepaint() override;
    TRect ChartRect() const override { return TCustomChartPanel::ChartRect(); }
    TColor BackgroundColor() const override { return Color(); }
    bool IsLoading() const override { return TCustomChartPanel::IsLoading(); }
    TChartAxis* BottomAxis() const override { return &m_axes.Bottom(); }
    TChartAxis* TopAxis() const override { return &m_axes.Top(); }
    TChartAxis* LeftAxis() const override { return &m_axes.Left(); }
    TChartAxis* RightAxis() const override { return &m_axes.Right(); }
    TChartCanvas3D& Canvas() override { return TCustomChartPanel::Canvas(); }

protected:
    void DrawChartContent(const TRect& chartBounds) override;

    // The steps of DrawChartContent that derived charts fill or replace.
    virtual void DrawTitles(bool /*beforeSeries*/) {}
    virtual void CalcWallsRect();
    virtual void DrawWalls() {}
    // Whether the back wall is drawn after the series (never in the flat view).
    virtual bool DrawBackWallAfter() const { return false; }
    // The room a wall takes beside an axis; 0 in the flat view.
    virtual int AxisWallSize(const TChartAxis& /*axis*/) const { return 0; }
    virtual void NotifyTools(TChartToolEvent /*event*/) {}

    void FitAxes();
    void ApplySeriesMargins();
    void DrawAxes();
    void DrawAllSeries();
    void DrawOneSeries(TChartSeries& series);

private:
    static void Fire(const TNotifyEvent& event) {
        if (event) {
            event();
        }
    }
    bool AxisHasActiveSeries(const TChartAxis& axis) const;

    TChartAxes m_axes;
    bool m_axisVisible = true;
    bool m_axisBehind = true;
    bool m_clipPoints = true;
    bool m_view3DWalls = true;
    int m_chart3DPercent = 15;
    int m_width3D = 0;
    int m_height3D = 0;
};

} // namespace mouldview::chart
