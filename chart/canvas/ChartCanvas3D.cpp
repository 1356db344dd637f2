// The raster implementation of the drawing surface: pens realised with small dots and end caps,
// text with shadows and rotation, one-level clipping, and frames drawn through the off-screen buffer.
#include "chart/canvas/ChartCanvas3D.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace mouldview::chart {

namespace {

// The clip that ClipToRect saved and RemoveClip restores. There is one for the whole process,
// shared by every surface, so clipping is one level deep.
std::optional<raster::Rect>& SavedClip() {
    static std::optional<raster::Rect> saved;
    return saved;
}

raster::Rect ToRaster(const TRect& r) {
    return raster::Rect{r.Left, r.Top, r.Right, r.Bottom};
}

raster::Pen GeometricPen(raster::PenStyle style, int width, TColor color, TPenEndStyle endStyle) {
    raster::Pen pen;
    pen.style = style;
    pen.type = raster::PenType::Geometric;
    pen.width = width;
    pen.color = color;
    switch (endStyle) {
    case esRound:
        pen.endCap = raster::EndCap::Round;
        pen.join = raster::LineJoin::Round;
        break;
    case esSquare:
        pen.endCap = raster::EndCap::Square;
        pen.join = raster::LineJoin::Bevel;
        break;
    case esFlat:
        pen.endCap = raster::EndCap::Flat;
        pen.join = raster::LineJoin::Miter;
        break;
    }
    return pen;
}

// Pixels under a translucent blend, kept until it ends.
class TRasterBlend : public TCanvasBlend {
public:
    TRasterBlend(raster::Bitmap& bitmap, const raster::Rect& rect, int transparency)
        : Bitmap(bitmap), Rect(raster::Intersect(rect, bitmap.Bounds())), Transparency(transparency) {
        for (int y = Rect.top; y < Rect.bottom; ++y) {
            const raster::Pixel* row = bitmap.Row(y);
            Saved.insert(Saved.end(), row + Rect.left, row + Rect.right);
        }
    }

    raster::Bitmap& Bitmap;
    raster::Rect Rect;
    int Transparency;
    std::vector<raster::Pixel> Saved;
};

raster::Pixel Mix(raster::Pixel drawn, raster::Pixel old, int transparency) {
    const auto keep = static_cast<std::uint32_t>(transparency);
    const std::uint32_t take = 100U - keep;
    raster::Pixel result = 0;
    for (unsigned shift = 0; shift < 24; shift += 8) {
        const std::uint32_t d = (drawn >> shift) & 0xFFU;
        const std::uint32_t o = (old >> shift) & 0xFFU;
        result |= ((d * take + o * keep + 50U) / 100U) << shift;
    }
    return result;
}

} // namespace

TChartCanvas3D::TChartCanvas3D(TCanvas& windowCanvas)
    : m_windowCanvas(&windowCanvas), m_target(&windowCanvas) {}

TChartCanvas3D::~TChartCanvas3D() = default;

void TChartCanvas3D::ReferenceCanvas(TCanvas& windowCanvas) {
    const bool targetWasWindow = m_target == m_windowCanvas;
    m_windowCanvas = &windowCanvas;
    if (targetWasWindow || !m_buffer) {
        m_target = &windowCanvas;
    }
}

const raster::Bitmap* TChartCanvas3D::Buffer() const {
    return m_buffer ? &m_buffer->Bitmap() : nullptr;
}

// --- State ---------------------------------------------------------------------------------------

TColor TChartCanvas3D::BackgroundColor() const {
    return m_target->Handle().GetBkColor();
}

TCanvasBackMode TChartCanvas3D::BackgroundMode() const {
    return m_target->Handle().GetBkMode() == raster::BkMode::Opaque ? cbmOpaque : cbmTransparent;
}

TColor TChartCanvas3D::Pixels(int x, int y) const {
    const TColor color = m_target->Handle().GetPixel(x, y);
    return color == raster::DeviceContext::CLR_INVALID ? clNone : color;
}

unsigned TChartCanvas3D::TextAlignment() const {
    return m_target->Handle().GetTextAlign();
}

void TChartCanvas3D::SetBackgroundColor(TColor value) {
    m_target->Handle().SetBkColor(value);
}

void TChartCanvas3D::SetBackgroundMode(TCanvasBackMode value) {
    m_target->Handle().SetBkMode(value == cbmOpaque ? raster::BkMode::Opaque : raster::BkMode::Transparent);
}

void TChartCanvas3D::SetMonochrome(bool value) {
    if (value == m_monochrome) {
        return;
    }
    m_monochrome = value;
    MarkDirty();
    if (m_onRepaintRequest) {
        m_onRepaintRequest();
    }
}

void TChartCanvas3D::SetPixel(int x, int y, TColor color) {
    m_target->Handle().SetPixel(x, y, color);
}

void TChartCanvas3D::SetTextAlignment(unsigned flags) {
    m_target->Handle().SetTextAlign(flags);
}

void TChartCanvas3D::SetUseBuffer(bool value) {
    if (value == m_useBuffer) {
        return;
    }
    m_useBuffer = value;
    if (!value) {
        FreeBuffer();
    } else if (m_buffer) {
        m_target = &m_buffer->Canvas();
    }
}

// --- Pens ----------------------------------------------------------------------------------------

void TChartCanvas3D::ApplyPen(const TPen& pen, TColor color) {
    if (m_monochrome) {
        color = clBlack;
    }
    TCanvas& target = *m_target;
    TPen& targetPen = target.Pen();
    const auto* chartPen = dynamic_cast<const TChartPen*>(&pen);
    if (chartPen == nullptr || (chartPen->Visible() && !chartPen->SmallDots() && pen.Width() < 2)) {
        // A framework pen, or a thin chart pen: the platform's own cosmetic pen (its 1-pixel
        // patterns for dashes and dots) in the given colour.
        targetPen.Assign(pen);
        targetPen.SetColor(color);
        target.ClearExtendedPen();
        return;
    }
    if (!chartPen->Visible()) {
        target.ClearExtendedPen();
        targetPen.SetStyle(psClear);
        return;
    }
    targetPen.SetColor(color);
    targetPen.SetMode(pen.Mode());
    if (chartPen->SmallDots()) {
        targetPen.SetWidth(1);
        const int space = chartPen->SmallSpace();
        if (space <= 0) {
            targetPen.SetStyle(psAlternate);
            target.ClearExtendedPen();
            return;
        }
        // Dashes of length 0 with round caps are single dots, space + 1 pixels apart.
        targetPen.SetStyle(psUserStyle);
        raster::Pen dots = GeometricPen(raster::PenStyle::UserStyle, 1, color, esRound);
        dots.userDashes = {0, space < 1'000'000 ? space + 1 : 1'000'000};
        target.SetExtendedPen(dots);
        return;
    }
    targetPen.SetWidth(pen.Width());
    targetPen.SetStyle(pen.Style());
    target.SetExtendedPen(
        GeometricPen(static_cast<raster::PenStyle>(pen.Style()), pen.Width(), color, chartPen->EndStyle()));
}

// --- Drawing -------------------------------------------------------------------------------------

std::unique_ptr<TCanvasBlend> TChartCanvas3D::BeginBlending(const TRect& rect, int transparency) {
    return std::make_unique<TRasterBlend>(m_target->Target(), ToRaster(rect),
                                          std::clamp(transparency, 0, 100));
}

void TChartCanvas3D::EndBlending(std::unique_ptr<TCanvasBlend> blend) {
    auto* raster = dynamic_cast<TRasterBlend*>(blend.get());
    if (raster == nullptr) {
        return;
    }
    const raster::Rect& r = raster->Rect;
    const raster::Pixel* old = raster->Saved.data();
    for (int y = r.top; y < r.bottom; ++y) {
        raster::Pixel* row = raster->Bitmap.Row(y);
        for (int x = r.left; x < r.right; ++x, ++old) {
            row[x] = Mix(row[x], *old, raster->Transparency);
        }
    }
}

void TChartCanvas3D::FillRect(const TRect& rect) {
    m_target->RealizeBrush();
    m_target->Handle().FillRect(ToRaster(rect));
}

void TChartCanvas3D::LineTo(int x, int y) {
    m_target->RealizePen();
    m_target->Handle().LineTo(x, y);
}

void TChartCanvas3D::MoveTo(int x, int y) {
    m_target->Handle().MoveTo(x, y);
}

void TChartCanvas3D::Rectangle(int x0, int y0, int x1, int y1) {
    m_target->RealizeBrush();
    m_target->RealizePen();
    m_target->Handle().Rectangle(x0, y0, x1, y1);
}

const std::vector<raster::Point>& TChartCanvas3D::ToRasterPoints(std::span<const TPoint> points) {
    m_pointScratch.resize(points.size());
    std::transform(points.begin(), points.end(), m_pointScratch.begin(), [](const TPoint& p) {
        return raster::Point{p.X, p.Y};
    });
    return m_pointScratch;
}

void TChartCanvas3D::Polyline(std::span<const TPoint> points) {
    m_target->RealizePen();
    m_target->Handle().Polyline(ToRasterPoints(points));
}

void TChartCanvas3D::Polygon(std::span<const TPoint> points) {
    m_target->RealizeBrush();
    m_target->RealizePen();
    m_target->Handle().Polygon(ToRasterPoints(points));
}

// --- Text ----------------------------------------------------------------------------------------

void TChartCanvas3D::TextOut(int x, int y, std::string_view text) {
    const TChartFont* chartFont = CurrentChartFont();
    const TChartShadow* shadow = chartFont != nullptr ? chartFont->ShadowIfCreated() : nullptr;
    if (shadow != nullptr && (shadow->HorizSize() != 0 || shadow->VertSize() != 0)) {
        // The shadow goes towards positive offsets; a negative offset moves the text instead, so
        // the pair always occupies the rectangle the measurement promised.
        int shadowX = x;
        int shadowY = y;
        if (shadow->HorizSize() >= 0) {
            shadowX += shadow->HorizSize();
        } else {
            x -= shadow->HorizSize();
        }
        if (shadow->VertSize() >= 0) {
            shadowY += shadow->VertSize();
        } else {
            y -= shadow->VertSize();
        }
        std::unique_ptr<TCanvasBlend> blend;
        if (shadow->Transparency() > 0) {
            const int width = TextWidth(text);
            const int height = TextHeight(text);
            const unsigned align = TextAlignment();
            int left = shadowX;
            if ((align & TA_CENTER) == TA_CENTER) {
                left -= width / 2;
            } else if ((align & TA_RIGHT) != 0) {
                left -= width;
            }
            int top = shadowY;
            if ((align & TA_BASELINE) == TA_BASELINE) {
                m_target->RealizeFont();
                top -= m_target->Handle().GetTextMetrics().ascent;
            } else if ((align & TA_BOTTOM) != 0) {
                top -= height;
            }
            blend = BeginBlending(TRect{left, top, left + width, top + height}, shadow->Transparency());
        }
        m_target->RealizeFont();
        m_target->Handle().SetTextColor(shadow->Color());
        m_target->Handle().TextOut(shadowX, shadowY, text);
        if (blend) {
            EndBlending(std::move(blend));
        }
    }
    DrawPlainText(x, y, text);
}

void TChartCanvas3D::DrawPlainText(int x, int y, std::string_view text) {
    m_target->RealizeFont();
    raster::DeviceContext& dc = m_target->Handle();
    const TChartFont* chartFont = CurrentChartFont();
    const TChartHiddenPen* outline = chartFont != nullptr ? chartFont->OutLineIfCreated() : nullptr;
    if (outline != nullptr && outline->Visible() && outline->Style() != psClear) {
        // The outline is the text stamped around its place in the outline colour, as far out as
        // the outline pen is wide; the glyphs in the font colour go on top unless that is clNone.
        const int reach = std::max(1, outline->Width());
        const raster::BkMode mode = dc.GetBkMode();
        dc.SetBkMode(raster::BkMode::Transparent);
        dc.SetTextColor(m_monochrome ? clBlack : outline->Color());
        for (int dy = -reach; dy <= reach; ++dy) {
            for (int dx = -reach; dx <= reach; ++dx) {
                if (dx != 0 || dy != 0) {
                    dc.TextOut(x + dx, y + dy, text);
                }
            }
        }
        dc.SetBkMode(mode);
        dc.SetTextColor(Font().Color());
        if (Font().Color() == clNone) {
            return;
        }
    }
    dc.TextOut(x, y, text);
}

void TChartCanvas3D::TextOutRotated(int x, int y, double angle, std::string_view text) {
    if (!std::isfinite(angle)) {
        angle = 0.0;
    }
    // Whole turns above 360 are dropped (a result of 0 stays a full turn, which draws the same).
    if (angle > 360.0) {
        angle = std::fmod(angle, 360.0);
        if (angle == 0.0) {
            angle = 360.0;
        }
    } else if (angle < -360.0) {
        angle = std::fmod(angle, 360.0);
    }
    Brush().SetStyle(bsClear);
    TFont& font = Font();
    const int previous = font.Orientation();
    font.SetOrientation(static_cast<int>(std::nearbyint(angle * 10.0)));
    TextOut(x, y, text);
    font.SetOrientation(previous);
}

int TChartCanvas3D::TextWidth(std::string_view text) {
    m_target->RealizeFont();
    int width = m_target->Handle().GetTextExtent(text).cx;
    if (const TChartFont* chartFont = CurrentChartFont();
        chartFont != nullptr && chartFont->ShadowIfCreated() != nullptr) {
        width += std::abs(chartFont->ShadowIfCreated()->HorizSize());
    }
    return width;
}

int TChartCanvas3D::TextHeight(std::string_view text) {
    m_target->RealizeFont();
    int height = m_target->Handle().GetTextExtent(text).cy;
    if (const TChartFont* chartFont = CurrentChartFont();
        chartFont != nullptr && chartFont->ShadowIfCreated() != nullptr) {
        height += std::abs(chartFont->ShadowIfCreated()->VertSize());
    }
    return height;
}

// --- Clipping ------------------------------------------------------------------------------------

void TChartCanvas3D::ClipToRect(const TRect& rect) {
    raster::DeviceContext& dc = m_target->Handle();
    // Logical and device coordinates coincide on every surface of this engine.
    SavedClip() = dc.GetClip();
    dc.IntersectClip(ToRaster(rect));
}

void TChartCanvas3D::RemoveClip() {
    raster::DeviceContext& dc = m_target->Handle();
    dc.SetClip(SavedClip());
    SavedClip().reset();
}

// --- Frames --------------------------------------------------------------------------------------

TRect TChartCanvas3D::BeginFrame(TCanvas& canvas, const TView3DOptions* options, const TRect& rect,
                                 bool view3D, TColor /*panelColor*/) {
    m_bounds = rect;
    SetFontZoom(options != nullptr ? options->FontZoom() : 100.0);
    SetProjectionState(view3D, false, 1.0);
    if (!m_useBuffer) {
        m_target = &canvas;
        return rect;
    }
    // A frame without pixels gets a buffer without pixels, of size 0 x 0 whichever side was empty.
    int width = std::max(0, rect.Width());
    int height = std::max(0, rect.Height());
    if (width == 0 || height == 0) {
        width = 0;
        height = 0;
    }
    if (!m_buffer) {
        m_buffer = std::make_unique<TBitmapCanvas>(width, height);
    } else {
        m_buffer->Resize(width, height);
    }
    // The raster bitmap sends no change notifications, so drawing into it costs nothing extra.
    m_target = &m_buffer->Canvas();
    return TRect{0, 0, width, height};
}

void TChartCanvas3D::EndFrame(TCanvas& canvas, const TRect& rect) {
    if (m_useBuffer && m_buffer) {
        canvas.Handle().BitBlt(rect.Left, rect.Top, m_buffer->Bitmap());
        m_bufferDirty = false;
    }
    m_target = m_windowCanvas;
}

bool TChartCanvas3D::RepaintFromBuffer() {
    if (m_bufferDirty || !m_buffer) {
        return false;
    }
    m_target->Handle().BitBlt(0, 0, m_buffer->Bitmap());
    return true;
}

void TChartCanvas3D::FreeBuffer() {
    if (m_buffer && m_target == &m_buffer->Canvas()) {
        m_target = m_windowCanvas;
    }
    m_buffer.reset();
    m_bufferDirty = true;
}

} // namespace mouldview::chart
