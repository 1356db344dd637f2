// Adding and clearing points, the series colour, joining a chart and the visible index range.
#include "chart/series/ChartSeries.h"

#include "chart/series/CustomChartAxis.h"
#include "chart/series/ParentChart.h"

namespace mouldview::chart {

TChartSeries::~TChartSeries() {
    if (m_parentChart != nullptr) {
        m_parentChart->RemoveSeries(*this);
    }
}

void TChartSeries::Repaint() const {
    if (m_parentChart != nullptr) {
        m_parentChart->RequestRepaint();
    }
}

void TChartSeries::ForgetParentChart() {
    m_parentChart = nullptr;
    m_boundHorizAxis = nullptr;
    m_boundVertAxis = nullptr;
}

void TChartSeries::SetParentChart(TParentChart* chart) {
    if (chart == m_parentChart) {
        return;
    }
    if (m_parentChart != nullptr) {
        m_parentChart->RemoveSeries(*this);
    }
    ForgetParentChart();
    if (chart != nullptr) {
        chart->AttachToChart(*this);
    }
}

void TChartSeries::Added() {
    if (m_seriesColor == clDefault) {
        m_autoColor = m_parentChart->FindFreeSeriesColor();
    }
    m_boundHorizAxis = m_parentChart->BottomAxis();
    m_boundVertAxis = m_parentChart->LeftAxis();
}

int TChartSeries::AddPoint(double x, double y) {
    const int index = m_xValues.AddOrdered(x);
    // Y values always follow their X value, whatever the Y list's own order.
    m_yValues.InsertAt(index, y);
    Repaint();
    return index;
}

void TChartSeries::ClearPoints() {
    m_firstVisible = -1;
    m_lastVisible = -1;
    m_xValues.RemoveAll();
    m_yValues.RemoveAll();
    Repaint();
}

void TChartSeries::SetSeriesColor(TColor color) {
    if (m_seriesColor == clDefault && color == m_autoColor) {
        return;
    }
    if (m_seriesColor != color) {
        m_seriesColor = color;
        Repaint();
    }
    m_autoColor = color;
}

void TChartSeries::CalcVisibleRange() {
    m_firstVisible = -1;
    m_lastVisible = -1;
    const int count = PointCount();
    if (count == 0) {
        return;
    }
    if (m_xValues.Order() == loNone) {
        m_firstVisible = 0;
        m_lastVisible = count - 1;
        return;
    }
    const TRect rect = m_parentChart->ChartRect();
    const double left = m_boundHorizAxis->PixelToValue(rect.Left);
    const double right = m_boundHorizAxis->PixelToValue(rect.Right);

    const double* x = m_xValues.Data();
    int first = 0;
    while (first < count && !(x[first] >= left)) {
        ++first;
    }
    if (first == count) {
        return;
    }
    m_firstVisible = first;
    if (x[count - 1] <= right) {
        m_lastVisible = count - 1;
        return;
    }
    // A line series keeps the first point on or beyond the right edge, so that the segment crossing
    // the edge is drawn.
    int last = first;
    while (last < count && !(x[last] >= right)) {
        ++last;
    }
    m_lastVisible = last < count ? last : count - 1;
}

} // namespace mouldview::chart
