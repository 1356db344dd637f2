// Margins, the panel background and bevel, DrawChart and the repaint request.
#include "chart/panel/CustomChartPanel.h"

#include <algorithm>

namespace mouldview::chart {

namespace {

// Distances from the panel's bevel to ChartRect, in percent of the chart's width (left, right) and
// height (top, bottom).
constexpr int MarginLeft = 3;
constexpr int MarginTop = 4;
constexpr int MarginRight = 3;
constexpr int MarginBottom = 4;
// The raised bevel around the panel is one pixel wide.
constexpr int BevelWidth = 1;

} // namespace

TCustomChartPanel::TCustomChartPanel()
    : TPanelControl(DefaultWidth, DefaultHeight),
      m_canvas(std::make_unique<TChartCanvas>(MutableWindowBitmap())) {}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetCanvas(std::unique_ptr<TChartCanvas> canvas) {
    m_canvas = std::move(canvas);
    m_canvas->SetWindow(MutableWindowBitmap());
    RequestRepaint();
}

void TCustomChartPanel::EndLoading() {
    if (m_loading > 0 && --m_loading == 0) {
        RequestRepaint();
    }
}

// --- Repainting ------------------------------------------------------------------------------------

void TCustomChartPanel::RequestRepaint() {
    if (!m_autoRepaint) {
        return;
    }
    m_canvas->MarkDirty();
    Invalidate();
}

void TCustomChartPanel::WindowPositionChanged() {
    // A paint after a move or resize always starts from a dirty buffer, even while the chart does
    // not ask for paints itself.
    m_canvas->MarkDirty();
    RequestRepaint();
}

void TCustomChartPanel::WindowBitmapChanged() {
    m_canvas->SetWindow(MutableWindowBitmap());
    Invalidate();
}

void TCustomChartPanel::SystemColorsChanged() {
    m_canvas->MarkDirty();
    RequestRepaint();
}

void TCustomChartPanel::DrawChart() {
    const TRect client = ClientRect();
    m_chartBounds = m_canvas->BeginFrame(client);
    ApplyMargins();
    NormalizeChartRect();
    DrawChartContent(m_chartBounds);
    m_canvas->EndFrame(client);
}

// --- Layout ----------------------------------------------------------------------------------------

void TCustomChartPanel::ApplyMargins() {
    const long long width = m_chartBounds.Width();
    const long long height = m_chartBounds.Height();
    // Percent margins are integer products divided with truncation; 64 bits keep huge sizes exact.
    const auto percentOf = [](int margin, long long side) { return static_cast<int>(margin * side / 100); };
    m_chartRect = TRect{m_chartBounds.Left + BevelWidth + percentOf(MarginLeft, width),
                        m_chartBounds.Top + BevelWidth + percentOf(MarginTop, height),
                        m_chartBounds.Right - BevelWidth - percentOf(MarginRight, width),
                        m_chartBounds.Bottom - BevelWidth - percentOf(MarginBottom, height)};
}

void TCustomChartPanel::NormalizeChartRect() {
    // Width 1 for a right edge left of the left one, the control's width for an empty one; the
    // same for the height.
    TRect& plot = m_chartRect;
    plot.Left = std::max(plot.Left, m_chartBounds.Left);
    plot.Top = std::max(plot.Top, m_chartBounds.Top);
    if (plot.Right < plot.Left) {
        plot.Right = plot.Left + 1;
    } else if (plot.Right == plot.Left) {
        plot.Right = plot.Left + Width();
    }
    if (plot.Bottom < plot.Top) {
        plot.Bottom = plot.Top + 1;
    } else if (plot.Bottom == plot.Top) {
        plot.Bottom = plot.Top + Height();
    }
}

// --- Panel -----------------------------------------------------------------------------------------

void TCustomChartPanel::PaintPanel(const TRect& rect) {
    TChartCanvas& canvas = *m_canvas;
    canvas.SetSolidBrush(PanelColor);
    canvas.FillRect(rect);
    canvas.SetClearBrush();
    TRect frame = rect;
    canvas.BevelFrame(frame, clBtnHighlight, clBtnShadow, BevelWidth);
}

} // namespace mouldview::chart
