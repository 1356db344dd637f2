// Axis pens and title.
#include "chart/axes/AxisParts.h"

namespace mouldview::chart {

TChartAxisPen::TChartAxisPen(std::function<void()> onChange) {
    // The width is a construction default, not a change, so the owner starts listening afterwards.
    SetWidth(2);
    SetOnChange(std::move(onChange));
}

TChartAxisTitle::TChartAxisTitle(int angle, std::function<void()> onChange)
    : m_angle(angle), m_onChange(std::move(onChange)), m_font(m_onChange) {}

void TChartAxisTitle::SetCaption(std::string caption) {
    if (m_caption != caption) {
        m_caption = std::move(caption);
        m_onChange();
    }
}

void TChartAxisTitle::SetAngle(int angle) {
    if (m_angle != angle) {
        m_angle = angle;
        m_onChange();
    }
}

void TChartAxisTitle::SetVisible(bool visible) {
    if (m_visible != visible) {
        m_visible = visible;
        m_onChange();
    }
}

} // namespace mouldview::chart
