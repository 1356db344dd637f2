// Margins, the panel background and bevels, the paint handler, DrawChart and the repaint request.
#include "chart/panel/CustomChartPanel.h"

#include <algorithm>

namespace mouldview::chart {

TCustomChartPanel::TCustomChartPanel()
    : TPanelControl(DefaultWidth, DefaultHeight), m_canvas(std::make_unique<TChartCanvas3D>(WindowCanvas())),
      m_border([this] { RequestRepaint(); }), m_shadow([this] { RequestRepaint(); }),
      m_view3DOptions([this] { RequestRepaint(); }) {
    m_border.SetEndStyle(esFlat);
    m_border.SetDefaultEndStyle(esFlat);
    m_canvas->SetOnRepaintRequest([this] { RequestRepaint(); });
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetCanvas(std::unique_ptr<TChartCanvas3D> canvas) {
    m_canvas = std::move(canvas);
    m_canvas->ReferenceCanvas(WindowCanvas());
    m_canvas->SetOnRepaintRequest([this] { RequestRepaint(); });
    m_canvas->MarkDirty();
    RequestRepaint();
}

TChartGradient& TCustomChartPanel::Gradient() {
    if (!m_gradient) {
        m_gradient = std::make_unique<TChartGradient>([this] { RequestRepaint(); });
    }
    return *m_gradient;
}

void TCustomChartPanel::SetBorderRound(int value) {
    if (m_borderRound != value) {
        m_borderRound = value;
        RequestRepaint();
    }
}

void TCustomChartPanel::SetParentColor(TColor value) {
    if (m_parentColor != value) {
        m_parentColor = value;
        RequestRepaint();
    }
}

void TCustomChartPanel::StoreMargin(int& field, int value) {
    if (field != value) {
        field = value;
        RequestRepaint();
    }
}

void TCustomChartPanel::SetMarginLeft(int value) {
    StoreMargin(m_marginLeft, value);
}
void TCustomChartPanel::SetMarginTop(int value) {
    StoreMargin(m_marginTop, value);
}
void TCustomChartPanel::SetMarginRight(int value) {
    StoreMargin(m_marginRight, value);
}
void TCustomChartPanel::SetMarginBottom(int value) {
    StoreMargin(m_marginBottom, value);
}

void TCustomChartPanel::SetMarginUnits(TChartUnits value) {
    if (m_marginUnits != value) {
        m_marginUnits = value;
        RequestRepaint();
    }
}

void TCustomChartPanel::SetView3D(bool value) {
    if (m_view3D != value) {
        m_view3D = value;
        RequestRepaint();
    }
}

void TCustomChartPanel::EndLoading() {
    if (m_loading > 0 && --m_loading == 0) {
        Loaded();
    }
}

// --- Repainting ------------------------------------------------------------------------------------

void TCustomChartPanel::RequestRepaint() {
    if (!m_autoRepaint) {
        return;
    }
    m_canvas->MarkDirty();
    Invalidate();
}

void TCustomChartPanel::Repaint() {
    RequestRepaint();
    Update();
}

void TCustomChartPanel::WindowPositionChanged() {
    // A paint after a move or resize always starts from a dirty buffer, even while the chart does
    // not ask for paints itself.
    m_canvas->MarkDirty();
    RequestRepaint();
}

void TCustomChartPanel::SystemColorsChanged() {
    m_canvas->MarkDirty();
    RequestRepaint();
}

void TCustomChartPanel::Paint() {
    if (m_printing) {
        return;
    }
    if (m_canvas->RepaintFromBuffer()) {
        return;
    }
    DrawChart(WindowCanvas(), ClientRect());
}

void TCustomChartPanel::DrawChart(TCanvas& target, const TRect& rect) {
    m_chartBounds = m_canvas->BeginFrame(target, &m_view3DOptions, rect, m_view3D, Color());
    ApplyMargins();
    NormalizeChartRect();
    DrawChartContent(m_chartBounds);
    m_canvas->EndFrame(target, rect);
}

// --- Layout ----------------------------------------------------------------------------------------

int TCustomChartPanel::PanelFrameWidth() const {
    int width = BorderWidth();
    if (BevelInner() != bvNone) {
        width += BevelWidth();
    }
    if (BevelOuter() != bvNone) {
        width += BevelWidth();
    }
    if (m_border.Visible()) {
        width += m_border.Width();
    }
    return width;
}

void TCustomChartPanel::ApplyMargins() {
    const int frame = PanelFrameWidth();
    const long long w = m_chartBounds.Width();
    const long long h = m_chartBounds.Height();
    // Percent margins are integer products divided with truncation; 64 bits keep huge sizes exact.
    const auto percentOf = [this](int margin, long long side) {
        return m_marginUnits == muPixels ? margin : static_cast<int>(margin * side / 100);
    };
    m_chartRect = TRect{m_chartBounds.Left + frame + percentOf(m_marginLeft, w),
                        m_chartBounds.Top + frame + percentOf(m_marginTop, h),
                        m_chartBounds.Right - frame - percentOf(m_marginRight, w),
                        m_chartBounds.Bottom - frame - percentOf(m_marginBottom, h)};
}

void TCustomChartPanel::NormalizeChartRect() {
    TRect& r = m_chartRect;
    r.Left = std::max(r.Left, m_chartBounds.Left);
    r.Top = std::max(r.Top, m_chartBounds.Top);
    if (r.Right < r.Left) {
        r.Right = r.Left + 1;
    } else if (r.Right == r.Left) {
        r.Right = r.Left + Width();
    }
    if (r.Bottom < r.Top) {
        r.Bottom = r.Top + 1;
    } else if (r.Bottom == r.Top) {
        r.Bottom = r.Top + Height();
    }
    m_chartWidth = r.Right - r.Left;
    m_chartHeight = r.Bottom - r.Top;
    m_chartXCenter = (r.Left + r.Right) / 2;
    m_chartYCenter = (r.Top + r.Bottom) / 2;
}

// --- Panel -----------------------------------------------------------------------------------------

void TCustomChartPanel::PaintPanel(const TRect& rect) {
    TRect panel = rect;
    TChartCanvas3D& canvas = *m_canvas;
    if (m_shadow.Size() > 0) {
        canvas.Brush().SetStyle(bsSolid);
        canvas.Brush().SetColor(m_parentColor);
        canvas.FillRect(rect);
        panel.Right -= m_shadow.HorizSize();
        panel.Bottom -= m_shadow.VertSize();
        canvas.Brush().SetColor(m_shadow.Color());
        canvas.FillRect(TRect{panel.Left + m_shadow.HorizSize(), panel.Top + m_shadow.VertSize(),
                              panel.Right + m_shadow.HorizSize(), panel.Bottom + m_shadow.VertSize()});
    }
    FillPanel(panel);
    if (m_backImage.HasGraphic()) {
        // The picture sits at the panel's top-left corner, inside the frame drawn next.
        canvas.Handle()->BitBlt(panel.Left, panel.Top, *m_backImage.Graphic());
    }
    DrawPanelFrame(panel);
}

void TCustomChartPanel::FillPanel(const TRect& rect) {
    if (m_printing || Color() == clNone) {
        return;
    }
    // Gradients are not painted by this surface; a visible panel gradient falls back to its start
    // colour so that the panel is still covered.
    const TColor color = m_gradient && m_gradient->Visible() ? m_gradient->StartColor() : Color();
    m_canvas->Brush().SetStyle(bsSolid);
    m_canvas->Brush().SetColor(color);
    m_canvas->FillRect(rect);
}

void TCustomChartPanel::DrawPanelFrame(TRect rect) {
    TChartCanvas3D& canvas = *m_canvas;
    canvas.Brush().SetStyle(bsClear);
    if (m_border.Visible()) {
        canvas.ApplyPen(m_border, m_border.Color());
        // A wide pen is centred on its outline; keep all of it inside the panel.
        const int inset = m_border.Width() / 2;
        canvas.Rectangle(rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset);
        rect.Left += m_border.Width();
        rect.Top += m_border.Width();
        rect.Right -= m_border.Width();
        rect.Bottom -= m_border.Width();
    }
    if (m_printing) {
        return;
    }
    TPen& pen = canvas.Pen();
    pen.SetStyle(psSolid);
    pen.SetWidth(1);
    pen.SetMode(pmCopy);
    const auto bevel = [&](TPanelBevel kind) {
        if (kind == bvRaised) {
            canvas.BevelFrame(rect, clBtnHighlight, clBtnShadow, BevelWidth());
        } else if (kind == bvLowered) {
            canvas.BevelFrame(rect, clBtnShadow, clBtnHighlight, BevelWidth());
        } else if (kind == bvSpace) {
            canvas.BevelFrame(rect, Color(), Color(), BevelWidth());
        }
    };
    bevel(BevelOuter());
    if (BorderWidth() > 0) {
        canvas.BevelFrame(rect, Color(), Color(), BorderWidth());
    }
    bevel(BevelInner());
}

} // namespace mouldview::chart
