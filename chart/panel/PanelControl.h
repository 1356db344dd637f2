// A platform-neutral panel control: a size, the bitmap the window shows (the control's own, or the
// one the window lends it), and the paint protocol with the window layer: the window asks for paints
// through HandlePaint, and learns through callbacks when the control needs painting or drew on the
// bitmap outside a paint.
#pragma once

#include "chart/canvas/Geometry.h"
#include "platform/raster/Bitmap.h"

#include <functional>

namespace mouldview::chart {

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
    // A new size resizes the window bitmap and tells the control its position changed.
    void SetSize(int width, int height);

    // The picture the control paints and the window presents.
    const raster::Bitmap& WindowBitmap() const { return *m_windowBitmap; }
    // Paints into `bitmap` from now on, the window's own picture (null: the control's own bitmap
    // again). The window keeps the bitmap at the control's size.
    void UseWindowBitmap(raster::Bitmap* bitmap);

    // --- The window system's side -------------------------------------------------------------------
    // Called whenever the control needs painting; the window layer turns it into one later paint.
    void SetOnInvalidate(std::function<void()> callback) { m_onInvalidate = std::move(callback); }
    // Called after the control drew on the window bitmap outside a paint, so that the window shows
    // the bitmap again without asking for a paint.
    void SetOnDrawnOutsidePaint(std::function<void()> callback) {
        m_onDrawnOutsidePaint = std::move(callback);
    }
    // Marks the control for a later paint.
    void Invalidate();
    bool PaintPending() const { return m_paintPending; }
    // The paint message: runs the paint handler into the window bitmap.
    void HandlePaint();
    // The system colours changed; the default asks for a paint.
    virtual void SystemColorsChanged() { Invalidate(); }

protected:
    virtual void Paint() = 0;
    // The control was moved or resized.
    virtual void WindowPositionChanged() { Invalidate(); }
    // The control paints into another bitmap now.
    virtual void WindowBitmapChanged() { Invalidate(); }
    raster::Bitmap& MutableWindowBitmap() { return *m_windowBitmap; }
    void DrawnOutsidePaint() const {
        if (m_onDrawnOutsidePaint) {
            m_onDrawnOutsidePaint();
        }
    }

private:
    int m_width;
    int m_height;
    raster::Bitmap m_ownBitmap;
    raster::Bitmap* m_windowBitmap = &m_ownBitmap;
    bool m_paintPending = true;
    std::function<void()> m_onInvalidate;
    std::function<void()> m_onDrawnOutsidePaint;
};

} // namespace mouldview::chart
