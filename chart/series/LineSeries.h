// The line series class chain: TCustomLineSeries and TCustomSeries between the data side of a
// series and TLineSeries, the kind of series the result window shows. TCustomSeries draws the points
// as a chain of segments (LineSeriesDrawing.cpp).
#pragma once

#include "chart/canvas/ChartPen.h"
#include "chart/canvas/ChartShadow.h"
#include "chart/canvas/Geometry.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/CustomChartAxis.h"
#include "chart/series/SeriesPointer.h"

#include <cstddef>
#include <vector>

namespace mouldview::chart {

class TCustomLineSeries : public TChartSeries {};

class TCustomSeries : public TCustomLineSeries {
public:
    TCustomSeries();

    // Stacked series would report the extent of the stack; without stacking these are the value
    // lists' own extents.
    double MaxX() const override;
    double MaxY() const override;
    double MinX() const override;
    double MinY() const override;

    // --- Drawing settings ---------------------------------------------------------------------------
    // The pen of the segments; its own colour is replaced by the segment colour when drawing.
    TChartPen& LinePen() { return Pen(); }
    // With ColorEachPoint, each segment takes the colour of the point it ends at.
    bool ColorEachLine() const { return m_colorEachLine; }
    void SetColorEachLine(bool value);
    // Steps instead of slanted segments: horizontal first, or vertical first with InvertedStairs.
    bool Stairs() const { return m_stairs; }
    void SetStairs(bool value);
    bool InvertedStairs() const { return m_invertedStairs; }
    void SetInvertedStairs(bool value);
    TSeriesPointer& Pointer() { return m_pointer; }
    const TSeriesPointer& Pointer() const { return m_pointer; }
    TSeriesMarks& Marks() { return m_marks; }
    const TSeriesMarks& Marks() const { return m_marks; }
    // A second, wider line under the series line; hidden by default.
    TChartHiddenPen& OutLine() { return m_outLine; }
    const TChartHiddenPen& OutLine() const { return m_outLine; }
    // An offset copy of the series drawn first; sizes 0 (none) by default.
    TChartShadow& Shadow() { return m_shadow; }
    const TChartShadow& Shadow() const { return m_shadow; }

    // --- Drawing ------------------------------------------------------------------------------------
    void HorizMargins(int& left, int& right) const override;
    void VertMargins(int& top, int& bottom) const override;
    // Draws every point from FirstVisible to LastVisible, in the direction DrawValuesForward says.
    void DrawAllValues() override;
    // Draws point i and the segment that ends at it.
    virtual void DrawValue(int i);
    // Pixel column and row of point i by the bound axes' mapping of this paint.
    virtual int CalcXPos(int i) const;
    virtual int CalcYPos(int i) const;
    // True when the horizontal axis is not inverted: points are then drawn in increasing order.
    virtual bool DrawValuesForward() const;
    bool IsNull(int i) const { return PointColor(i) == clNone; }
    // Draws the marker of point `index` at (x, y); nothing while the pointer is hidden.
    virtual void DrawPointer(int x, int y, TColor color, int index);

    // Position and colour of the point drawn last; kept from one paint to the next.
    int PrevX() const { return m_prevX; }
    int PrevY() const { return m_prevY; }
    TColor PrevColor() const { return m_prevColor; }

private:
    void EnterFromEdge(int i);
    void DrawSegment(int x, int y, TColor pc, int i, bool withPointers);
    void DrawPass();
    // Whether this pass may map the points with copies of the axes' mappings and skip DrawValue's
    // per-point calls (filled in when it may).
    bool CanMapInline(TPixelMapping& horiz, TPixelMapping& vert) const;
    // DrawValue's work for a point after the first of the pass, positions given.
    void DrawMappedValue(int i, int x, int y);
    // Realises the pen for segments in `color` (the caller checks it is not the current one).
    void ApplySegmentPen(TColor color);
    // One segment (or step) from (PrevX, PrevY) to (x, y) straight on the surface.
    void StrokeSegment(int x, int y);
    void DrawSegmentPointers(int x, int y, TColor pc, int i);
    // Draws the segments gathered for one polyline and starts a new one.
    void FlushPolyline();

    // Segments gathered into one polyline call hold at most this many points, so the buffer is
    // allocated once and never grows with the number of points.
    static constexpr std::size_t PolylineBatch = 4096;

    bool m_colorEachLine = true;
    bool m_stairs = false;
    bool m_invertedStairs = false;
    TSeriesPointer m_pointer;
    TSeriesMarks m_marks;
    TChartHiddenPen m_outLine;
    TChartShadow m_shadow;

    int m_prevX = 0;
    int m_prevY = 0;
    TColor m_prevColor = 0;

    // Drawing state of one DrawAllValues pass: the colour the surface's pen was last realised with
    // (clNone: not yet in this pass), the colour and pen width that replace the series' own in the
    // shadow and outline passes (clNone, 0: none), and the shadow's pixel offsets.
    TColor m_penColor = clNone;
    TColor m_passColor = clNone;
    int m_passPenWidth = 0;
    TChartPen m_passPen;
    int m_offsetX = 0;
    int m_offsetY = 0;
    // The direction of the pass and the index it starts and ends with (DrawValue's "first" and
    // "last"), fixed for the whole pass.
    bool m_passForward = true;
    // Whether the realised pen lets consecutive segments go out as one polyline, and the points
    // gathered so far.
    bool m_batchSegments = false;
    std::vector<TPoint> m_polyline;
    int m_passFirst = 0;
    int m_passLast = -1;
    bool m_passPointers = true;
};

// A line series: lines on, pointer hidden.
class TLineSeries : public TCustomSeries {};

} // namespace mouldview::chart
