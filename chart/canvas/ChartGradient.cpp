// Setters of the gradient settings: store the value and report the change once.
#include "chart/canvas/ChartGradient.h"

namespace mouldview::chart {

TCustomChartGradient::TCustomChartGradient(std::function<void()> onChange)
    : m_onChange(std::move(onChange)) {}

void TCustomChartGradient::SetVisible(bool value) {
    Store(m_visible, value);
}
void TCustomChartGradient::SetDirection(TGradientDirection value) {
    Store(m_direction, value);
}
void TCustomChartGradient::SetStartColor(TColor value) {
    Store(m_startColor, value);
}
void TCustomChartGradient::SetEndColor(TColor value) {
    Store(m_endColor, value);
}
void TCustomChartGradient::SetMidColor(TColor value) {
    Store(m_midColor, value);
}
void TCustomChartGradient::SetBalance(int value) {
    Store(m_balance, value);
}
void TCustomChartGradient::SetRadialX(int value) {
    Store(m_radialX, value);
}
void TCustomChartGradient::SetRadialY(int value) {
    Store(m_radialY, value);
}

void TCustomChartGradient::Changed() const {
    if (m_onChange) {
        m_onChange();
    }
}

void TChartFontGradient::SetOutline(bool value) {
    if (value != m_outline) {
        m_outline = value;
        Changed();
    }
}

} // namespace mouldview::chart
