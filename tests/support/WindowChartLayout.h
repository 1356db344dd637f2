// The result window's chart settings for chart-level tests and benchmarks, which work below the
// window layer: what the window's stored layout sets, applied in the loading state, with the red
// reference series attached before the blue index series.
#pragma once

#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"

namespace mouldview::chart::test {

inline void ApplyWindowChartLayout(TChart& chart, TLineSeries& series2, TLineSeries& series1) {
    chart.BeginLoading();
    chart.Title().SetText({"Dose-response (Tevo) model, Ardune University"});
    chart.BottomAxis()->Title().SetCaption("12 hour periods");
    chart.LeftAxis()->Title().SetCaption("Mould index");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetAutomaticMinimum(false);
    chart.Zoom().Pen().SetColor(clRed);
    chart.Zoom().Pen().SetStyle(psDot);
    chart.Zoom().Pen().SetWidth(2);
    series2.SetParentChart(&chart);
    series1.SetParentChart(&chart);
    series1.SetSeriesColor(clBlue);
    chart.EndLoading();
}

} // namespace mouldview::chart::test
