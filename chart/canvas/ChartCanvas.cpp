// The drawing surface on the raster device context: pens and fonts realised on it, the bevel
// frame, text, one-level clipping, and frames drawn through the off-screen buffer.
#include "chart/canvas/ChartCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace mouldview::chart {

namespace {

int ClampToInt(std::int64_t value) {
    return static_cast<int>(
        std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

TChartCanvas::TChartCanvas(raster::Bitmap& window)
    : m_window(std::make_unique<raster::DeviceContext>(window)), m_target(m_window.get()) {}

TChartCanvas::~TChartCanvas() = default;

void TChartCanvas::SetWindow(raster::Bitmap& window) {
    const bool targetWasWindow = !InFrame();
    m_window = std::make_unique<raster::DeviceContext>(window);
    if (targetWasWindow) {
        m_target = m_window.get();
    }
}

// --- Drawing state -----------------------------------------------------------------------------------

void TChartCanvas::ApplyPen(TColor color, int width, TPenStyle style) {
    // MakePen gives wide pens round caps and joins, the chart pens' end style.
    m_target->SetPen(raster::MakePen(style, width, color));
    m_target->SetRop2(raster::RasterOp::CopyPen);
}

void TChartCanvas::SetSolidBrush(TColor color) {
    raster::Brush brush;
    brush.color = color;
    m_target->SetBrush(brush);
}

void TChartCanvas::SetClearBrush() {
    raster::Brush brush;
    brush.style = raster::BrushStyle::Clear;
    m_target->SetBrush(brush);
}

void TChartCanvas::ApplyFont(const TChartFont& font) {
    raster::FontDesc desc;
    desc.faceName = font.Name();
    desc.height = font.Height();
    m_target->SetFont(desc);
    m_target->SetTextColor(font.Color());
}

void TChartCanvas::ResetDrawingDefaults() {
    ApplyPen(clBlack);
    SetSolidBrush(clWhite);
    ApplyFont(TChartFont());
    m_target->SetBkColor(clWhite);
    SetBackgroundMode(raster::BkMode::Transparent);
    SetTextAlignment(raster::TA_LEFT | raster::TA_TOP);
}

// --- Drawing -----------------------------------------------------------------------------------------

void TChartCanvas::FillRect(const TRect& rect) {
    m_target->FillRect(raster::Rect{rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void TChartCanvas::BevelFrame(TRect& rect, TColor topLeft, TColor bottomRight, int width) {
    if (width <= 0) {
        return;
    }
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
        ApplyPen(topLeft);
        const TPoint topLeftEdges[] = {{l, b}, {l, t}, {r, t}};
        Polyline(topLeftEdges);
        ApplyPen(bottomRight);
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

void TChartCanvas::Polyline(std::span<const TPoint> points) {
    m_points.resize(points.size());
    std::transform(points.begin(), points.end(), m_points.begin(), [](const TPoint& p) {
        return raster::Point{p.X, p.Y};
    });
    m_target->Polyline(m_points);
}

void TChartCanvas::TextOut(int x, int y, std::string_view text) {
    m_target->TextOut(x, y, text);
}

void TChartCanvas::TextOutRotated(int x, int y, double angle, std::string_view text) {
    SetClearBrush();
    raster::FontDesc font = m_target->GetFont();
    const raster::FontDesc upright = font;
    font.escapement = font.orientation = static_cast<int>(std::nearbyint(angle * 10.0));
    m_target->SetFont(font);
    TextOut(x, y, text);
    m_target->SetFont(upright);
}

int TChartCanvas::TextWidth(std::string_view text) {
    return m_target->GetTextExtent(text).cx;
}

int TChartCanvas::TextHeight(std::string_view text) {
    return m_target->GetTextExtent(text).cy;
}

void TChartCanvas::ClipToRect(const TRect& rect) {
    m_savedClip = m_target->GetClip();
    m_target->IntersectClip(raster::Rect{rect.Left, rect.Top, rect.Right, rect.Bottom});
}

void TChartCanvas::RemoveClip() {
    m_target->SetClip(m_savedClip);
    m_savedClip.reset();
}

// --- Frames ------------------------------------------------------------------------------------------

TRect TChartCanvas::BeginFrame(const TRect& rect) {
    // A frame without pixels gets a buffer without pixels, of size 0 x 0 whichever side was empty.
    int width = std::max(0, rect.Width());
    int height = std::max(0, rect.Height());
    if (width == 0 || height == 0) {
        width = 0;
        height = 0;
    }
    m_bufferBitmap.Resize(width, height);
    m_target = &m_buffer;
    return TRect{0, 0, width, height};
}

void TChartCanvas::EndFrame(const TRect& rect) {
    m_window->BitBlt(rect.Left, rect.Top, m_bufferBitmap);
    m_bufferDirty = false;
    m_target = m_window.get();
}

bool TChartCanvas::RepaintFromBuffer() {
    if (m_bufferDirty) {
        return false;
    }
    m_window->BitBlt(0, 0, m_bufferBitmap);
    return true;
}

} // namespace mouldview::chart
