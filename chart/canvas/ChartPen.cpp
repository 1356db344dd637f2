// Setters of the chart pen and the construction defaults of the preset pens. The presets set their
// fields before the owner's callback is installed, so building them reports no change.
#include "chart/canvas/ChartPen.h"

namespace mouldview::chart {

TChartPen::TChartPen(std::function<void()> onChange) : TPen(std::move(onChange)) {}

void TChartPen::SetEndStyle(TPenEndStyle value) {
    if (value != m_endStyle) {
        m_endStyle = value;
        Changed();
    }
}

void TChartPen::SetSmallDots(bool value) {
    if (value != m_smallDots) {
        m_smallDots = value;
        Changed();
    }
}

void TChartPen::SetSmallSpace(int value) {
    if (value != m_smallSpace) {
        m_smallSpace = value;
        Changed();
    }
}

void TChartPen::SetVisible(bool value) {
    if (value != m_visible) {
        m_visible = value;
        Changed();
    }
}

void TChartPen::Assign(const TPen& source) {
    if (&source == this) {
        return;
    }
    if (const auto* chartPen = dynamic_cast<const TChartPen*>(&source)) {
        const bool differs = chartPen->m_endStyle != m_endStyle || chartPen->m_smallDots != m_smallDots ||
                             chartPen->m_smallSpace != m_smallSpace || chartPen->m_visible != m_visible;
        m_endStyle = chartPen->m_endStyle;
        m_smallDots = chartPen->m_smallDots;
        m_smallSpace = chartPen->m_smallSpace;
        m_visible = chartPen->m_visible;
        if (differs) {
            Changed();
        }
    }
    TPen::Assign(source);
}

TChartHiddenPen::TChartHiddenPen(std::function<void()> onChange) {
    SetVisible(false);
    SetDefaultVisible(false);
    SetOnChange(std::move(onChange));
}

TDottedGrayPen::TDottedGrayPen(std::function<void()> onChange) {
    SetColor(clGray);
    SetStyle(psDot);
    SetOnChange(std::move(onChange));
}

TDarkGrayPen::TDarkGrayPen(std::function<void()> onChange) {
    SetColor(clGray);
    SetOnChange(std::move(onChange));
}

TWhitePen::TWhitePen(std::function<void()> onChange) {
    SetColor(clWhite);
    SetOnChange(std::move(onChange));
}

TChartZoomPen::TChartZoomPen(std::function<void()> onChange) {
    SetColor(clWhite);
    SetOnChange(std::move(onChange));
}

} // namespace mouldview::chart
