// The series list of a chart: attaching series and choosing free colours for them.
#include "chart/series/ParentChart.h"

#include "chart/series/ChartSeries.h"
#include "chart/series/SeriesPalette.h"

#include <algorithm>

namespace mouldview::chart {

TParentChart::~TParentChart() {
    m_destroying = true;
    for (TChartSeries* series : m_seriesList) {
        series->ForgetParentChart();
    }
}

void TParentChart::AttachToChart(TChartSeries& series) {
    if (std::find(m_seriesList.begin(), m_seriesList.end(), &series) != m_seriesList.end()) {
        return;
    }
    series.m_parentChart = this;
    series.Added();
    m_seriesList.push_back(&series);
    RequestRepaint();
}

void TParentChart::RemoveSeries(TChartSeries& series) {
    const auto it = std::find(m_seriesList.begin(), m_seriesList.end(), &series);
    if (it == m_seriesList.end()) {
        return;
    }
    m_seriesList.erase(it);
    RequestRepaint();
}

TColor TParentChart::FindFreeSeriesColor() const {
    const auto& palette = DefaultSeriesPalette;
    for (std::size_t i = 0; i + 1 < palette.size(); ++i) {
        if (IsSeriesColorFree(palette[i])) {
            return palette[i];
        }
    }
    return palette.back();
}

bool TParentChart::IsSeriesColorFree(TColor color) const {
    for (const TChartSeries* series : m_seriesList) {
        if (series->EffectiveColor() == color) {
            return false;
        }
    }
    return color != BackgroundColor() && color != BackWallColor();
}

} // namespace mouldview::chart
