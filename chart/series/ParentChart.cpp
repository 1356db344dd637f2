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

int TParentChart::ActiveSeriesCount() const {
    return static_cast<int>(std::count_if(m_seriesList.begin(), m_seriesList.end(),
                                          [](const TChartSeries* s) { return s->Active(); }));
}

void TParentChart::AttachToChart(TChartSeries& series) {
    if (std::find(m_seriesList.begin(), m_seriesList.end(), &series) != m_seriesList.end()) {
        return;
    }
    series.m_parentChart = this;
    series.Added();
    m_seriesList.push_back(&series);
    BroadcastSeriesEvent(seAdd, series);
    RequestRepaint();
}

void TParentChart::RemoveSeries(TChartSeries& series) {
    const auto it = std::find(m_seriesList.begin(), m_seriesList.end(), &series);
    if (it == m_seriesList.end()) {
        return;
    }
    m_seriesList.erase(it);
    BroadcastSeriesEvent(seRemove, series);
    RequestRepaint();
}

std::span<const TColor> TParentChart::ColorPalette() const {
    if (m_colorPalette.empty()) {
        return DefaultSeriesPalette;
    }
    return m_colorPalette;
}

TColor TParentChart::FindFreeSeriesColor(bool checkBackground, const TChartSeries* except) const {
    const std::span<const TColor> palette = ColorPalette();
    for (std::size_t i = 0; i + 1 < palette.size(); ++i) {
        if (IsSeriesColorFree(palette[i], checkBackground, except)) {
            return palette[i];
        }
    }
    return palette.back();
}

bool TParentChart::IsSeriesColorFree(TColor color, bool checkBackground, const TChartSeries* except) const {
    for (const TChartSeries* series : m_seriesList) {
        if (series != except && series->EffectiveColor() == color) {
            return false;
        }
    }
    return !(checkBackground && (color == BackgroundColor() || color == BackWallColor()));
}

} // namespace mouldview::chart
