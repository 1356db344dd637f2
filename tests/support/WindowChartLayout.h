// The result window's chart settings for chart-level tests and benchmarks, which work below the
// window layer: what the window's stored layout sets, applied in the loading state, with the red
// reference series attached before the blue index series.
#pragma once

#include "chart/panel/CustomChart.h"
#include "chart/series/LineSeries.h"

namespace mouldview::chart::test {

inline void ApplyWindowChartLayout(TChart& chart, TLineSeries& series2, TLineSeries& series1) {
    chart.BeginLoading();
    chart.Legend().SetVisible(false);
    chart.Title().SetText({"Dose-response (Tevo) model, Ardune University"});
    chart.BottomAxis()->Title().SetCaption("12 hour periods");
    chart.LeftAxis()->Title().SetCaption("Mould index");
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetAutomaticMinimum(false);
    chart.SetView3D(false);
    chart.Zoom().Pen().SetColor(clRed);
    chart.Zoom().Pen().SetStyle(psDot);
    chart.Zoom().Pen().SetWidth(2);
    for (TLineSeries* series : {&series2, &series1}) {
        series->Marks().SetVisible(false);
        series->Pointer().SetVisible(false);
        series->Pointer().SetStyle(psRectangle);
        series->Pointer().SetInflateMargins(true);
    }
    series1.SetSeriesColor(clBlue);
    series2.SetParentChart(&chart);
    series1.SetParentChart(&chart);
    chart.EndLoading();
}

} // namespace mouldview::chart::test
