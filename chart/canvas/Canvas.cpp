// Realisation of the framework canvas's pen, brush and font on the raster device context.
#include "chart/canvas/Canvas.h"

namespace mouldview::chart {

namespace {

raster::RasterOp RasterOpOf(TPenMode mode) {
    switch (mode) {
    case pmBlack:
        return raster::RasterOp::Black;
    case pmWhite:
        return raster::RasterOp::White;
    case pmNop:
        return raster::RasterOp::Nop;
    case pmNot:
        return raster::RasterOp::Not;
    case pmCopy:
        return raster::RasterOp::CopyPen;
    case pmNotCopy:
        return raster::RasterOp::NotCopyPen;
    case pmMergePenNot:
        return raster::RasterOp::MergePenNot;
    case pmMaskPenNot:
        return raster::RasterOp::MaskPenNot;
    case pmMergeNotPen:
        return raster::RasterOp::MergeNotPen;
    case pmMaskNotPen:
        return raster::RasterOp::MaskNotPen;
    case pmMerge:
        return raster::RasterOp::MergePen;
    case pmNotMerge:
        return raster::RasterOp::NotMergePen;
    case pmMask:
        return raster::RasterOp::MaskPen;
    case pmNotMask:
        return raster::RasterOp::NotMaskPen;
    case pmXor:
        return raster::RasterOp::XorPen;
    case pmNotXor:
        return raster::RasterOp::NotXorPen;
    }
    return raster::RasterOp::CopyPen;
}

raster::BrushStyle BrushStyleOf(TBrushStyle style) {
    switch (style) {
    case bsSolid:
        return raster::BrushStyle::Solid;
    case bsClear:
        return raster::BrushStyle::Clear;
    case bsHorizontal:
        return raster::BrushStyle::Horizontal;
    case bsVertical:
        return raster::BrushStyle::Vertical;
    case bsFDiagonal:
        return raster::BrushStyle::FDiagonal;
    case bsBDiagonal:
        return raster::BrushStyle::BDiagonal;
    case bsCross:
        return raster::BrushStyle::Cross;
    case bsDiagCross:
        return raster::BrushStyle::DiagCross;
    }
    return raster::BrushStyle::Solid;
}

} // namespace

TCanvas::TCanvas(raster::DeviceContext& dc) : m_dc(dc) {
    // A change of any framework pen field replaces a pen made by SetExtendedPen, as selecting a
    // new pen on the platform would.
    m_pen.SetOnChange([this] { m_extendedPen.reset(); });
}

void TCanvas::RealizePen() {
    if (m_extendedPen) {
        m_dc.SetPen(*m_extendedPen);
    } else {
        m_dc.SetPen(
            raster::MakePen(static_cast<raster::PenStyle>(m_pen.Style()), m_pen.Width(), m_pen.Color()));
    }
    m_dc.SetRop2(RasterOpOf(m_pen.Mode()));
}

void TCanvas::RealizeBrush() {
    raster::Brush brush;
    brush.color = m_brush.Color();
    if (m_brush.Bitmap()) {
        brush.style = raster::BrushStyle::Pattern;
        brush.pattern = m_brush.Bitmap();
        // The pattern's set pixels of a one-bit pattern take the text colour; ours are full colour
        // and copied, but the text colour is kept in step with the brush as the platform does.
        m_dc.SetTextColor(m_brush.Color());
    } else {
        brush.style = BrushStyleOf(m_brush.Style());
    }
    m_dc.SetBrush(brush);
    m_dc.SetRop2(RasterOpOf(m_pen.Mode()));
}

void TCanvas::RealizeFont() {
    raster::FontDesc desc;
    desc.faceName = m_font.Name();
    desc.height = m_font.Height();
    desc.bold = (m_font.Style() & fsBold) != 0;
    desc.italic = (m_font.Style() & fsItalic) != 0;
    desc.underline = (m_font.Style() & fsUnderline) != 0;
    desc.strikeOut = (m_font.Style() & fsStrikeOut) != 0;
    desc.escapement = m_font.Orientation();
    desc.orientation = m_font.Orientation();
    m_dc.SetFont(desc);
    m_dc.SetTextColor(m_font.Color());
}

TBitmapCanvas::TBitmapCanvas(int width, int height, raster::Pixel fill)
    : m_bitmap(width, height, fill), m_dc(m_bitmap), m_canvas(m_dc) {}

} // namespace mouldview::chart
