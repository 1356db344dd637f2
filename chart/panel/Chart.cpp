// The chart's paint sequence: panel, title, axis layout, back wall, axes, series and zoom band, in
// this order on every paint that is not served from the buffer.
#include "chart/panel/Chart.h"

#include "chart/series/ChartSeries.h"

#include <algorithm>

namespace mouldview::chart {

namespace {

// The title's frame pen is one pixel wide (the frame itself is not drawn, the title being
// transparent); the title's box keeps that pixel around the text.
constexpr int TitleFrameWidth = 1;

TRect Intersection(const TRect& a, const TRect& b) {
    return TRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                 std::min(a.Bottom, b.Bottom)};
}

} // namespace

TChart::TChart()
    : m_bottomAxis(*this, true), m_leftAxis(*this, false), m_title([this] { RequestRepaint(); }),
      m_zoom([this] { RequestRepaint(); }) {
    // The chart asks for paints on changes only once it is fully built.
    SetAutoRepaint(true);
}

TChart::~TChart() {
    // Series outlive the chart (their form owns them); from here on they stop asking for paints.
    BeginDestroy();
    SetAutoRepaint(false);
}

void TChart::RequestRepaint() {
    if (Destroying()) {
        return;
    }
    TCustomChartPanel::RequestRepaint();
}

// --- The paint sequence ----------------------------------------------------------------------------

void TChart::DrawChartContent(const TRect& chartBounds) {
    // Nothing here changes a setting: the axes store the ranges they compute directly, so painting
    // asks for no further paint.
    PaintPanel(chartBounds);
    if (!m_title.Text().empty()) {
        const TRect bounds = TitleBounds();
        PaintTitle(bounds);
        MutableChartRect().Top = bounds.Bottom + TitleGap + TitleFrameWidth;
    }
    NormalizeChartRect();
    FitAxes();
    DrawBackWall();
    m_bottomAxis.DrawAxis();
    m_leftAxis.DrawAxis();
    for (TChartSeries* series : SeriesList()) {
        DrawSeries(*series);
    }
    if (m_zoom.DragActive()) {
        DrawZoomBand();
    }
    Canvas().ResetDrawingDefaults();
}

TRect TChart::TitleBounds() {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_title.Font());
    const int lineHeight = canvas.TextHeight("W");
    const int charWidth = canvas.TextWidth("W");
    int widest = 0;
    for (const std::string& line : m_title.Text()) {
        widest = std::max(widest, canvas.TextWidth(line));
    }
    // Between the margins, one pixel below ChartRect's top; the frame's pixel all round.
    const TRect rect = ChartRect();
    const int top = rect.Top + TitleFrameWidth;
    const int lines = static_cast<int>(m_title.Text().size());
    const int mid = (rect.Left - TitleFrameWidth + rect.Right + TitleFrameWidth) / 2;
    const int half = (charWidth + TitleFrameWidth + widest) / 2;
    return TRect{mid - half, top - TitleFrameWidth, mid + half, top + lines * lineHeight + TitleFrameWidth};
}

void TChart::PaintTitle(const TRect& bounds) {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_title.Font());
    canvas.SetTextAlignment(raster::TA_LEFT | raster::TA_TOP);
    canvas.SetBackgroundMode(raster::BkMode::Transparent);
    const int lineHeight = canvas.TextHeight("W");
    int y = bounds.Top + TitleFrameWidth;
    for (const std::string& line : m_title.Text()) {
        // Each line centred in the box.
        canvas.TextOut((bounds.Left + bounds.Right) / 2 - canvas.TextWidth(line) / 2, y, line);
        y += lineHeight;
    }
    m_title.SetShapeBounds(bounds);
}

void TChart::FitAxes() {
    m_bottomAxis.ComputeDataRange();
    m_leftAxis.ComputeDataRange();
    m_bottomAxis.ComputePositions();
    m_leftAxis.ComputePositions();
    // The bottom axis takes its room first, then the left one; a reservation that would leave no
    // rectangle is dropped.
    TRect plot = ChartRect();
    for (TChartAxis* axis : {&m_bottomAxis, &m_leftAxis}) {
        TRect rest = plot;
        axis->ReserveAxisSpace(rest);
        const TRect shrunk = Intersection(rest, plot);
        if (!shrunk.IsEmpty()) {
            plot = shrunk;
        }
    }
    MutableChartRect() = plot;
    NormalizeChartRect();
    for (TChartAxis* axis : {&m_bottomAxis, &m_leftAxis}) {
        axis->ComputePositions();
        axis->ApplyPixelMargins();
    }
}

void TChart::DrawBackWall() {
    // A one-pixel black frame on ChartRect's edges, nothing filled inside.
    TChartCanvas& canvas = Canvas();
    canvas.ApplyPen(clBlack);
    canvas.SetClearBrush();
    const TRect plot = ChartRect();
    canvas.Rectangle(plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1);
}

void TChart::DrawSeries(TChartSeries& series) {
    series.CalcVisibleRange();
    if (series.FirstVisible() == -1) {
        return;
    }
    // The clip includes ChartRect's edge rows and columns, where the back wall's frame and the
    // axis lines lie: a value on an axis limit (the reference line at 1 when the index stays below
    // it, an index held at 6, an index of 0) maps onto an edge and must show there, drawn over the
    // frame.
    const TRect plot = ChartRect();
    Canvas().ClipToRect(TRect{plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1});
    series.DrawAllValues();
    Canvas().RemoveClip();
}

} // namespace mouldview::chart
