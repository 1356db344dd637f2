// Setters of the shadow: store the value and report the change once.
#include "chart/canvas/ChartShadow.h"

#include <algorithm>

namespace mouldview::chart {

TChartShadow::TChartShadow(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void TChartShadow::SetColor(TColor value) {
    if (value != m_color) {
        m_color = value;
        Changed();
    }
}

void TChartShadow::SetHorizSize(int value) {
    if (value != m_horizSize) {
        m_horizSize = value;
        Changed();
    }
}

void TChartShadow::SetVertSize(int value) {
    if (value != m_vertSize) {
        m_vertSize = value;
        Changed();
    }
}

void TChartShadow::SetSmooth(bool value) {
    if (value != m_smooth) {
        m_smooth = value;
        Changed();
    }
}

void TChartShadow::SetTransparency(int value) {
    value = std::clamp(value, 0, 100);
    if (value != m_transparency) {
        m_transparency = value;
        Changed();
    }
}

void TChartShadow::Assign(const TChartShadow& source) {
    if (&source == this) {
        return;
    }
    const bool differs = source.m_color != m_color || source.m_horizSize != m_horizSize ||
                         source.m_vertSize != m_vertSize || source.m_smooth != m_smooth ||
                         source.m_transparency != m_transparency;
    m_color = source.m_color;
    m_horizSize = source.m_horizSize;
    m_vertSize = source.m_vertSize;
    m_smooth = source.m_smooth;
    m_transparency = source.m_transparency;
    if (differs) {
        Changed();
    }
}

void TChartShadow::Changed() const {
    if (m_onChange) {
        m_onChange();
    }
}

} // namespace mouldview::chart
