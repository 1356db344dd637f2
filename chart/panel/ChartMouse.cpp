// The chart's answer to the mouse: which presses start a drag, the zoom band that follows the
// pointer (drawn on the window between paints, in a raster mode that undoes itself when drawn
// twice), the end of a drag, wheel notches and the pointer leaving the window. The axis work of
// zooming and panning is in ChartZoom.cpp.
#include "chart/panel/Chart.h"

#include <algorithm>
#include <cstdlib>

namespace mouldview::chart {

namespace {

// How far past its line (into the plot) a press still hits an axis.
constexpr int AxisClickTolerance = 3;
// Share of an axis range that one wheel notch scrolls, in percent.
constexpr double WheelScrollPercent = 3;

// Edges included.
bool Contains(const TRect& rect, int x, int y) {
    return x >= rect.Left && x <= rect.Right && y >= rect.Top && y <= rect.Bottom;
}

} // namespace

// --- What a press hits -----------------------------------------------------------------------------

bool TChart::AxisClicked(const TChartAxis& axis, int x, int y) {
    const int along = axis.Horizontal() ? x : y;
    const int across = axis.Horizontal() ? y : x;
    if (along < axis.StartPos() || along > axis.EndPos()) {
        return false;
    }
    // Labels stand outward of the line: below the bottom axis, left of the left one.
    const int pastLine = axis.AxisLinePos() + (axis.Horizontal() ? -AxisClickTolerance : AxisClickTolerance);
    return across >= std::min(axis.LabelsPos(), pastLine) && across <= std::max(axis.LabelsPos(), pastLine);
}

bool TChart::StartsDrag(int x, int y) {
    // A title without text was not drawn and its rectangle is left over from nothing.
    return AxisClicked(m_bottomAxis, x, y) || AxisClicked(m_leftAxis, x, y) ||
           (!m_title.Text().empty() && Contains(m_title.ShapeBounds(), x, y)) || Contains(ChartRect(), x, y);
}

// --- Mouse down, move and up -----------------------------------------------------------------------

void TChart::MouseDown(platform::MouseButton button, int x, int y) {
    // While a drag is active, further presses are ignored. The raw press point is used, not
    // limited to ChartRect.
    if (m_zoom.DragActive() || m_panning.DragActive() || !StartsDrag(x, y)) {
        return;
    }
    if (button == platform::MouseButton::mbLeft) {
        m_zoom.BeginDrag(x, y);
        DrawZoomBand();
        DrawnOutsidePaint();
    } else if (button == platform::MouseButton::mbRight) {
        m_panning.BeginDrag(x, y);
    }
}

void TChart::MouseMove(int x, int y) {
    if (m_zoom.DragActive()) {
        if (x != m_zoom.EndX() || y != m_zoom.EndY()) {
            DrawZoomBand();
            m_zoom.SetEnd(x, y);
            DrawZoomBand();
            DrawnOutsidePaint();
        }
        return;
    }
    if (!m_panning.DragActive()) {
        return;
    }
    if (!Contains(ChartRect(), x, y)) {
        // Leaving the plot ends the pan for good; the axes keep their panned ranges.
        m_panning.SetDragActive(false);
        return;
    }
    if (x == m_panning.EndX() && y == m_panning.EndY()) {
        return;
    }
    SaveAxisScales();
    PanStep(m_bottomAxis, m_panning.EndX(), x);
    PanStep(m_leftAxis, m_panning.EndY(), y);
    m_panning.SetEnd(x, y);
    RequestRepaint();
}

void TChart::MouseUp(platform::MouseButton button, int x, int y) {
    if (m_zoom.DragActive() && button == platform::MouseButton::mbLeft) {
        m_zoom.SetDragActive(false);
        DrawZoomBand();
        DrawnOutsidePaint();
        Canvas().SetPenMode(raster::RasterOp::CopyPen);
        // A band drawn into the buffer by a paint during the drag must not come back with a copy.
        if (m_bandInBuffer) {
            m_bandInBuffer.reset();
            Canvas().MarkDirty();
        }
        m_zoom.SetEnd(x, y);
        // A drag must span more than MinimumPixels both ways; then towards the right it zooms,
        // towards the left it undoes, whether it went up or down.
        const long long width = std::llabs(static_cast<long long>(m_zoom.EndX()) - m_zoom.StartX());
        const long long height = std::llabs(static_cast<long long>(m_zoom.EndY()) - m_zoom.StartY());
        if (width > TChartZoom::MinimumPixels && height > TChartZoom::MinimumPixels) {
            if (m_zoom.EndX() > m_zoom.StartX()) {
                ZoomToBand();
            } else {
                UndoZoom();
            }
            RequestRepaint();
        }
    }
    // Any release ends a pan, whichever button it was.
    m_panning.SetDragActive(false);
}

// --- The zoom band ---------------------------------------------------------------------------------

TRect TChart::ZoomBandRect() const {
    return TRect{m_zoom.StartX(), m_zoom.StartY(), m_zoom.EndX(), m_zoom.EndY()};
}

void TChart::DrawZoomBand() {
    const TRect band = ZoomBandRect();
    DrawBand(band);
    if (Canvas().InFrame()) {
        m_bandInBuffer = band;
    }
}

void TChart::DrawBand(const TRect& band) {
    TChartCanvas& canvas = Canvas();
    // Not-xor turns a pixel D into pen ^ mask ^ D ^ 0xFFFFFF = pen ^ back ^ D: over the back colour
    // the band shows in the pen's own colour, and a second drawing restores D.
    const TColor back = raster::ResolveColor(PanelColor);
    const TColor mask = 0xFFFFFFU ^ back;
    canvas.SetClearBrush();
    canvas.ApplyPen(m_zoom.Pen(), raster::ResolveColor(m_zoom.Pen().Color()) ^ mask);
    canvas.SetPenMode(raster::RasterOp::NotXorPen);
    canvas.SetBackgroundMode(raster::BkMode::Transparent);
    // Corners as they are: the band may have been dragged in any direction.
    canvas.Rectangle(band.Left, band.Top, band.Right, band.Bottom);
}

void TChart::Paint() {
    if (!Canvas().RepaintFromBuffer()) {
        m_bandInBuffer.reset();
        DrawChart();
        return;
    }
    if (!m_zoom.DragActive()) {
        return;
    }
    // The copy replaced the window's band by the one the buffer holds (or none). The band the
    // drag shows now must be the one on screen, or the next move would leave a ghost behind.
    const TRect band = ZoomBandRect();
    if (m_bandInBuffer == band) {
        return;
    }
    if (m_bandInBuffer) {
        DrawBand(*m_bandInBuffer);
    }
    DrawBand(band);
    Canvas().SetPenMode(raster::RasterOp::CopyPen);
}

// --- Wheel and leaving -----------------------------------------------------------------------------

void TChart::MouseWheel(platform::WheelDirection direction) {
    // A notch down shows higher values: the curves move down. No scales are saved for undo.
    const double delta = (m_leftAxis.Maximum() - m_leftAxis.Minimum()) * WheelScrollPercent * 0.01;
    m_leftAxis.ScrollAxisBy(direction == platform::WheelDirection::wdDown ? delta : -delta);
}

void TChart::PointerLeaves() {
    m_panning.SetDragActive(false);
}

} // namespace mouldview::chart
