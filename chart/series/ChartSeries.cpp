// Adding and clearing points, point colours and labels, the series colour, axis binding and the
// visible index range.
#include "chart/series/ChartSeries.h"

#include "chart/series/CustomChartAxis.h"
#include "chart/series/ParentChart.h"
#include "chart/series/SeriesPalette.h"

namespace mouldview::chart {

TChartSeries::TChartSeries()
    : m_xValues(&m_valuesList.Add(std::make_unique<TChartValueList>(this, "X"))),
      m_yValues(&m_valuesList.Add(std::make_unique<TChartValueList>(this, "Y"))) {
    m_xValues->SetOrder(loAscending);
    m_yValues->SetOrder(loNone);
}

TChartSeries::~TChartSeries() {
    if (m_parentChart != nullptr) {
        m_parentChart->RemoveSeries(*this);
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
    m_parentChart = chart;
    m_boundHorizAxis = nullptr;
    m_boundVertAxis = nullptr;
    if (chart != nullptr) {
        chart->AttachToChart(*this);
    }
}

void TChartSeries::Added() {
    if (m_seriesColor == clDefault) {
        m_autoColor = m_parentChart->FindFreeSeriesColor(true, nullptr);
        m_parentChart->BroadcastSeriesEvent(seChangeColor, *this);
    }
    BindAxes();
    CheckDataSource();
}

void TChartSeries::BindAxes() {
    if (m_parentChart == nullptr) {
        m_boundHorizAxis = nullptr;
        m_boundVertAxis = nullptr;
        return;
    }
    if (m_horizAxis == aTopAxis) {
        m_boundHorizAxis = m_parentChart->TopAxis();
    } else if (m_horizAxis == aCustomHorizAxis && m_customHorizAxis != nullptr) {
        m_boundHorizAxis = m_customHorizAxis;
    } else {
        m_boundHorizAxis = m_parentChart->BottomAxis();
    }
    if (m_vertAxis == aRightAxis) {
        m_boundVertAxis = m_parentChart->RightAxis();
    } else if (m_vertAxis == aCustomVertAxis && m_customVertAxis != nullptr) {
        m_boundVertAxis = m_customVertAxis;
    } else {
        m_boundVertAxis = m_parentChart->LeftAxis();
    }
}

void TChartSeries::SetHorizAxis(THorizAxis axis) {
    if (m_horizAxis != axis) {
        m_horizAxis = axis;
        BindAxes();
        Repaint();
    }
}

void TChartSeries::SetVertAxis(TVertAxis axis) {
    if (m_vertAxis != axis) {
        m_vertAxis = axis;
        BindAxes();
        Repaint();
    }
}

void TChartSeries::SetCustomHorizAxis(TCustomChartAxis* axis) {
    if (m_customHorizAxis != axis) {
        m_customHorizAxis = axis;
        BindAxes();
        Repaint();
    }
}

void TChartSeries::SetCustomVertAxis(TCustomChartAxis* axis) {
    if (m_customVertAxis != axis) {
        m_customVertAxis = axis;
        BindAxes();
        Repaint();
    }
}

void TChartSeries::SetActive(bool active) {
    if (m_active == active) {
        return;
    }
    TCustomChartSeries::SetActive(active);
    if (m_parentChart != nullptr) {
        m_parentChart->BroadcastSeriesEvent(seChangeActive, *this);
    }
}

int TChartSeries::AddPoint(double x, double y, const std::string& label, TColor color) {
    if (OnBeforeAdd && !OnBeforeAdd(*this)) {
        return -1;
    }
    const int index = XValues().AddOrdered(x);
    // Y values always follow their X value, whatever the Y list's own order.
    YValues().InsertAt(index, y);

    if (m_pointColors) {
        if (index == m_pointColors->Count()) {
            m_pointColors->Append(color);
        } else {
            m_pointColors->Insert(index, color);
        }
    } else if (color != clDefault) {
        // The first coloured point: every earlier point gets "not set", so it keeps the series colour.
        m_pointColors.emplace(PointCount(), clDefault);
        (*m_pointColors)[index] = color;
    }
    if (!label.empty() || !m_labels.empty()) {
        // Once one point has a label, the list holds an entry (maybe empty) for every point.
        if (m_labels.empty()) {
            m_labels.resize(static_cast<std::size_t>(PointCount() - 1));
        }
        m_labels.insert(m_labels.begin() + static_cast<std::ptrdiff_t>(index), label);
    }
    if (m_updateLevel == 0) {
        NotifyPointAdded(index);
    }
    return index;
}

void TChartSeries::NotifyPointAdded(int index) {
    if (OnAfterAdd) {
        OnAfterAdd(*this, index);
    }
    NotifyLinkedSeries(index);
    if (m_active) {
        Repaint();
    }
}

void TChartSeries::EndUpdate() {
    if (m_updateLevel > 0 && --m_updateLevel == 0 && m_active) {
        Repaint();
    }
}

void TChartSeries::ClearPoints() {
    m_firstVisible = -1;
    m_lastVisible = -1;
    for (int i = 0; i < m_valuesList.Count(); ++i) {
        m_valuesList[i].RemoveAll();
    }
    m_pointColors.reset();
    m_labels.clear();
    ClearMarksState();
    if (OnClearValues) {
        OnClearValues(*this);
    }
    NotifyLinkedSeries(-1);
    if (m_active && m_parentChart != nullptr && !m_parentChart->Destroying()) {
        m_parentChart->RequestRepaint();
    }
}

std::string TChartSeries::PointLabel(int i) const {
    const auto index = static_cast<std::size_t>(i);
    return index < m_labels.size() ? m_labels[index] : std::string();
}

TColor TChartSeries::RuleColor(int i) const {
    if (!m_colorEachPoint) {
        return EffectiveColor();
    }
    if (m_parentChart != nullptr) {
        return PaletteColor(m_parentChart->ColorPalette(), i);
    }
    return PaletteColor(DefaultSeriesPalette, i);
}

double TChartSeries::MaxX() const {
    return XValues().HighestValue();
}
double TChartSeries::MaxY() const {
    return YValues().HighestValue();
}
double TChartSeries::MinX() const {
    return XValues().LowestValue();
}
double TChartSeries::MinY() const {
    return YValues().LowestValue();
}

void TChartSeries::SetSeriesColor(TColor color) {
    if (m_seriesColor == clDefault && color == m_autoColor) {
        return;
    }
    const bool changed = m_seriesColor != color;
    m_seriesColor = color;
    if (changed) {
        Repaint();
    }
    m_autoColor = color;
    if (m_parentChart != nullptr) {
        m_parentChart->BroadcastSeriesEvent(seChangeColor, *this);
    }
}

void TChartSeries::SetColorEachPoint(bool value) {
    if (m_colorEachPoint != value) {
        m_colorEachPoint = value;
        Repaint();
    }
}

bool TChartSeries::IsAssociatedToAxis(const TCustomChartAxis& axis) const {
    if (axis.IsDepthAxis()) {
        return false;
    }
    if (axis.Horizontal()) {
        return m_horizAxis == aBothHorizAxis || &axis == m_boundHorizAxis;
    }
    return m_vertAxis == aBothVertAxis || &axis == m_boundVertAxis;
}

TChartValueList* TChartSeries::ValueListForAxis(const TCustomChartAxis& axis) const {
    if (!IsAssociatedToAxis(axis)) {
        return nullptr;
    }
    return axis.Horizontal() ? &XValues() : &YValues();
}

void TChartSeries::HorizMargins(int& left, int& right) const {
    left = 0;
    right = 0;
}

void TChartSeries::VertMargins(int& top, int& bottom) const {
    top = 0;
    bottom = 0;
}

void TChartSeries::CalcVisibleRange() {
    m_firstVisible = -1;
    m_lastVisible = -1;
    const int count = PointCount();
    if (count == 0) {
        return;
    }
    // Without an axis to cut by (a detached series), every point counts as visible.
    if (XValues().Order() == loNone || m_parentChart == nullptr || m_boundHorizAxis == nullptr) {
        m_firstVisible = 0;
        m_lastVisible = count - 1;
        return;
    }
    const TRect rect = m_parentChart->ChartRect();
    const TCustomChartAxis& axis = *m_boundHorizAxis;
    const double left = axis.PixelToValue(axis.Inverted() ? rect.Right : rect.Left);
    const double right = axis.PixelToValue(axis.Inverted() ? rect.Left : rect.Right);

    const double* x = XValues().Data();
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
