// The framework canvas: a raster device context together with the pen, brush and font objects that
// describe its drawing state. The objects are realised on the device context right before each
// drawing call, so setting them costs nothing until something is drawn.
#pragma once

#include "chart/canvas/Brush.h"
#include "chart/canvas/Font.h"
#include "chart/canvas/Pen.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/DeviceContext.h"

#include <optional>

namespace mouldview::chart {

class TCanvas {
public:
    // A canvas drawing through `dc`, which must outlive it. Starts with the device context's own
    // defaults: black solid 1-pixel pen, white solid brush, the default font.
    explicit TCanvas(raster::DeviceContext& dc);
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    raster::DeviceContext& Handle() { return m_dc; }
    const raster::DeviceContext& Handle() const { return m_dc; }
    raster::Bitmap& Target() { return m_dc.Target(); }
    const raster::Bitmap& Target() const { return m_dc.Target(); }

    TPen& Pen() { return m_pen; }
    TBrush& Brush() { return m_brush; }
    TFont& Font() { return m_font; }

    // A pen the framework pen cannot describe (geometric with end caps, user dash patterns). It
    // stays in force until any field of Pen() changes or ClearExtendedPen is called.
    void SetExtendedPen(const raster::Pen& pen) { m_extendedPen = pen; }
    void ClearExtendedPen() { m_extendedPen.reset(); }
    const std::optional<raster::Pen>& ExtendedPen() const { return m_extendedPen; }

    // Bring the device context in line with Pen() (and its raster mode), Brush() and Font()
    // (with its colour as the text colour).
    void RealizePen();
    void RealizeBrush();
    void RealizeFont();

private:
    raster::DeviceContext& m_dc;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    std::optional<raster::Pen> m_extendedPen;
};

// A canvas over a bitmap of its own: the off-screen buffer, an export picture, a test target.
class TBitmapCanvas {
public:
    TBitmapCanvas(int width, int height, raster::Pixel fill = 0x00FFFFFF);
    TBitmapCanvas(const TBitmapCanvas&) = delete;
    TBitmapCanvas& operator=(const TBitmapCanvas&) = delete;

    raster::Bitmap& Bitmap() { return m_bitmap; }
    const raster::Bitmap& Bitmap() const { return m_bitmap; }
    TCanvas& Canvas() { return m_canvas; }
    // An unchanged size keeps the pixels; the canvas stays valid either way.
    void Resize(int width, int height) { m_bitmap.Resize(width, height); }

private:
    raster::Bitmap m_bitmap;
    raster::DeviceContext m_dc;
    TCanvas m_canvas;
};

} // namespace mouldview::chart
