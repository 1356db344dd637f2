// The paint sequence of a chart with axes: panel, titles, axis layout, series margins, walls, axes,
// series, zoom band, in a fixed order on every paint that is not served from the buffer.
#include "chart/panel/CustomAxisPanel.h"

#include "chart/series/ChartSeries.h"

#include <algorithm>

namespace mouldview::chart {

namespace {

TRect Intersection(const TRect& a, const TRect& b) {
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

} // namespace

TCustomAxisPanel::TCustomAxisPanel() : m_axes(*this) {}

TCustomAxisPanel::~TCustomAxisPanel() {
    // Series outlive the chart (their form owns them); from here on they stop asking for paints.
    BeginDestroy();
    SetAutoRepaint(false);
}

void TCustomAxisPanel::RequestRepaint() {
    if (Destroying()) {
        return;
    }
    TCustomChartPanel::RequestRepaint();
}

void TCustomAxisPanel::SetAxisVisible(bool value) {
    if (m_axisVisible != value) {
        m_axisVisible = value;
        RequestRepaint();
    }
}

void TCustomAxisPanel::SetAxisBehind(bool value) {
    if (m_axisBehind != value) {
        m_axisBehind = value;
        RequestRepaint();
    }
}

void TCustomAxisPanel::SetClipPoints(bool value) {
    if (m_clipPoints != value) {
        m_clipPoints = value;
        RequestRepaint();
    }
}

void TCustomAxisPanel::SetView3DWalls(bool value) {
    if (m_view3DWalls != value) {
        m_view3DWalls = value;
        RequestRepaint();
    }
}

void TCustomAxisPanel::SetChart3DPercent(int value) {
    if (m_chart3DPercent != value) {
        m_chart3DPercent = value;
        RequestRepaint();
    }
}

bool TCustomAxisPanel::AnySeriesUsesAxes() const {
    bool anyActive = false;
    for (const TChartSeries* series : SeriesList()) {
        if (series->Active()) {
            anyActive = true;
            if (series->UsesAxes()) {
                return true;
            }
        }
    }
    return !anyActive;
}

// --- The paint sequence ----------------------------------------------------------------------------

void TCustomAxisPanel::DrawChartContent(const TRect& chartBounds) {
    // Changes made by painting itself (ranges, fonts being applied) must not ask for another paint.
    // The flag comes back however the sequence ends.
    struct AutoRepaintOff {
        explicit AutoRepaintOff(TCustomAxisPanel& panel) : Panel(panel), Saved(panel.AutoRepaint()) {
            panel.SetAutoRepaint(false);
        }
        ~AutoRepaintOff() { Panel.SetAutoRepaint(Saved); }
        AutoRepaintOff(const AutoRepaintOff&) = delete;
        AutoRepaintOff& operator=(const AutoRepaintOff&) = delete;
        TCustomAxisPanel& Panel;
        bool Saved;
    } autoRepaintOff(*this);

    PaintPanel(chartBounds);
    NotifyTools(cteBeforeDraw);
    Fire(OnBeforeDrawChart);
    for (TChartSeries* series : SeriesList()) {
        if (series->Active()) {
            series->DoBeforeDrawChart();
        }
    }
    DrawTitles(true);
    // Series depth order and positions: every series stands at depth 0 in the flat view.
    CalcWallsRect();
    FitAxes();
    ApplySeriesMargins();
    Canvas().Projection(0, chartBounds, ChartRect());
    DrawWalls();
    if (m_axisBehind) {
        NotifyTools(cteBeforeDrawAxes);
        DrawAxes();
    }
    NotifyTools(cteBeforeDrawSeries);
    Fire(OnBeforeDrawSeries);
    DrawAllSeries();
    NotifyTools(cteAfterDrawSeries);
    if (!m_axisBehind) {
        NotifyTools(cteBeforeDrawAxes);
        DrawAxes();
    }
    DrawTitles(false);
    if (ZoomDragActive()) {
        DrawZoomBand();
    }
    NotifyTools(cteAfterDraw);
    Canvas().ResetDrawingDefaults();
    Fire(OnAfterDraw);
}

void TCustomAxisPanel::CalcWallsRect() {
    m_width3D = 0;
    m_height3D = 0;
    NormalizeChartRect();
}

bool TCustomAxisPanel::AxisHasActiveSeries(const TChartAxis& axis) const {
    if (axis.IsDepthAxis()) {
        return View3D();
    }
    return axis.HasActiveSeries();
}

void TCustomAxisPanel::FitAxes() {
    for (int k = 0; k < m_axes.Count(); ++k) {
        TChartAxis& axis = m_axes[k];
        axis.SetAxisShown(m_axisVisible && axis.Visible() && AxisHasActiveSeries(axis));
        axis.ComputeDataRange();
    }
    for (int k = 0; k < m_axes.Count(); ++k) {
        m_axes[k].ComputePositions();
    }
    TRect r = ChartRect();
    for (int k = 0; k < m_axes.Count(); ++k) {
        TChartAxis& axis = m_axes[k];
        if (!axis.AxisShown()) {
            continue;
        }
        TRect t = r;
        axis.ReserveAxisSpace(t, k < 5);
        // A reservation that would leave no rectangle is dropped.
        const TRect shrunk = Intersection(t, r);
        if (!shrunk.IsEmpty()) {
            r = shrunk;
        }
    }
    SetChartRect(r);
    NormalizeChartRect();
    for (int k = 0; k < m_axes.Count(); ++k) {
        m_axes[k].ComputePositions();
    }
}

void TCustomAxisPanel::ApplySeriesMargins() {
    for (int k = 0; k < m_axes.Count(); ++k) {
        m_axes[k].ApplySeriesMargins();
    }
}

void TCustomAxisPanel::DrawAxes() {
    if (!m_axisVisible) {
        return;
    }
    Fire(OnBeforeDrawAxes);
    for (int k = 0; k < m_axes.Count(); ++k) {
        if (m_axes[k].AxisShown()) {
            m_axes[k].DrawAxis();
        }
    }
}

void TCustomAxisPanel::DrawAllSeries() {
    for (TChartSeries* series : SeriesList()) {
        if (series->Active()) {
            DrawOneSeries(*series);
        }
    }
}

void TCustomAxisPanel::DrawOneSeries(TChartSeries& series) {
    series.CalcVisibleRange();
    if (series.FirstVisible() == -1) {
        return;
    }
    series.DoBeforeDrawValues();
    const bool clip = series.UsesAxes() && m_clipPoints;
    if (clip) {
        // The clip includes ChartRect's edge rows and columns, where the back wall's frame and the
        // axis lines lie: a value on an axis limit (the reference line at 1 when the index stays
        // below it, an index held at 6, an index of 0) maps onto an edge and must show there,
        // drawn over the frame.
        const TRect r = ChartRect();
        Canvas().ClipToRect(TRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    }
    series.DrawAllValues();
    if (clip) {
        Canvas().RemoveClip();
    }
    series.DoAfterDrawValues();
}

} // namespace mouldview::chart
