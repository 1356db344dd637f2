// A line series: its points drawn as one chain of 1-pixel solid segments in the series colour, each
// point adding the segment from the point before it (LineSeriesDrawing.cpp).
#pragma once

#include "chart/canvas/Geometry.h"
#include "chart/series/ChartSeries.h"

#include <cstddef>
#include <vector>

namespace mouldview::chart {

class TLineSeries : public TChartSeries {
public:
    // Draws every point from FirstVisible to LastVisible. When a point precedes the first visible
    // one, the line enters from the plot's left edge at the height where it crosses that edge.
    void DrawAllValues() override;
    // Pixel column and row of point i by the bound axes' mapping of this paint.
    int CalcXPos(int i) const;
    int CalcYPos(int i) const;

private:
    // The height at which the segment from point i - 1 to point i crosses the plot's left edge.
    int EntryHeight(int i, int edgeX) const;
    // Adds the segment from the last point of the line to (x, y); a segment of no length adds
    // nothing.
    void LineTo(int x, int y);
    // Strokes the gathered line and keeps its last point as the start of the next one.
    void Flush();

    // Segments gathered into one polyline call hold at most this many points, so the buffer is
    // allocated once and never grows with the number of points.
    static constexpr std::size_t PolylineBatch = 4096;
    std::vector<TPoint> m_polyline;
};

} // namespace mouldview::chart
