// The common bases of everything a chart draws as a series: the parent chart and the Active switch
// (TCustomChartElement), and the legend-facing settings of a series (TCustomChartSeries).
#pragma once

#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartPen.h"
#include "chart/series/ParentChart.h"

#include <string>

namespace mouldview::chart {

class TParentChart;

class TCustomChartElement {
public:
    TCustomChartElement();
    virtual ~TCustomChartElement() = default;
    TCustomChartElement(const TCustomChartElement&) = delete;
    TCustomChartElement& operator=(const TCustomChartElement&) = delete;

    TParentChart* ParentChart() const { return m_parentChart; }
    bool Active() const { return m_active; }
    virtual void SetActive(bool active);

    TChartPen& Pen() { return m_pen; }
    const TChartPen& Pen() const { return m_pen; }
    TChartBrush& Brush() { return m_brush; }
    const TChartBrush& Brush() const { return m_brush; }

    // Asks the parent chart, if any, for a later paint.
    void Repaint() const {
        if (m_parentChart != nullptr) {
            m_parentChart->RequestRepaint();
        }
    }

protected:
    TParentChart* m_parentChart = nullptr;
    bool m_active = true;

private:
    TChartPen m_pen;
    TChartBrush m_brush;
};

class TCustomChartSeries : public TCustomChartElement {
public:
    bool ShowInLegend() const { return m_showInLegend; }
    void SetShowInLegend(bool show);
    const std::string& Title() const { return m_title; }
    void SetTitle(std::string title);

private:
    bool m_showInLegend = true;
    std::string m_title;
};

} // namespace mouldview::chart
