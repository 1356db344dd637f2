// The chart control's panel layer: the drawing surface with its off-screen buffer, the panel
// background and bevels, the margins that give the first plotting rectangle (ChartRect), the paint
// handler and DrawChart, the deferred repaint request, and the loading state of the stored layout.
//
// One paint: the paint handler copies a clean buffer, or runs DrawChart: BeginFrame, ApplyMargins,
// NormalizeChartRect, DrawChartContent (the layout and drawing of the derived classes), EndFrame.
#pragma once

#include "chart/axes/ChartAxis.h"
#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "chart/canvas/ChartGradient.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/ChartShadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/panel/PanelControl.h"
#include "chart/panel/ZoomPanning.h"

#include <functional>
#include <memory>

namespace mouldview::chart {

class TCustomChartPanel : public TPanelControl {
public:
    // A newly constructed chart is 400 x 250 pixels.
    static constexpr int DefaultWidth = 400;
    static constexpr int DefaultHeight = 250;

    TCustomChartPanel();
    ~TCustomChartPanel() override;

    // --- Panel settings -----------------------------------------------------------------------------
    // The optional pen around the panel; hidden, flat ends.
    TChartHiddenPen& Border() { return m_border; }
    // Corner radius of the border; 0 is square.
    int BorderRound() const { return m_borderRound; }
    void SetBorderRound(int value);
    TChartShadow& Shadow() { return m_shadow; }
    // Created on first access, invisible.
    TChartGradient& Gradient();
    const TChartGradient* GradientIfCreated() const { return m_gradient.get(); }
    TPicture& BackImage() { return m_backImage; }
    // The colour around a panel that casts a shadow (its parent window's colour).
    TColor ParentColor() const { return m_parentColor; }
    void SetParentColor(TColor value);

    int MarginLeft() const { return m_marginLeft; }
    void SetMarginLeft(int value);
    int MarginTop() const { return m_marginTop; }
    void SetMarginTop(int value);
    int MarginRight() const { return m_marginRight; }
    void SetMarginRight(int value);
    int MarginBottom() const { return m_marginBottom; }
    void SetMarginBottom(int value);
    TChartUnits MarginUnits() const { return m_marginUnits; }
    void SetMarginUnits(TChartUnits value);
    bool View3D() const { return m_view3D; }
    void SetView3D(bool value);
    TView3DOptions& View3DOptions() { return m_view3DOptions; }

    // --- Drawing surface ----------------------------------------------------------------------------
    TChartCanvas3D& Canvas() { return *m_canvas; }
    // Replaces the drawing surface (a test's fixed-metric surface, for instance); the chart owns it
    // and points it at its window canvas.
    void SetCanvas(std::unique_ptr<TChartCanvas3D> canvas);

    // --- Painting -----------------------------------------------------------------------------------
    // Paints the whole chart into `rect` of `target`.
    virtual void DrawChart(TCanvas& target, const TRect& rect);
    // Marks the buffer dirty and invalidates the window; nothing while AutoRepaint is off.
    virtual void RequestRepaint();
    // RequestRepaint, then the pending paint is processed at once.
    void Repaint();
    bool AutoRepaint() const { return m_autoRepaint; }
    void SetAutoRepaint(bool value) { m_autoRepaint = value; }
    bool Printing() const { return m_printing; }

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
    int ChartWidth() const { return m_chartWidth; }
    int ChartHeight() const { return m_chartHeight; }
    int ChartXCenter() const { return m_chartXCenter; }
    int ChartYCenter() const { return m_chartYCenter; }
    // The border, bevels and band between them, in pixels.
    int PanelFrameWidth() const;

protected:
    // Paint handler: copies a clean buffer, otherwise draws the chart into the window canvas.
    void Paint() override;
    void WindowPositionChanged() override;
    void PanelChanged() override { RequestRepaint(); }

    // The layout and drawing sequence between the frame's start and end.
    virtual void DrawChartContent(const TRect& /*chartBounds*/) {}
    // ChartRect from ChartBounds, the panel frame and the margins.
    void ApplyMargins();
    // Keeps ChartRect inside ChartBounds and non-empty; recomputes the derived sizes.
    void NormalizeChartRect();
    void SetChartRect(const TRect& rect) { m_chartRect = rect; }
    TRect& MutableChartRect() { return m_chartRect; }
    // Panel shadow, background fill and frame over `rect`.
    virtual void PaintPanel(const TRect& rect);
    virtual void FillPanel(const TRect& rect);
    void DrawPanelFrame(TRect rect);
    // The outermost EndLoading calls this.
    virtual void Loaded() { RequestRepaint(); }

private:
    void StoreMargin(int& field, int value);

    std::unique_ptr<TChartCanvas3D> m_canvas;
    TChartHiddenPen m_border;
    int m_borderRound = 0;
    TChartShadow m_shadow;
    std::unique_ptr<TChartGradient> m_gradient;
    TPicture m_backImage;
    TColor m_parentColor = clBtnFace;
    int m_marginLeft = 3;
    int m_marginTop = 4;
    int m_marginRight = 3;
    int m_marginBottom = 4;
    TChartUnits m_marginUnits = muPercent;
    bool m_view3D = true;
    TView3DOptions m_view3DOptions;

    bool m_autoRepaint = false;
    bool m_printing = false;
    int m_loading = 0;

    TRect m_chartBounds;
    TRect m_chartRect;
    int m_chartWidth = 0;
    int m_chartHeight = 0;
    int m_chartXCenter = 0;
    int m_chartYCenter = 0;
};

// The panel with the mouse zoom and scroll state: the `Zoom` settings (which also hold the zoom
// drag), the pan drag, the panning settings and the cursor the chart asks the window to show. A
// zoom drag that is in progress during a full paint has its band drawn into the frame
// (DrawZoomBand), so that the band on screen and its XOR state stay paired.
class TCustomChartPanelExtended : public TCustomChartPanel {
public:
    TCustomChartPanelExtended();

    TChartZoom& Zoom() { return m_zoom; }
    const TChartZoom& Zoom() const { return m_zoom; }
    // The drag of a pan in progress.
    TZoomPanning& PanningState() { return m_panning; }
    const TZoomPanning& PanningState() const { return m_panning; }
    TPanningMode AllowPanning() const { return m_allowPanning; }
    void SetAllowPanning(TPanningMode value) { m_allowPanning = value; }
    TMouseButton ScrollMouseButton() const { return m_scrollMouseButton; }
    void SetScrollMouseButton(TMouseButton value) { m_scrollMouseButton = value; }
    // Chart-level settings of older stored layouts; read into `Zoom`, never written.
    void SetAllowZoom(bool value) { m_zoom.SetAllow(value); }
    void SetAnimatedZoom(bool value) { m_zoom.SetAnimated(value); }
    void SetAnimatedZoomSteps(int value) { m_zoom.SetAnimatedSteps(value); }

    // Whether a zoom drag is in progress.
    virtual bool ZoomDragActive() const { return m_zoom.DragActive(); }

    // --- Cursor and the window ----------------------------------------------------------------------
    // The pointer shape the chart wants; the window layer learns of changes through the callback.
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor value);
    // The cursor the chart had when it was created, restored when a drag starts and on leaving.
    TCursor InitialCursor() const { return m_initialCursor; }
    void SetOnCursorChange(std::function<void(TCursor)> callback) { m_onCursorChange = std::move(callback); }
    // Called after the chart drew straight onto the window canvas outside a paint (the zoom band),
    // so that the window layer shows the canvas again without asking for a paint.
    void SetOnWindowCanvasChanged(std::function<void()> callback) {
        m_onWindowCanvasChanged = std::move(callback);
    }

protected:
    // Draws the zoom rectangle of the drag in progress.
    virtual void DrawZoomBand() {}
    void WindowCanvasChanged() {
        if (m_onWindowCanvasChanged) {
            m_onWindowCanvasChanged();
        }
    }

private:
    TChartZoom m_zoom;
    TZoomPanning m_panning;
    TPanningMode m_allowPanning = pmBoth;
    TMouseButton m_scrollMouseButton = mbRight;
    TCursor m_cursor = crDefault;
    TCursor m_initialCursor = crDefault;
    std::function<void(TCursor)> m_onCursorChange;
    std::function<void()> m_onWindowCanvasChanged;
};

} // namespace mouldview::chart
