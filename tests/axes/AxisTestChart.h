// A chart for axis tests: the bottom and left axis, a series list, a settable plot rectangle, a
// loading switch, a repaint counter, and a fixed-metric drawing surface (labels 13 pixels high,
// 5 pixels per character unless a text is given its own width).
#pragma once

#include "chart/axes/ChartAxis.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::test {

class AxisTestChart : public chart::TParentChart {
public:
    AxisTestChart() : Surface(600, 400) {
        Surface.SetCharWidth(5);
        Bottom.SetFormatSettings({".", ","});
        Left.SetFormatSettings({".", ","});
        Repaints = 0;
    }
    ~AxisTestChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return chart::clBtnFace; }
    chart::TColor BackWallColor() const override { return chart::clSilver; }
    bool IsLoading() const override { return Loading; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Bottom; }
    chart::TCustomChartAxis* LeftAxis() const override { return &Left; }
    chart::TChartCanvas& Canvas() override { return Surface; }

    // The range and pixel steps of one paint, without taking room from the plot rectangle: the
    // positions of labels and title are found on a scratch copy of it.
    void Scale(chart::TChartAxis& axis) {
        axis.ComputeDataRange();
        axis.ComputePositions();
        chart::TRect scratch = Rect;
        axis.ReserveAxisSpace(scratch);
        axis.ApplyPixelMargins();
    }

    int Repaints = 0;
    chart::TRect Rect{50, 20, 450, 170};
    bool Loading = false;
    test_support::FixedMetricCanvas Surface;
    mutable chart::TChartAxis Bottom{*this, true};
    mutable chart::TChartAxis Left{*this, false};
};

} // namespace mouldview::test
