// The surface-independent half of the drawing surface: applying chart brushes and fonts, the
// drawing defaults, the bevel frame and lines as move-then-draw.
#include "chart/canvas/ChartCanvas.h"

#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mouldview::chart {

namespace {

// The largest font size, in points, that a zoomed font may reach: glyphs of a size beyond any
// screen would only cost memory.
constexpr double MaxFontPoints = 1000.0;

int ClampToInt(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

TColor HatchVisibleColor(TBrushStyle style, TColor color, TColor background) {
    if (style != bsSolid && color == background) {
        return background == clBlack ? clWhite : clBlack;
    }
    return color;
}

void TChartCanvas::ApplyBrush(const TChartBrush& brush, TColor color, TColor background) {
    if (Monochrome()) {
        color = clWhite;
    }
    std::shared_ptr<const raster::Bitmap> pattern;
    if (const TPicture* image = brush.ImageIfCreated(); image != nullptr && image->HasGraphic()) {
        pattern = image->Graphic();
    } else if (brush.Bitmap()) {
        pattern = brush.Bitmap();
    }
    TBrush& target = Brush();
    if (pattern) {
        target.SetBitmap(std::move(pattern));
        target.SetColor(color);
        SetBackgroundMode(cbmOpaque);
        SetBackgroundColor(background);
        return;
    }
    target.SetBitmap(nullptr);
    target.SetColor(color);
    target.SetStyle(brush.Style());
    if (background == clNone) {
        SetBackgroundMode(cbmTransparent);
    } else {
        SetBackgroundMode(cbmOpaque);
        SetBackgroundColor(background);
    }
}

void TChartCanvas::ApplyBrushVisible(const TChartBrush& brush, TColor color, TColor background) {
    ApplyBrush(brush, HatchVisibleColor(brush.Style(), color, background), background);
}

void TChartCanvas::ApplyFont(TChartFont& font) {
    TFont& target = Font();
    font.SetPixelsPerInch(target.PixelsPerInch());
    target.SetName(font.Name());
    target.SetHeight(font.Height());
    target.SetColor(font.Color());
    target.SetStyle(font.Style());
    target.SetCharset(font.Charset());
    if (m_fontZoom != 100.0) {
        // Rounded to nearest with ties to even, the default floating-point rounding; a zoom that
        // is not a number leaves the size alone, and sizes stay within what a font can have.
        const double zoomed = std::nearbyint(font.Size() * m_fontZoom / 100.0);
        if (!std::isnan(zoomed)) {
            target.SetSize(static_cast<int>(std::clamp(zoomed, -MaxFontPoints, MaxFontPoints)));
        }
    }
    if (Monochrome()) {
        target.SetColor(clBlack);
    }
    raster::DeviceContext& dc = *Handle();
    if (dc.GetTextCharacterExtra() != font.InterCharSize()) {
        dc.SetTextCharacterExtra(font.InterCharSize());
    }
    SetCurrentChartFont(&font);
}

void TChartCanvas::ResetDrawingDefaults() {
    TPen& pen = Pen();
    pen.SetColor(clBlack);
    pen.SetWidth(1);
    pen.SetStyle(psSolid);
    ClearExtendedPen();
    TBrush& brush = Brush();
    brush.SetColor(clWhite);
    brush.SetStyle(bsSolid);
    brush.SetBitmap(nullptr);
    TFont& font = Font();
    font.SetColor(clBlack);
    font.SetStyle(0);
    font.SetCharset(DEFAULT_CHARSET);
    font.SetName(DefaultChartFontName());
    font.SetSize(DefaultChartFontSize());
    SetCurrentChartFont(nullptr);
    SetBackgroundColor(clWhite);
    SetBackgroundMode(cbmTransparent);
    SetTextAlignment(TA_LEFT | TA_TOP);
}

void TChartCanvas::BevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    if (width <= 0) {
        return;
    }
    TPen& pen = Pen();
    pen.SetWidth(1);
    pen.SetStyle(psSolid);
    ClearExtendedPen();
    std::int64_t left = rect.Left;
    std::int64_t top = rect.Top;
    std::int64_t right = std::int64_t{rect.Right} - 1;
    std::int64_t bottom = std::int64_t{rect.Bottom} - 1;
    // After as many passes as the rectangle is wide or high, every later frame lies wholly outside
    // the rectangle passed in; those are not drawn, so an absurd width cannot take billions of passes.
    const std::int64_t drawn = std::min<std::int64_t>(width, std::max(right - left + 1, bottom - top + 1));
    for (std::int64_t i = 0; i < drawn; ++i) {
        const int l = ClampToInt(left);
        const int t = ClampToInt(top);
        const int r = ClampToInt(right);
        const int b = ClampToInt(bottom);
        pen.SetColor(topLeft);
        const TPoint topLeftEdges[] = {{l, b}, {l, t}, {r, t}};
        Polyline(topLeftEdges);
        pen.SetColor(bottomRight);
        const TPoint bottomRightEdges[] = {{r, t}, {r, b}, {ClampToInt(left - 1), b}};
        Polyline(bottomRightEdges);
        ++left;
        ++top;
        --right;
        --bottom;
    }
    rect.Left = ClampToInt(std::int64_t{rect.Left} + width);
    rect.Top = ClampToInt(std::int64_t{rect.Top} + width);
    rect.Right = ClampToInt(std::int64_t{rect.Right} - width);
    rect.Bottom = ClampToInt(std::int64_t{rect.Bottom} - width);
}

void TChartCanvas::Line(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
}

} // namespace mouldview::chart
