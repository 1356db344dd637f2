// A chart for series tests: a series list with the real attaching and colour rules, a settable plot
// rectangle, a repaint counter, and two axes with a plain linear mapping.
#pragma once

#include "chart/series/CustomChartAxis.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::test {

// An axis mapping pixels Start..End linearly onto Min..Max.
class LinearAxis : public chart::TCustomChartAxis {
public:
    double PixelToValue(int pixel) const override {
        return Min + static_cast<double>(pixel - Start) / (End - Start) * (Max - Min);
    }
    chart::TPixelMapping PixelMapping() const override {
        chart::TPixelMapping mapping;
        mapping.origin = Min;
        mapping.scale = (End - Start) / (Max - Min);
        mapping.base = Start;
        return mapping;
    }

    int Start = 0;
    int End = 100;
    double Min = 0;
    double Max = 100;
};

class SeriesTestChart : public chart::TParentChart {
public:
    ~SeriesTestChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return chart::clBtnFace; }
    chart::TColor BackWallColor() const override { return chart::clSilver; }
    bool IsLoading() const override { return false; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Bottom; }
    chart::TCustomChartAxis* LeftAxis() const override { return &Left; }
    chart::TChartCanvas& Canvas() override { return Surface; }

    int Repaints = 0;
    chart::TRect Rect{0, 0, 100, 100};
    mutable LinearAxis Bottom;
    mutable LinearAxis Left;
    test_support::FixedMetricCanvas Surface{32, 32};
};

} // namespace mouldview::test
