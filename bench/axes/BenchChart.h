// A minimal chart for the benchmarks: the six axes, a series list, a fixed plot rectangle and a
// fixed-metric drawing surface, with repaint requests only counted.
#pragma once

#include "chart/axes/ChartAxes.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::bench {

// The fixed-metric surface with line drawing optionally counted instead of rasterised, to time the
// axis work apart from the pixels of its grid lines.
class BenchCanvas : public test_support::FixedMetricCanvas {
public:
    BenchCanvas() : FixedMetricCanvas(1920, 1080) {}

    void Line(int x0, int y0, int x1, int y1) override {
        ++Lines;
        if (Rasterise) {
            FixedMetricCanvas::Line(x0, y0, x1, y1);
        }
    }
    void HorizontalLine(int x0, int x1, int y) override { Line(x0, y, x1, y); }
    void VerticalLine(int x, int y0, int y1) override { Line(x, y0, x, y1); }

    bool Rasterise = true;
    long long Lines = 0;
};

class BenchChart : public chart::TParentChart {
public:
    BenchChart() : Axes(*this) { Rect = {40, 30, 1880, 1040}; }
    ~BenchChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return chart::clBtnFace; }
    chart::TColor BackWallColor() const override { return chart::clSilver; }
    bool IsLoading() const override { return false; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Axes.Bottom(); }
    chart::TCustomChartAxis* TopAxis() const override { return &Axes.Top(); }
    chart::TCustomChartAxis* LeftAxis() const override { return &Axes.Left(); }
    chart::TCustomChartAxis* RightAxis() const override { return &Axes.Right(); }
    chart::TChartCanvas& Canvas() override { return Surface; }

    long long Repaints = 0;
    chart::TRect Rect;
    BenchCanvas Surface;
    chart::TChartAxes Axes;
};

} // namespace mouldview::bench
