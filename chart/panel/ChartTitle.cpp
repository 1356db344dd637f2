// Title defaults: blue text above the plot, italic red text below it, transparent boxes.
#include "chart/panel/ChartTitle.h"

namespace mouldview::chart {

TChartTitle::TChartTitle(std::function<void()> onChange, bool onTop)
    : TChartCustomShapePosition(std::move(onChange)), m_onTop(onTop) {
    SetTransparent(true);
    Font().SetColor(clBlue);
}

void TChartTitle::SetText(std::vector<std::string> lines) {
    if (m_text != lines) {
        m_text = std::move(lines);
        Changed();
    }
}

void TChartTitle::SetCaption(const std::string& caption) {
    SetText(caption.empty() ? std::vector<std::string>{} : std::vector<std::string>{caption});
}

TChartFootTitle::TChartFootTitle(std::function<void()> onChange) : TChartTitle(std::move(onChange), false) {
    Font().SetColor(clRed);
    Font().SetStyle(fsItalic);
}

} // namespace mouldview::chart
