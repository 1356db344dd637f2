// Drawing of a line series: one pass over the visible points, each point adding the segment from
// the point drawn before it. Consecutive segments go out as one polyline: a solid 1-pixel pen that
// copies its colour paints the same pixels either way (each joint is the first pixel of the next
// segment, and a pixel painted twice keeps its colour).
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/CustomChartAxis.h"
#include "chart/series/LineSeries.h"
#include "chart/series/ParentChart.h"

#include <cmath>

namespace mouldview::chart {

int TLineSeries::CalcXPos(int i) const {
    return BoundHorizAxis()->ValueToPixel(X(i));
}

int TLineSeries::CalcYPos(int i) const {
    return BoundVertAxis()->ValueToPixel(Y(i));
}

void TLineSeries::DrawAllValues() {
    const int first = FirstVisible();
    const int last = LastVisible();
    if (ParentChart() == nullptr || first < 0 || last < first) {
        return;
    }
    TChartCanvas& canvas = ParentChart()->Canvas();
    canvas.SetClearBrush();
    canvas.ApplyPen(EffectiveColor());
    m_polyline.reserve(PolylineBatch + 1);
    m_polyline.clear();
    const int x = CalcXPos(first);
    const int y = CalcYPos(first);
    if (first > 0) {
        // A hidden point precedes the first visible one: the line comes in from the left edge.
        const int edgeX = ParentChart()->ChartRect().Left;
        m_polyline.push_back(TPoint{edgeX, EntryHeight(first, edgeX)});
        LineTo(x, y);
    } else {
        m_polyline.push_back(TPoint{x, y});
    }
    const TPixelMapping horiz = BoundHorizAxis()->PixelMapping();
    const TPixelMapping vert = BoundVertAxis()->PixelMapping();
    const double* xs = XValues().Data();
    const double* ys = YValues().Data();
    for (int i = first + 1; i <= last; ++i) {
        LineTo(horiz.Map(xs[i]), vert.Map(ys[i]));
    }
    Flush();
}

int TLineSeries::EntryHeight(int i, int edgeX) const {
    const long double xe = BoundHorizAxis()->PixelToValue(edgeX);
    const long double x0 = X(i - 1);
    const long double x1 = X(i);
    const long double y0 = Y(i - 1);
    const long double y1 = Y(i);
    if (x1 - x0 == 0) {
        return CalcYPos(i - 1);
    }
    const auto y = static_cast<double>(y0 + (xe - x0) * (y1 - y0) / (x1 - x0));
    return std::isfinite(y) ? BoundVertAxis()->ValueToPixel(y) : CalcYPos(i - 1);
}

void TLineSeries::LineTo(int x, int y) {
    if (m_polyline.back() == TPoint{x, y}) {
        return;
    }
    if (m_polyline.size() == PolylineBatch) {
        Flush();
    }
    m_polyline.push_back(TPoint{x, y});
}

void TLineSeries::Flush() {
    if (m_polyline.size() >= 2) {
        ParentChart()->Canvas().Polyline(m_polyline);
    }
    m_polyline.erase(m_polyline.begin(), m_polyline.end() - 1);
}

} // namespace mouldview::chart
