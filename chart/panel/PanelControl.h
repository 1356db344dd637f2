// A platform-neutral panel control: a size, a background `Color`, the bevel settings, and a window
// canvas (a raster bitmap with its device context) that the window layer presents on screen. The
// window layer forwards paint and erase requests to it and learns through a callback when the
// panel needs painting.
#pragma once

#include "chart/canvas/Canvas.h"
#include "chart/canvas/ChartColors.h"
#include "chart/canvas/Geometry.h"

#include <functional>

namespace mouldview::chart {

enum TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };

class TPanelControl {
public:
    TPanelControl(int width, int height);
    TPanelControl(const TPanelControl&) = delete;
    TPanelControl& operator=(const TPanelControl&) = delete;
    virtual ~TPanelControl() = default;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The control's client rectangle: (0, 0, Width, Height).
    TRect ClientRect() const { return TRect{0, 0, m_width, m_height}; }
    // A new size resizes the window canvas and tells the control its position changed.
    void SetSize(int width, int height);

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TPanelBevel BevelOuter() const { return m_bevelOuter; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return m_bevelInner; }
    void SetBevelInner(TPanelBevel value);
    // Width of each bevel in pixels, at least 1.
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value);
    // Band in the panel colour between the two bevels, at least 0.
    int BorderWidth() const { return m_borderWidth; }
    void SetBorderWidth(int value);

    // The canvas the control paints on and the window layer shows.
    TCanvas& WindowCanvas() { return m_window.Canvas(); }
    const raster::Bitmap& WindowBitmap() const { return m_window.Bitmap(); }

    // --- The window system's side -------------------------------------------------------------------
    // Called whenever the control needs painting; the window layer turns it into one later paint.
    void SetOnInvalidate(std::function<void()> callback) { m_onInvalidate = std::move(callback); }
    // Called by Update to paint at once: the window layer calls HandlePaint in it and presents the
    // window canvas. Without it, Update runs the paint handler itself.
    void SetOnUpdate(std::function<void()> callback) { m_onUpdate = std::move(callback); }
    // Marks the control for a later paint.
    void Invalidate();
    bool PaintPending() const { return m_paintPending; }
    // The paint message: runs the paint handler into the window canvas.
    void HandlePaint();
    // Processes a pending paint now, before returning.
    void Update();
    // The background erase message: answered as done, nothing erased (the paint covers every pixel).
    bool HandleEraseBackground() { return true; }
    // The system colours changed; the default asks for a paint.
    virtual void SystemColorsChanged() { Invalidate(); }

protected:
    // The paint handler; the default fills the client area with Color.
    virtual void Paint();
    // The control was moved or resized.
    virtual void WindowPositionChanged() { Invalidate(); }
    // A panel setting changed.
    virtual void PanelChanged() { Invalidate(); }

private:
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            PanelChanged();
        }
    }

    int m_width;
    int m_height;
    TBitmapCanvas m_window;
    TColor m_color = clBtnFace;
    TPanelBevel m_bevelOuter = bvRaised;
    TPanelBevel m_bevelInner = bvNone;
    int m_bevelWidth = 1;
    int m_borderWidth = 0;
    bool m_paintPending = true;
    std::function<void()> m_onInvalidate;
    std::function<void()> m_onUpdate;
};

} // namespace mouldview::chart
