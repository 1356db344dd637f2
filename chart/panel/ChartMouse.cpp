// The chart's answer to the mouse: which part of the chart a press hits, the start of zoom and pan
// drags, the zoom band that follows the pointer (drawn on the window between paints, in a raster
// mode that undoes itself when drawn twice), the end of a drag, wheel notches and the pointer
// leaving the window. The axis work of zooming and panning is in ChartZoom.cpp.
#include "chart/panel/CustomChart.h"
#include "chart/series/ChartSeries.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mouldview::chart {

namespace {

// How far past its line (into the plot) a press still hits an axis.
constexpr int AxisClickTolerance = 3;
// How far from a point or a line of a series a press still hits the series.
constexpr int SeriesClickTolerance = 3;
// Share of an axis range that one wheel notch scrolls, in percent.
constexpr double WheelScrollPercent = 3;

// Edges included.
bool Contains(const TRect& r, int x, int y) {
    return x >= r.Left && x <= r.Right && y >= r.Top && y <= r.Bottom;
}

// Distance from (x, y) to the segment from a to b.
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0;
    if (lengthSquared > 0) {
        t = std::clamp(((x - ax) * dx + (y - ay) * dy) / lengthSquared, 0.0, 1.0);
    }
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

} // namespace

// --- What a press hits -----------------------------------------------------------------------------

bool TCustomChart::AxisClicked(const TChartAxis& axis, int x, int y) {
    // Only an axis that the last paint showed stands anywhere on screen.
    if (!axis.Visible() || !axis.AxisShown()) {
        return false;
    }
    const int along = axis.Horizontal() ? x : y;
    const int across = axis.Horizontal() ? y : x;
    if (along < std::min(axis.StartPos(), axis.EndPos()) ||
        along > std::max(axis.StartPos(), axis.EndPos())) {
        return false;
    }
    // Labels stand outward of the line: below the bottom axis, left of the left one, and so on.
    const bool outwardIsGreater = axis.Horizontal() ? !axis.OtherSide() : axis.OtherSide();
    const int pastLine = axis.AxisLinePos() + (outwardIsGreater ? -AxisClickTolerance : AxisClickTolerance);
    return across >= std::min(axis.LabelsPos(), pastLine) && across <= std::max(axis.LabelsPos(), pastLine);
}

int TCustomChart::SeriesPointAt(TChartSeries& series, int x, int y) {
    const TCustomChartAxis* horiz = series.BoundHorizAxis();
    const TCustomChartAxis* vert = series.BoundVertAxis();
    if (horiz == nullptr || vert == nullptr || series.FirstVisible() < 0) {
        return -1;
    }
    const auto pixelOf = [&](int i) {
        return TPoint{horiz->ValueToPixel(series.X(i)), vert->ValueToPixel(series.Y(i))};
    };
    const auto isNull = [&](int i) { return series.HasPointColors() && series.PointColor(i) == clNone; };
    const int first = series.FirstVisible();
    const int last = std::min(series.LastVisible(), series.PointCount() - 1);
    for (int i = first; i <= last; ++i) {
        const TPoint p = pixelOf(i);
        if (!isNull(i) && std::abs(p.X - x) <= SeriesClickTolerance &&
            std::abs(p.Y - y) <= SeriesClickTolerance) {
            return i;
        }
    }
    for (int i = first; i < last; ++i) {
        if (isNull(i) || isNull(i + 1)) {
            continue;
        }
        const TPoint a = pixelOf(i);
        const TPoint b = pixelOf(i + 1);
        if (SegmentDistance(x, y, a.X, a.Y, b.X, b.Y) <= SeriesClickTolerance) {
            return i;
        }
    }
    return -1;
}

TChartClickedPart TCustomChart::ClickedPart(int x, int y) {
    TChartClickedPart part;
    // The legend's contents are not drawn by this program, so it occupies no rectangle to hit.
    // Series are searched only when someone listens for their clicks, last drawn (topmost) first.
    if (OnClickSeries) {
        const std::vector<TChartSeries*>& list = SeriesList();
        for (auto it = list.rbegin(); it != list.rend(); ++it) {
            if (!(*it)->Active()) {
                continue;
            }
            const int index = SeriesPointAt(**it, x, y);
            if (index >= 0) {
                part.Part = cpSeries;
                part.ASeries = *it;
                part.PointIndex = index;
                return part;
            }
        }
    }
    for (int k = 0; k < Axes().Count(); ++k) {
        if (AxisClicked(Axes()[k], x, y)) {
            part.Part = cpAxis;
            part.Axis = &Axes()[k];
            return part;
        }
    }
    for (TChartTitle* title :
         {&Title(), &SubTitle(), static_cast<TChartTitle*>(&Foot()), static_cast<TChartTitle*>(&SubFoot())}) {
        // A title without text was not drawn and its rectangle is left over from nothing.
        if (title->Visible() && !title->Text().empty() && Contains(title->ShapeBounds(), x, y)) {
            part.Part = cpTitle;
            part.Title = title;
            return part;
        }
    }
    if (Contains(ChartRect(), x, y) && ActiveSeriesCount() > 0) {
        part.Part = cpChartRect;
    }
    return part;
}

// --- Mouse down ------------------------------------------------------------------------------------

void TCustomChart::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    m_cancelMouse = false;
    if (OnMouseDown) {
        OnMouseDown(button, shift, x, y);
    }
    if (m_cancelMouse || Zoom().DragActive() || PanningState().DragActive()) {
        return;
    }
    NotifyToolsMouse(cmaDown, button, shift, x, y);
    if (!m_cancelMouse) {
        // Each click event runs with CancelMouse set; a handler that leaves it set stops the press.
        const auto clickEvent = [this](const auto& event, auto&&... args) {
            if (event) {
                m_cancelMouse = true;
                event(args...);
            }
            return !m_cancelMouse;
        };
        const TChartClickedPart part = ClickedPart(x, y);
        bool mayStartDrag = false;
        bool backgroundClicked = false;
        switch (part.Part) {
        case cpAxis:
            mayStartDrag = clickEvent(OnClickAxis, *part.Axis, button, shift, x, y);
            break;
        case cpSeries:
            mayStartDrag = clickEvent(OnClickSeries, *part.ASeries, part.PointIndex, button, shift, x, y);
            break;
        case cpTitle:
            mayStartDrag = clickEvent(OnClickTitle, *part.Title, button, shift, x, y);
            break;
        case cpChartRect:
            backgroundClicked = static_cast<bool>(OnClickBackground);
            mayStartDrag = clickEvent(OnClickBackground, button, shift, x, y);
            break;
        case cpLegend:
            clickEvent(OnClickLegend, button, shift, x, y);
            break;
        case cpNone:
            break;
        }
        const bool handled = mayStartDrag && CheckZoomPanningStart(button, shift, x, y);
        // A press that started nothing is a background click, but one press is never reported
        // twice as such.
        if (!handled && !backgroundClicked && OnClickBackground) {
            OnClickBackground(button, shift, x, y);
        }
    }
    m_cancelMouse = false;
}

bool TCustomChart::CheckZoomPanningStart(TMouseButton button, TShiftState shift, int x, int y) {
    if (!AnySeriesUsesAxes()) {
        return false;
    }
    const TRect r = ChartRect();
    bool started = false;
    TChartZoom& zoom = Zoom();
    if (zoom.Allow() && button == zoom.MouseButton() && shift.ContainsAll(zoom.KeyShift())) {
        // A one-direction zoom spans the whole plot in the other direction.
        const TChartZoomDirection direction = zoom.Direction();
        zoom.BeginDrag(direction == tzdVertical ? r.Left : x, direction == tzdHorizontal ? r.Top : y);
        if (direction == tzdVertical) {
            zoom.SetEndX(r.Right);
        } else if (direction == tzdHorizontal) {
            zoom.SetEndY(r.Bottom);
        }
        DrawZoomBand();
        WindowCanvasChanged();
        started = true;
    }
    if (AllowPanning() != pmNone && button == ScrollMouseButton()) {
        PanningState().BeginDrag(x, y);
        started = true;
    }
    if (started) {
        SetCursor(InitialCursor());
    }
    return started;
}

// --- The zoom band ---------------------------------------------------------------------------------

TRect TCustomChart::ZoomBandRect() const {
    const TChartZoom& zoom = Zoom();
    return TRect{zoom.StartX(), zoom.StartY(), zoom.EndX(), zoom.EndY()};
}

void TCustomChart::DrawZoomBand() {
    const TRect band = ZoomBandRect();
    DrawBand(band);
    if (&Canvas().Target() != &Canvas().WindowCanvas()) {
        m_bandInBuffer = band;
    }
}

void TCustomChart::DrawBand(const TRect& band) {
    TChartCanvas3D& canvas = Canvas();
    TChartZoom& zoom = Zoom();
    // Not-xor turns a pixel D into pen ^ mask ^ D ^ 0xFFFFFF = pen ^ back ^ D: over the back colour
    // the band shows in the pen's own colour, and a second drawing restores D.
    const TColor back = ColorToRGB(BackColor());
    const TColor mask = 0xFFFFFFU ^ back;
    const TChartZoomBrush* brush = zoom.BrushIfCreated();
    if (brush != nullptr) {
        canvas.ApplyBrushVisible(*brush, ColorToRGB(brush->Color()) ^ mask, back);
    } else {
        canvas.Brush().SetStyle(bsClear);
    }
    zoom.SetBandPenMode(pmNotXor);
    canvas.ApplyPen(zoom.Pen(), ColorToRGB(zoom.Pen().Color()) ^ mask);
    if (brush == nullptr || brush->Style() == bsClear) {
        canvas.SetBackgroundMode(cbmTransparent);
    }
    // Corners as they are: the band may have been dragged in any direction.
    canvas.Rectangle(band.Left, band.Top, band.Right, band.Bottom);
}

void TCustomChart::DrawChart(TCanvas& target, const TRect& rect) {
    m_bandInBuffer.reset();
    TCustomAxisPanel::DrawChart(target, rect);
}

void TCustomChart::Paint() {
    const bool servedFromBuffer = !Printing() && !Canvas().BufferDirty() && Canvas().Buffer() != nullptr;
    TCustomAxisPanel::Paint();
    if (!servedFromBuffer || !Zoom().DragActive()) {
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
    Canvas().Pen().SetMode(pmCopy);
}

// --- Mouse move and up -----------------------------------------------------------------------------

void TCustomChart::MouseMove(TShiftState shift, int x, int y) {
    m_cancelMouse = false;
    if (OnMouseMove) {
        OnMouseMove(shift, x, y);
    }
    NotifyToolsMouse(cmaMove, mbLeft, shift, x, y);
    if (m_cancelMouse) {
        return;
    }
    const TRect r = ChartRect();
    TChartZoom& zoom = Zoom();
    TZoomPanning& panning = PanningState();
    if (zoom.DragActive()) {
        if (zoom.Direction() == tzdVertical) {
            x = r.Right;
        } else if (zoom.Direction() == tzdHorizontal) {
            y = r.Bottom;
        }
        if (x != zoom.EndX() || y != zoom.EndY()) {
            DrawZoomBand();
            zoom.SetEndX(x);
            zoom.SetEndY(y);
            DrawZoomBand();
            WindowCanvasChanged();
        }
        return;
    }
    if (panning.DragActive()) {
        if (!Contains(r, x, y)) {
            // Leaving the plot ends the pan for good; the axes keep their panned ranges.
            panning.SetDragActive(false);
            return;
        }
        if (x == panning.EndX() && y == panning.EndY()) {
            return;
        }
        if (m_scalesRestored) {
            SaveAxisScales();
            m_scalesRestored = false;
        }
        const bool movedHorizontally = PanStep(true, panning.EndX(), x);
        const bool movedVertically = PanStep(false, panning.EndY(), y);
        panning.SetEndX(x);
        panning.SetEndY(y);
        if (movedHorizontally || movedVertically) {
            if (OnScroll) {
                OnScroll();
            }
            RequestRepaint();
        }
        return;
    }
    // No series of this chart claims the pointer for a cursor of its own.
    SetCursor(InitialCursor());
}

void TCustomChart::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    m_cancelMouse = false;
    if (OnMouseUp) {
        OnMouseUp(button, shift, x, y);
    }
    TChartZoom& zoom = Zoom();
    if (zoom.DragActive() && button == zoom.MouseButton()) {
        zoom.SetDragActive(false);
        DrawZoomBand();
        WindowCanvasChanged();
        Canvas().Pen().SetMode(pmCopy);
        // A band drawn into the buffer by a paint during the drag must not come back with a copy.
        if (m_bandInBuffer) {
            m_bandInBuffer.reset();
            Canvas().MarkDirty();
        }
        const TChartZoomDirection direction = zoom.Direction();
        if (direction != tzdVertical) {
            zoom.SetEndX(x);
        }
        if (direction != tzdHorizontal) {
            zoom.SetEndY(y);
        }
        const long long width = std::llabs(static_cast<long long>(zoom.EndX()) - zoom.StartX());
        const long long height = std::llabs(static_cast<long long>(zoom.EndY()) - zoom.StartY());
        const bool wideEnough = direction == tzdVertical || width > zoom.MinimumPixels();
        const bool highEnough = direction == tzdHorizontal || height > zoom.MinimumPixels();
        if (wideEnough && highEnough) {
            const bool zoomIn =
                zoom.UpLeftZooms() ||
                (direction == tzdVertical ? zoom.EndY() > zoom.StartY() : zoom.EndX() > zoom.StartX());
            if (zoomIn) {
                ZoomToBand();
            } else {
                UndoZoom();
            }
            RequestRepaint();
        }
    }
    // Any release ends a pan, whichever button it was.
    PanningState().SetDragActive(false);
    NotifyToolsMouse(cmaUp, button, shift, x, y);
}

// --- Wheel and leaving -----------------------------------------------------------------------------

void TCustomChart::MouseWheelDown(TShiftState shift, int x, int y) {
    WheelStep(true, shift, x, y);
}

void TCustomChart::MouseWheelUp(TShiftState shift, int x, int y) {
    WheelStep(false, shift, x, y);
}

void TCustomChart::WheelStep(bool down, TShiftState shift, int x, int y) {
    bool handled = false;
    if (OnMouseWheel) {
        OnMouseWheel(down, shift, x, y, handled);
    }
    if (handled) {
        return;
    }
    // A notch down shows higher values: the curves move down. No scales are saved for undo.
    for (int k = 0; k < Axes().Count(); ++k) {
        TChartAxis& axis = Axes()[k];
        if (axis.Horizontal()) {
            continue;
        }
        const double delta = (axis.Maximum() - axis.Minimum()) * WheelScrollPercent * 0.01;
        axis.ScrollAxisBy(down ? delta : -delta, false);
    }
}

void TCustomChart::PointerLeaves() {
    SetCursor(InitialCursor());
    PanningState().SetDragActive(false);
    NotifyToolsMouse(cmaLeave, mbLeft, TShiftState(), 0, 0);
}

} // namespace mouldview::chart
