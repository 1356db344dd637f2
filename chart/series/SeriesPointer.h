// The per-point decorations of a series: the pointer (a marker drawn at each point) and the marks
// (value labels). This program keeps both hidden; their settings still decide the room a series
// asks its axes to keep free.
#pragma once

#include "chart/canvas/ChartBrush.h"

#include <functional>

namespace mouldview::chart {

enum TSeriesPointerStyle {
    psRectangle,
    psCircle,
    psTriangle,
    psDownTriangle,
    psCross,
    psDiagCross,
    psStar,
    psDiamond,
    psSmallDot,
    psNothing,
    psLeftTriangle,
    psRightTriangle
};

class TSeriesPointer {
public:
    explicit TSeriesPointer(std::function<void()> onChange = {}) : m_onChange(std::move(onChange)) {}
    TSeriesPointer(const TSeriesPointer&) = delete;
    TSeriesPointer& operator=(const TSeriesPointer&) = delete;

    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { Store(m_visible, value); }
    TSeriesPointerStyle Style() const { return m_style; }
    void SetStyle(TSeriesPointerStyle value) { Store(m_style, value); }
    // Half the marker's width and height in pixels.
    int HorizSize() const { return m_horizSize; }
    void SetHorizSize(int value) { Store(m_horizSize, value); }
    int VertSize() const { return m_vertSize; }
    void SetVertSize(int value) { Store(m_vertSize, value); }
    // Whether a visible pointer makes the axes keep room for it at their ends.
    bool InflateMargins() const { return m_inflateMargins; }
    void SetInflateMargins(bool value) { Store(m_inflateMargins, value); }

private:
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            if (m_onChange) {
                m_onChange();
            }
        }
    }

    bool m_visible = false;
    TSeriesPointerStyle m_style = psRectangle;
    int m_horizSize = 4;
    int m_vertSize = 4;
    bool m_inflateMargins = true;
    std::function<void()> m_onChange;
};

// The line from a mark to its point. Marks stay hidden in this program; the brush keeps the colour
// a stored layout gives it.
class TMarksCallout {
public:
    explicit TMarksCallout(std::function<void()> onChange = {}) : m_brush(std::move(onChange)) {}
    TMarksCallout(const TMarksCallout&) = delete;
    TMarksCallout& operator=(const TMarksCallout&) = delete;

    TChartBrush& Brush() { return m_brush; }
    const TChartBrush& Brush() const { return m_brush; }

private:
    TChartBrush m_brush;
};

class TSeriesMarks {
public:
    explicit TSeriesMarks(std::function<void()> onChange = {})
        : m_callout([this] {
              if (m_onChange) {
                  m_onChange();
              }
          }),
          m_onChange(std::move(onChange)) {}
    TSeriesMarks(const TSeriesMarks&) = delete;
    TSeriesMarks& operator=(const TSeriesMarks&) = delete;

    bool Visible() const { return m_visible; }
    void SetVisible(bool value) {
        if (m_visible != value) {
            m_visible = value;
            if (m_onChange) {
                m_onChange();
            }
        }
    }
    // Distance of a mark from its point, and so the room a visible mark needs beyond the plot.
    int ArrowLength() const { return m_arrowLength; }
    void SetArrowLength(int value) {
        if (m_arrowLength != value) {
            m_arrowLength = value;
            if (m_onChange) {
                m_onChange();
            }
        }
    }

    TMarksCallout& Callout() { return m_callout; }
    const TMarksCallout& Callout() const { return m_callout; }

private:
    TMarksCallout m_callout;
    bool m_visible = false;
    int m_arrowLength = 8;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
