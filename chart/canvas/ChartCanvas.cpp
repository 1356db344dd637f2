// The surface-independent half of the drawing surface: applying chart brushes and fonts, the
// drawing defaults, the bevel frame and lines as move-then-draw.
#include "chart/canvas/ChartCanvas.h"

#include "platform/raster/DeviceContext.h"

#include <cmath>

namespace mouldview::chart {

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
        // Rounded to nearest with ties to even, the default floating-point rounding.
        target.SetSize(static_cast<int>(std::nearbyint(font.Size() * m_fontZoom / 100.0)));
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
    --rect.Right;
    --rect.Bottom;
    for (int i = 0; i < width; ++i) {
        pen.SetColor(topLeft);
        const TPoint topLeftEdges[] = {
            {rect.Left, rect.Bottom}, {rect.Left, rect.Top}, {rect.Right, rect.Top}};
        Polyline(topLeftEdges);
        pen.SetColor(bottomRight);
        const TPoint bottomRightEdges[] = {
            {rect.Right, rect.Top}, {rect.Right, rect.Bottom}, {rect.Left - 1, rect.Bottom}};
        Polyline(bottomRightEdges);
        ++rect.Left;
        ++rect.Top;
        --rect.Right;
        --rect.Bottom;
    }
    ++rect.Right;
    ++rect.Bottom;
}

void TChartCanvas::Line(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
}

} // namespace mouldview::chart
