// The chart's drawing surface: the one object every chart element draws through. It turns the
// engine's pens and fonts into the state of a raster device context, offers the drawing operations
// the chart uses (lines, rectangles, bevels, text, rotated text, text measurement, clipping), and
// owns the off-screen buffer: each frame is drawn into the buffer and copied to the window's
// bitmap in one block, and a repaint with nothing changed only copies the buffer again.
//
// Between frames the surface draws on the window's bitmap itself (the zoom band does). Coordinates
// are integer window pixels, x to the right, y downwards.
#pragma once

#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/Geometry.h"
#include "platform/raster/DeviceContext.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace mouldview::chart {

class TChartCanvas {
public:
    // A surface that draws on `window` between frames and copies its frames there. The bitmap is
    // not owned; it must outlive the surface or be replaced with SetWindow first.
    explicit TChartCanvas(raster::Bitmap& window);
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;
    // A test surface replaces the text operations (fixed metrics instead of FreeType).
    virtual ~TChartCanvas();

    // Draws on another window bitmap from now on.
    void SetWindow(raster::Bitmap& window);
    // The device context drawn on now: the window's between frames, the buffer's during a frame.
    raster::DeviceContext& Target() { return *m_target; }
    const raster::DeviceContext& Target() const { return *m_target; }

    // --- Drawing state ----------------------------------------------------------------------------
    // Realises a pen: of width 1 the platform's 1-pixel pen with its dot and dash patterns, from
    // width 2 a geometric pen with round caps and joins. The raster operation becomes a plain copy.
    void ApplyPen(TColor color, int width = 1, TPenStyle style = psSolid);
    // The same for a chart pen, in `color` instead of its own.
    void ApplyPen(const TChartPen& pen, TColor color) { ApplyPen(color, pen.Width(), pen.Style()); }
    // The raster operation of strokes (and of the fills of Rectangle).
    void SetPenMode(raster::RasterOp mode) { m_target->SetRop2(mode); }
    // A solid fill in `color`, or no fill at all.
    void SetSolidBrush(TColor color);
    void SetClearBrush();
    // Realises `font` for the text operations that follow.
    void ApplyFont(const TChartFont& font);
    void SetTextAlignment(unsigned flags) { m_target->SetTextAlign(flags); }
    // Whether the gaps of dashes and text cells are painted.
    void SetBackgroundMode(raster::BkMode mode) { m_target->SetBkMode(mode); }
    // Pen black, width 1, solid; brush white, solid; the default chart font in black; background
    // white and transparent; text aligned left + top.
    void ResetDrawingDefaults();

    // --- Drawing ----------------------------------------------------------------------------------
    // Fills x0..x1-1 by y0..y1-1 with the brush; no outline.
    void FillRect(const TRect& rect);
    // Draws `width` nested one-pixel frames, top and left in `topLeft`, right and bottom in
    // `bottomRight`, and leaves `rect` shrunk by `width` on every side. Nothing for width <= 0;
    // frames that would lie wholly outside the rectangle (widths beyond its size) are not drawn.
    void BevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width);
    // Strokes from the current position to (x, y), not painting (x, y) itself, and moves there.
    void MoveTo(int x, int y) { m_target->MoveTo(x, y); }
    void LineTo(int x, int y) { m_target->LineTo(x, y); }
    void Line(int x0, int y0, int x1, int y1);
    void HorizontalLine(int x0, int x1, int y) { Line(x0, y, x1, y); }
    void VerticalLine(int x, int y0, int y1) { Line(x, y0, x, y1); }
    // Strokes through the points in order, open; each joint painted once.
    void Polyline(std::span<const TPoint> points);
    // Fills the inside with the brush and strokes the outline on x0, y0, x1-1 and y1-1.
    void Rectangle(int x0, int y0, int x1, int y1) { m_target->Rectangle(x0, y0, x1, y1); }
    // Text at (x, y) read by the text alignment, in the applied font's colour.
    virtual void TextOut(int x, int y, std::string_view text);
    // Text written at `angle` degrees counter-clockwise: at 90 it reads bottom to top, and the
    // alignment applies along the writing direction. The brush becomes clear.
    void TextOutRotated(int x, int y, double angle, std::string_view text);
    // Extent in the applied font.
    virtual int TextWidth(std::string_view text);
    virtual int TextHeight(std::string_view text);
    // Clips to `rect` within the clip in force; one level: RemoveClip restores the clip saved here.
    void ClipToRect(const TRect& rect);
    void RemoveClip();

    // --- Frames and the off-screen buffer ---------------------------------------------------------
    // Starts a frame over `rect` of the window: the buffer takes rect's size and becomes the
    // target; returns the rectangle to draw the chart in, (0, 0, width, height).
    TRect BeginFrame(const TRect& rect);
    // Copies the buffer to the window at rect's top-left corner, marks it clean and makes the
    // window the target again.
    void EndFrame(const TRect& rect);
    // Copies a clean buffer to the window and returns true; returns false (and copies nothing)
    // when the buffer is dirty or absent, and the caller must draw a full frame.
    bool RepaintFromBuffer();
    // The buffer no longer shows the chart's current state.
    void MarkDirty() { m_bufferDirty = true; }
    bool BufferDirty() const { return m_bufferDirty; }
    // Whether a frame is being drawn (into the buffer) rather than onto the window.
    bool InFrame() const { return m_target == &m_buffer; }

private:
    std::unique_ptr<raster::DeviceContext> m_window;
    raster::Bitmap m_bufferBitmap;
    raster::DeviceContext m_buffer{m_bufferBitmap};
    raster::DeviceContext* m_target;
    bool m_bufferDirty = true;
    // The clip that ClipToRect saved and RemoveClip restores (none: no clip).
    std::optional<raster::Rect> m_savedClip;
    std::vector<raster::Point> m_points;
};

} // namespace mouldview::chart
