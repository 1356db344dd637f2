// The chart control's panel layer: the drawing surface with its off-screen buffer, the panel
// background and its raised bevel, the margins that give the first plotting rectangle (ChartRect),
// DrawChart, the deferred repaint request, and the loading state of the stored layout.
//
// One full paint: BeginFrame, ApplyMargins, NormalizeChartRect, DrawChartContent (the layout and
// drawing of the chart), EndFrame.
#pragma once

#include "chart/canvas/ChartCanvas.h"
#include "chart/panel/PanelControl.h"

#include <memory>

namespace mouldview::chart {

class TCustomChartPanel : public TPanelControl {
public:
    // A newly constructed chart is 400 x 250 pixels.
    static constexpr int DefaultWidth = 400;
    static constexpr int DefaultHeight = 250;
    // The panel's colour: the platform's button face, also the chart's background colour.
    static constexpr TColor PanelColor = clBtnFace;

    TCustomChartPanel();
    ~TCustomChartPanel() override;

    TChartCanvas& Canvas() { return *m_canvas; }
    // Replaces the drawing surface (a test's fixed-metric surface, for instance); the chart owns it
    // and points it at its window bitmap.
    void SetCanvas(std::unique_ptr<TChartCanvas> canvas);

    // Marks the buffer dirty and invalidates the window; nothing while AutoRepaint is off.
    virtual void RequestRepaint();
    bool AutoRepaint() const { return m_autoRepaint; }
    void SetAutoRepaint(bool value) { m_autoRepaint = value; }
    // The system colours changed: the panel's colours (button face, bevels) may look different, so
    // the buffered image is stale.
    void SystemColorsChanged() override;

    // --- Loading state of the stored layout ---------------------------------------------------------
    // While loading, some setters act differently (an axis' Automatic); calls nest.
    void BeginLoading() { ++m_loading; }
    // Ends loading; the outermost call asks for a paint.
    void EndLoading();
    bool IsLoading() const { return m_loading > 0; }

    // --- Layout of the last paint -------------------------------------------------------------------
    const TRect& ChartBounds() const { return m_chartBounds; }
    TRect ChartRect() const { return m_chartRect; }

protected:
    // Paints the whole chart into the window bitmap, through the off-screen buffer.
    void DrawChart();
    // The layout and drawing sequence between the frame's start and end.
    virtual void DrawChartContent(const TRect& chartBounds) = 0;
    void WindowPositionChanged() override;
    void WindowBitmapChanged() override;
    // Keeps ChartRect inside ChartBounds and non-empty.
    void NormalizeChartRect();
    TRect& MutableChartRect() { return m_chartRect; }
    // The background fill and the one-pixel raised bevel around it.
    void PaintPanel(const TRect& rect);

private:
    // ChartRect from ChartBounds, the panel's bevel and the margins.
    void ApplyMargins();

    std::unique_ptr<TChartCanvas> m_canvas;
    bool m_autoRepaint = false;
    int m_loading = 0;
    TRect m_chartBounds;
    TRect m_chartRect;
};

} // namespace mouldview::chart
