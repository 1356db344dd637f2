// The chart brush's defaults and its lazily created Image.
#include "chart/canvas/ChartBrush.h"

namespace mouldview::chart {

TChartBrush::TChartBrush(std::function<void()> onChange) {
    SetColor(clDefault);
    SetOnChange(std::move(onChange));
}

TPicture& TChartBrush::Image() {
    if (!m_image) {
        m_image = std::make_unique<TPicture>();
    }
    return *m_image;
}

void TChartBrush::Assign(const TBrush& source) {
    if (const auto* chartBrush = dynamic_cast<const TChartBrush*>(&source);
        chartBrush != nullptr && chartBrush != this && chartBrush->HasImage()) {
        Image().SetGraphic(chartBrush->m_image->Graphic());
    }
    TBrush::Assign(source);
}

} // namespace mouldview::chart
