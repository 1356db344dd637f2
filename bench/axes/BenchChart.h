// A minimal chart for the benchmarks: the bottom and left axis, a series list, a fixed plot
// rectangle and a fixed-metric drawing surface, with repaint requests only counted.
#pragma once

#include "chart/axes/ChartAxis.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::bench {

class BenchChart : public chart::TParentChart {
public:
    BenchChart() : Surface(1920, 1080) {}
    ~BenchChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return chart::clBtnFace; }
    chart::TColor BackWallColor() const override { return chart::clSilver; }
    bool IsLoading() const override { return false; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Bottom; }
    chart::TCustomChartAxis* LeftAxis() const override { return &Left; }
    chart::TChartCanvas& Canvas() override { return Surface; }

    long long Repaints = 0;
    chart::TRect Rect{40, 30, 1880, 1040};
    test_support::FixedMetricCanvas Surface;
    mutable chart::TChartAxis Bottom{*this, true};
    mutable chart::TChartAxis Left{*this, false};
};

} // namespace mouldview::bench
