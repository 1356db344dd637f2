// The chart engine's drawing surface as the chart elements see it: the current pen, brush and
// font, how the engine's own pen, brush and font objects become that state, text measurement,
// clipping, and the flat drawing operations. Coordinates are integer window pixels, x to the right,
// y downwards. TChartCanvas3D implements it on the raster layer.
#pragma once

#include "chart/canvas/Brush.h"
#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartColors.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/Font.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Pen.h"

#include <memory>
#include <span>
#include <string_view>

namespace mouldview::raster {
class DeviceContext;
}

namespace mouldview::chart {

// Whether the gaps of hatches, dashes and text cells are painted (in the background colour).
enum TCanvasBackMode { cbmTransparent = 1, cbmOpaque = 2 };

// Text reference point flags (the platform's values): one horizontal and one vertical flag, or'ed.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// What a translucent blend remembers between its start and its end (the pixels under it).
class TCanvasBlend {
public:
    virtual ~TCanvasBlend() = default;
};

// The colour a hatched brush must take so that its lines never vanish into their own background:
// a non-solid style whose colour equals the background becomes black, or white on black.
TColor HatchVisibleColor(TBrushStyle style, TColor color, TColor background);

class TChartCanvas {
public:
    TChartCanvas() = default;
    TChartCanvas(const TChartCanvas&) = delete;
    TChartCanvas& operator=(const TChartCanvas&) = delete;
    virtual ~TChartCanvas() = default;

    // --- State of the current target -------------------------------------------------------------
    virtual TColor BackgroundColor() const = 0;
    virtual TCanvasBackMode BackgroundMode() const = 0;
    // The raster device context drawn on now (the window's or the off-screen buffer's).
    virtual raster::DeviceContext* Handle() const = 0;
    virtual bool Monochrome() const = 0;
    // The colour of one pixel of the target; clNone outside it.
    virtual TColor Pixels(int x, int y) const = 0;
    // True only for surfaces that render real 3D; the flat surface never does.
    virtual bool SupportsTrue3D() const = 0;
    virtual unsigned TextAlignment() const = 0;
    virtual bool UseBuffer() const = 0;
    virtual void SetBackgroundColor(TColor value) = 0;
    virtual void SetBackgroundMode(TCanvasBackMode value) = 0;
    virtual void SetMonochrome(bool value) = 0;
    virtual void SetPixel(int x, int y, TColor color) = 0;
    virtual void SetTextAlignment(unsigned flags) = 0;
    virtual void SetUseBuffer(bool value) = 0;

    // The target's own pen, brush and font: what the next drawing operation uses. Changing them
    // directly is how elements ask for "brush clear" or "pen solid, width 1".
    virtual TPen& Pen() = 0;
    virtual TBrush& Brush() = 0;
    virtual TFont& Font() = 0;

    // --- Turning chart objects into drawing state --------------------------------------------------
    // Realises a pen with the given colour: hidden chart pens stroke nothing, small dots, cosmetic
    // pens below width 2, geometric pens with end caps from width 2, and the pen's raster mode.
    virtual void ApplyPen(const TPen& pen, TColor color) = 0;
    // Realises a brush with the given colour; `background` clNone leaves hatch gaps transparent.
    void ApplyBrush(const TChartBrush& brush, TColor color, TColor background);
    // ApplyBrush with the hatch visibility rule (HatchVisibleColor), as chart panels apply brushes.
    void ApplyBrushVisible(const TChartBrush& brush, TColor color, TColor background);
    // Realises a font on the target (scaled by the font zoom) and makes it the current chart font.
    void ApplyFont(TChartFont& font);
    // The chart font last applied, or null; its shadow changes measurement and text output. Not
    // owned: the font must outlive its use, which ends with the frame's ResetDrawingDefaults.
    const TChartFont* CurrentChartFont() const { return m_currentChartFont; }
    // Pen black, width 1, solid; brush white, solid; font black, plain, default face and size; no
    // current chart font; background white and transparent; text aligned left + top.
    void ResetDrawingDefaults();
    // Percent applied to fonts by ApplyFont; set from the chart's 3D options at each frame.
    double FontZoom() const { return m_fontZoom; }
    void SetFontZoom(double value) { m_fontZoom = value; }

    // --- Drawing ----------------------------------------------------------------------------------
    // A translucent blend over `rect`: what is drawn until EndBlending is mixed with what was there
    // before, `transparency` percent of the old pixels showing through.
    virtual std::unique_ptr<TCanvasBlend> BeginBlending(const TRect& rect, int transparency) = 0;
    virtual void EndBlending(std::unique_ptr<TCanvasBlend> blend) = 0;
    // Fills x0..x1-1 by y0..y1-1 with the brush; no outline.
    virtual void FillRect(const TRect& rect) = 0;
    // Draws `width` nested one-pixel frames, top and left in `topLeft`, right and bottom in
    // `bottomRight`, and leaves `rect` shrunk by `width` on every side. Nothing for width <= 0;
    // frames that would lie wholly outside the rectangle (widths beyond its size) are not drawn.
    virtual void BevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width);
    // Strokes from the current position to (x, y), not painting (x, y) itself, and moves there.
    virtual void LineTo(int x, int y) = 0;
    virtual void MoveTo(int x, int y) = 0;
    // Fills the inside with the brush and strokes the outline on x0, y0, x1-1 and y1-1.
    virtual void Rectangle(int x0, int y0, int x1, int y1) = 0;
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    // Text at (x, y) read by the text alignment, with the current chart font's shadow if any.
    virtual void TextOut(int x, int y, std::string_view text) = 0;
    // Extent in the target's current font, plus the current chart font's shadow offsets.
    virtual int TextWidth(std::string_view text) = 0;
    virtual int TextHeight(std::string_view text) = 0;
    // Clips to `rect` within the clip in force; one level: RemoveClip restores the clip saved here.
    virtual void ClipToRect(const TRect& rect) = 0;
    virtual void HorizontalLine(int x0, int x1, int y) { Line(x0, y, x1, y); }
    virtual void VerticalLine(int x, int y0, int y1) { Line(x, y0, x, y1); }
    virtual void EraseBackground(const TRect& rect) { FillRect(rect); }
    // The buffer no longer shows the chart's current state.
    virtual void MarkDirty() = 0;
    virtual void Line(int x0, int y0, int x1, int y1);
    // Strokes through the points in order, open; each joint painted once.
    virtual void Polyline(std::span<const TPoint> points) = 0;
    // Fills with the brush and strokes the closed outline.
    virtual void Polygon(std::span<const TPoint> points) = 0;
    // Text written at `angle` degrees counter-clockwise; at 90 it reads bottom to top.
    virtual void TextOutRotated(int x, int y, double angle, std::string_view text) = 0;
    virtual void RemoveClip() = 0;

protected:
    void SetCurrentChartFont(const TChartFont* font) { m_currentChartFont = font; }
    // Drops a pen realised beyond what Pen() describes (geometric caps, dash patterns), so that the
    // target strokes exactly as Pen() says.
    virtual void ClearExtendedPen() = 0;

private:
    const TChartFont* m_currentChartFont = nullptr;
    double m_fontZoom = 100.0;
};

} // namespace mouldview::chart
