// A chart for series tests: a series list with the real attaching and colour rules, a settable plot
// rectangle and colours, a repaint counter, and four axes with a plain linear mapping.
#pragma once

#include "chart/canvas/ChartColors.h"
#include "chart/series/CustomChartAxis.h"
#include "chart/series/ParentChart.h"
#include "tests/support/FixedMetricCanvas.h"

namespace mouldview::test {

// An axis mapping pixels Start..End linearly onto Min..Max (or Max..Min when inverted).
class LinearAxis : public chart::TCustomChartAxis {
public:
    explicit LinearAxis(bool horizontal) : TCustomChartAxis(horizontal, false) {}

    bool Inverted() const override { return InvertedFlag; }
    double PixelToValue(int pixel) const override {
        const double fraction = static_cast<double>(pixel - Start) / (End - Start);
        return InvertedFlag ? Max - fraction * (Max - Min) : Min + fraction * (Max - Min);
    }

    int Start = 0;
    int End = 100;
    double Min = 0;
    double Max = 100;
    bool InvertedFlag = false;
};

class SeriesTestChart : public chart::TParentChart {
public:
    SeriesTestChart() { Rect = {0, 0, 100, 100}; }
    ~SeriesTestChart() override { BeginDestroy(); }

    void RequestRepaint() override { ++Repaints; }
    chart::TRect ChartRect() const override { return Rect; }
    chart::TColor BackgroundColor() const override { return Color; }
    chart::TColor BackWallColor() const override { return WallColor; }
    bool IsLoading() const override { return Loading; }
    chart::TCustomChartAxis* BottomAxis() const override { return &Bottom; }
    chart::TCustomChartAxis* TopAxis() const override { return &Top; }
    chart::TCustomChartAxis* LeftAxis() const override { return &Left; }
    chart::TCustomChartAxis* RightAxis() const override { return &Right; }
    chart::TChartCanvas& Canvas() override { return Surface; }

    int Repaints = 0;
    chart::TRect Rect;
    chart::TColor Color = chart::clBtnFace;
    chart::TColor WallColor = chart::clSilver;
    bool Loading = false;
    mutable LinearAxis Bottom{true};
    mutable LinearAxis Top{true};
    mutable LinearAxis Left{false};
    mutable LinearAxis Right{false};
    test_support::FixedMetricCanvas Surface{32, 32};
};

} // namespace mouldview::test
