// A chart for axis tests: the six standard axes, a series list, a settable plot rectangle, a
// loading switch, a repaint counter, and a fixed-metric drawing surface (labels 13 pixels high,
// 5 pixels per character unless a text is given its own width).
#pragma once

#include "chart/axes/ChartAxes.h"
#include "chart/canvas/ChartColors.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::test {

class AxisTestChart : public chart::TParentChart {
public:
    AxisTestChart() : Surface(600, 400), Axes(*this) {
        Surface.SetCharWidth(5);
        Rect = {50, 20, 450, 170};
        for (int i = 0; i < Axes.Count(); ++i) {
            Axes[i].SetFormatSettings({".", ","});
        }
        Repaints = 0;
    }
    ~AxisTestChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return chart::clBtnFace; }
    chart::TColor BackWallColor() const override { return chart::clSilver; }
    bool IsLoading() const override { return Loading; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Axes.Bottom(); }
    chart::TCustomChartAxis* TopAxis() const override { return &Axes.Top(); }
    chart::TCustomChartAxis* LeftAxis() const override { return &Axes.Left(); }
    chart::TCustomChartAxis* RightAxis() const override { return &Axes.Right(); }
    chart::TChartCanvas& Canvas() override { return Surface; }

    // The range and pixel steps of one paint, without taking room from the plot rectangle: the
    // positions of labels and title are found on a scratch copy of it.
    void Scale(chart::TChartAxis& axis) {
        axis.ComputeDataRange();
        axis.ComputePositions();
        chart::TRect scratch = Rect;
        axis.ReserveAxisSpace(scratch, true);
        axis.ApplySeriesMargins();
    }

    int Repaints = 0;
    chart::TRect Rect;
    bool Loading = false;
    test_support::FixedMetricCanvas Surface;
    chart::TChartAxes Axes;
};

} // namespace mouldview::test
