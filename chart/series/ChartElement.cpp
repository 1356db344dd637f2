// Settings shared by all chart elements and series.
#include "chart/series/ChartElement.h"

#include "chart/series/ParentChart.h"

namespace mouldview::chart {

TCustomChartElement::TCustomChartElement() : m_pen([this] { Repaint(); }), m_brush([this] { Repaint(); }) {}

void TCustomChartElement::SetActive(bool active) {
    if (m_active != active) {
        m_active = active;
        Repaint();
    }
}

void TCustomChartSeries::SetShowInLegend(bool show) {
    if (m_showInLegend != show) {
        m_showInLegend = show;
        Repaint();
    }
}

void TCustomChartSeries::SetTitle(std::string title) {
    if (m_title != title) {
        m_title = std::move(title);
        Repaint();
    }
}

} // namespace mouldview::chart
