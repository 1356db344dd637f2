// Drawing of a line series: one pass over the visible points, each point adding the segment from
// the point drawn before it. The first drawn point enters from the plot's edge when a hidden point
// precedes it, null points break the line on both sides, and stairs turn segments into steps.
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/CustomChartAxis.h"
#include "chart/series/LineSeries.h"
#include "chart/series/ParentChart.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

namespace mouldview::chart {

TCustomSeries::TCustomSeries()
    : m_pointer([this] { Repaint(); }), m_marks([this] { Repaint(); }), m_outLine([this] { Repaint(); }),
      m_shadow([this] { Repaint(); }) {}

void TCustomSeries::SetColorEachLine(bool value) {
    if (m_colorEachLine != value) {
        m_colorEachLine = value;
        Repaint();
    }
}

void TCustomSeries::SetStairs(bool value) {
    if (m_stairs != value) {
        m_stairs = value;
        Repaint();
    }
}

void TCustomSeries::SetInvertedStairs(bool value) {
    if (m_invertedStairs != value) {
        m_invertedStairs = value;
        Repaint();
    }
}

// --- Margins ---------------------------------------------------------------------------------------

void TCustomSeries::HorizMargins(int& left, int& right) const {
    left = 0;
    right = 0;
    if (m_pointer.Visible() && m_pointer.InflateMargins()) {
        left = right = m_pointer.HorizSize() + 1;
    }
    // A stair or an outline at the very end would lose half its pen width to the frame.
    int penRoom = 0;
    if (m_stairs) {
        penRoom = std::max(penRoom, (Pen().Width() + 1) / 2);
    }
    if (m_outLine.Visible()) {
        penRoom = std::max(penRoom, (2 * Pen().Width() + m_outLine.Width() + 2) / 2);
    }
    left = std::max(left, penRoom);
    right = std::max(right, penRoom);
}

void TCustomSeries::VertMargins(int& top, int& bottom) const {
    top = 0;
    bottom = 0;
    if (m_pointer.Visible() && m_pointer.InflateMargins()) {
        top = bottom = m_pointer.VertSize() + 1;
    }
    int penRoom = 0;
    if (m_stairs) {
        penRoom = std::max(penRoom, (Pen().Width() + 1) / 2);
    }
    if (m_outLine.Visible()) {
        penRoom = std::max(penRoom, (2 * Pen().Width() + m_outLine.Width() + 2) / 2);
    }
    top = std::max(top, penRoom);
    bottom = std::max(bottom, penRoom);
    // A mark stands above its point, at the arrow's distance.
    if (m_marks.Visible()) {
        top = std::max(top, m_marks.ArrowLength());
    }
}

// --- Positions -------------------------------------------------------------------------------------

int TCustomSeries::CalcXPos(int i) const {
    const TCustomChartAxis* axis = BoundHorizAxis();
    return axis != nullptr ? axis->ValueToPixel(X(i)) + m_offsetX : 0;
}

int TCustomSeries::CalcYPos(int i) const {
    const TCustomChartAxis* axis = BoundVertAxis();
    return axis != nullptr ? axis->ValueToPixel(Y(i)) + m_offsetY : 0;
}

bool TCustomSeries::DrawValuesForward() const {
    const TCustomChartAxis* axis = BoundHorizAxis();
    return axis == nullptr || !axis->Inverted();
}

// --- Drawing ---------------------------------------------------------------------------------------

void TCustomSeries::DrawAllValues() {
    if (m_parentChart == nullptr || LastVisible() < FirstVisible() || FirstVisible() < 0) {
        return;
    }
    m_polyline.reserve(PolylineBatch + 1);
    if (m_shadow.Size() != 0) {
        m_offsetX = m_shadow.HorizSize();
        m_offsetY = m_shadow.VertSize();
        m_passColor = m_shadow.Color();
        m_passPointers = false;
        m_passPenWidth = 0;
        DrawPass();
        m_offsetX = 0;
        m_offsetY = 0;
    }
    if (m_outLine.Visible()) {
        m_passColor = m_outLine.Color();
        m_passPointers = true;
        m_passPenWidth = 2 * Pen().Width() + m_outLine.Width() + 1;
        DrawPass();
    }
    m_passColor = clNone;
    m_passPointers = true;
    m_passPenWidth = 0;
    DrawPass();
}

void TCustomSeries::DrawPass() {
    // The surface's pen is realised afresh for the first segment of every pass.
    m_penColor = clNone;
    const int first = FirstVisible();
    const int last = LastVisible();
    m_passForward = DrawValuesForward();
    m_passFirst = m_passForward ? first : last;
    m_passLast = m_passForward ? last : first;
    TPixelMapping horiz;
    TPixelMapping vert;
    if (CanMapInline(horiz, vert)) {
        // The first point may enter from the edge or carry the only pointer; DrawValue decides.
        DrawValue(m_passFirst);
        const int step = m_passForward ? 1 : -1;
        const double* xs = XValues().Data();
        const double* ys = YValues().Data();
        for (int i = m_passFirst + step; i != m_passLast + step; i += step) {
            DrawMappedValue(i, horiz.Map(xs[i]) + m_offsetX, vert.Map(ys[i]) + m_offsetY);
        }
    } else if (m_passForward) {
        for (int i = first; i <= last; ++i) {
            DrawValue(i);
        }
    } else {
        for (int i = last; i >= first; --i) {
            DrawValue(i);
        }
    }
    FlushPolyline();
}

bool TCustomSeries::CanMapInline(TPixelMapping& horiz, TPixelMapping& vert) const {
    // Series classes that replace DrawValue or the positions are drawn point by point through them.
    if (typeid(*this) != typeid(TLineSeries) && typeid(*this) != typeid(TCustomSeries)) {
        return false;
    }
    // Per-segment pointers need DrawValue's bookkeeping of the previous point.
    if (m_passPointers && m_pointer.Visible()) {
        return false;
    }
    const TCustomChartAxis* horizAxis = BoundHorizAxis();
    const TCustomChartAxis* vertAxis = BoundVertAxis();
    return horizAxis != nullptr && vertAxis != nullptr && horizAxis->PixelMapping(horiz) &&
           vertAxis->PixelMapping(vert);
}

void TCustomSeries::DrawMappedValue(int i, int x, int y) {
    // DrawValue for a point after the first of the pass, with no pointers to draw.
    const TColor pc = PointColor(i);
    if (m_prevColor == clNone) {
        m_prevX = x;
        m_prevY = y;
    }
    DrawSegment(x, y, pc, i, false);
    m_prevX = x;
    m_prevY = y;
    m_prevColor = pc;
}

void TCustomSeries::DrawValue(int i) {
    // Drawing needs the chart's surface and plotting rectangle.
    if (m_parentChart == nullptr) {
        return;
    }
    const TColor pc = PointColor(i);
    const int x = CalcXPos(i);
    const int y = CalcYPos(i);
    if (m_prevColor == clNone) {
        m_prevX = x;
        m_prevY = y;
    }
    if (i == m_passFirst) {
        if (i == FirstVisible() && i > 0) {
            EnterFromEdge(i);
            if (!IsNull(i - 1)) {
                DrawSegment(x, y, pc, i, false);
            }
        }
        if (i == m_passLast && m_passPointers && m_pointer.Visible()) {
            DrawPointer(x, y, pc, i);
        }
    } else {
        DrawSegment(x, y, pc, i, true);
    }
    m_prevX = x;
    m_prevY = y;
    m_prevColor = pc;
}

void TCustomSeries::EnterFromEdge(int i) {
    const TCustomChartAxis* horiz = BoundHorizAxis();
    const TCustomChartAxis* vert = BoundVertAxis();
    const TRect rect = m_parentChart->ChartRect();
    m_prevX = horiz != nullptr && horiz->Inverted() ? rect.Right : rect.Left;
    if (m_stairs || horiz == nullptr || vert == nullptr) {
        m_prevY = CalcYPos(i - 1);
        return;
    }
    const long double xe = horiz->PixelToValue(m_prevX);
    const long double x0 = X(i - 1);
    const long double x1 = X(i);
    const long double y0 = Y(i - 1);
    const long double y1 = Y(i);
    if (x1 - x0 == 0) {
        m_prevY = CalcYPos(i - 1);
        return;
    }
    long double y = 0;
    if (vert->Logarithmic()) {
        y = std::exp(std::log(y0) + (std::log(y1) - std::log(y0)) * (xe - x0) / (x1 - x0));
    } else {
        y = y0 + (xe - x0) * (y1 - y0) / (x1 - x0);
    }
    const auto value = static_cast<double>(y);
    // Non-positive values have no logarithm; the hidden point's own height is the nearest sense.
    m_prevY = std::isfinite(value) ? vert->ValueToPixel(value) + m_offsetY : CalcYPos(i - 1);
}

void TCustomSeries::ApplySegmentPen(TColor color) {
    FlushPolyline();
    TChartCanvas& canvas = m_parentChart->Canvas();
    canvas.Brush().SetStyle(bsClear);
    const TChartPen* pen = &LinePen();
    if (m_passPenWidth > 0) {
        m_passPen.Assign(LinePen());
        m_passPen.SetWidth(m_passPenWidth);
        pen = &m_passPen;
    }
    canvas.ApplyPen(*pen, color);
    m_penColor = color;
    // A solid 1-pixel pen that copies its colour paints the same pixels whether the segments go
    // one by one or as one polyline (each joint is the first pixel of the next segment either
    // way, and pixels painted twice keep the same colour). Patterns, wide pens and other raster
    // operations would differ, so they get one line per segment.
    m_batchSegments = pen->Visible() && pen->Style() == psSolid && pen->Width() <= 1 && !pen->SmallDots() &&
                      pen->Mode() == pmCopy;
}

void TCustomSeries::FlushPolyline() {
    if (m_polyline.size() >= 2) {
        m_parentChart->Canvas().Polyline(m_polyline);
    }
    m_polyline.clear();
}

void TCustomSeries::DrawSegment(int x, int y, TColor pc, int i, bool withPointers) {
    if ((x != m_prevX || y != m_prevY) && pc != clNone) {
        TColor color = ColorEachPoint() && m_colorEachLine ? pc : EffectiveColor();
        if (m_passColor != clNone) {
            color = m_passColor;
        }
        if (color != m_penColor) {
            ApplySegmentPen(color);
        }
        if (m_batchSegments && !m_stairs) {
            // The common case: the segment continues the polyline gathered so far.
            if (!m_polyline.empty() && m_polyline.back() == TPoint{m_prevX, m_prevY} &&
                m_polyline.size() < PolylineBatch) {
                m_polyline.push_back(TPoint{x, y});
            } else {
                FlushPolyline();
                m_polyline.push_back(TPoint{m_prevX, m_prevY});
                m_polyline.push_back(TPoint{x, y});
            }
        } else {
            StrokeSegment(x, y);
        }
    }
    if (withPointers && m_passPointers && m_pointer.Visible()) {
        DrawSegmentPointers(x, y, pc, i);
    }
}

void TCustomSeries::StrokeSegment(int x, int y) {
    TChartCanvas& canvas = m_parentChart->Canvas();
    if (!m_stairs) {
        canvas.Line(m_prevX, m_prevY, x, y);
    } else if (m_invertedStairs) {
        canvas.VerticalLine(m_prevX, m_prevY, y);
        canvas.LineTo(x, y);
    } else {
        canvas.HorizontalLine(m_prevX, x, m_prevY);
        canvas.LineTo(x, y);
    }
}

void TCustomSeries::DrawSegmentPointers(int x, int y, TColor pc, int i) {
    const int previous = m_passForward ? i - 1 : i + 1;
    if (m_prevColor != clNone) {
        DrawPointer(m_prevX, m_prevY, m_prevColor, previous);
    }
    if (i == m_passLast && pc != clNone) {
        DrawPointer(x, y, pc, i);
    }
}

void TCustomSeries::DrawPointer(int /*x*/, int /*y*/, TColor /*color*/, int /*index*/) {
    // Pointer shapes are not drawn by this program; a series type that shows markers replaces this.
    // Segments before the marker go first; whatever a marker sets on the surface, the next segment
    // realises its own pen again.
    FlushPolyline();
    m_penColor = clNone;
}

} // namespace mouldview::chart
