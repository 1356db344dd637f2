// The two drag states of the chart's mouse handling: TZoomPanning for a drag in progress (a pan
// uses one as it is), and TChartZoom, the chart's `Zoom`: the pen of the rubber band and the state
// of the zoom drag.
#pragma once

#include "chart/canvas/ChartPen.h"

namespace mouldview::chart {

// A drag in progress: where it started and the opposite corner (for panning, the last pointer
// position handled).
class TZoomPanning {
public:
    bool DragActive() const { return m_dragActive; }
    void SetDragActive(bool value) { m_dragActive = value; }
    int StartX() const { return m_startX; }
    int StartY() const { return m_startY; }
    int EndX() const { return m_endX; }
    int EndY() const { return m_endY; }
    void SetEnd(int x, int y) {
        m_endX = x;
        m_endY = y;
    }

    // Both corners at (x, y), and the drag is active.
    void BeginDrag(int x, int y);
    // Swaps the corners' coordinates where needed so that StartX <= EndX and StartY <= EndY.
    void NormalizeCorners();

private:
    bool m_dragActive = false;
    int m_startX = 0;
    int m_startY = 0;
    int m_endX = 0;
    int m_endY = 0;
};

class TChartZoom : public TZoomPanning {
public:
    // A drag must span more than this many pixels each way to zoom or undo.
    static constexpr int MinimumPixels = 16;

    // `onChange` is called when the band's pen changes.
    explicit TChartZoom(std::function<void()> onChange) : m_pen(std::move(onChange), clWhite) {}

    TChartPen& Pen() { return m_pen; }
    const TChartPen& Pen() const { return m_pen; }

private:
    TChartPen m_pen;
};

} // namespace mouldview::chart
