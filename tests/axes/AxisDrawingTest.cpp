// Axis labels and drawing: label values and positions, ticks, grid, minor ticks, titles and the
// room an axis reserves, on a fixed-metric surface.
#include "chart/series/LineSeries.h"
#include "tests/axes/AxisTestChart.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace mouldview::chart {
namespace {

using test::AxisTestChart;
using Text = test_support::FixedMetricCanvas::TextCall;

class AxisDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        series.SetParentChart(&chart);
        chart.Loading = true;
        Left().SetAutomatic(false);
        Left().SetAutomaticMinimum(false);
        chart.Loading = false;
        // The widest candidate text of the bottom axis is 27 pixels wide.
        chart.Surface.SetTextWidthOf("100.5", 27);
    }
    TChartAxis& Left() { return chart.Left; }
    TChartAxis& Bottom() { return chart.Bottom; }
    void AddPoints(int count, double maxY) {
        for (int k = 1; k <= count; ++k) {
            series.AddPoint(k, maxY * k / count);
        }
    }
    // Scales and draws one axis; returns the texts drawn.
    std::vector<Text> Draw(TChartAxis& axis) {
        chart.Scale(axis);
        chart.Surface.ClearTextCalls();
        axis.DrawAxis();
        return chart.Surface.TextCalls();
    }
    static std::vector<std::string> Texts(const std::vector<Text>& calls) {
        std::vector<std::string> texts;
        for (const Text& call : calls) {
            texts.push_back(call.Text);
        }
        return texts;
    }
    bool IsTickColour(int x, int y) { return chart.Surface.At(x, y) == clGray; }

    AxisTestChart chart;
    TLineSeries series;
};

TEST_F(AxisDrawing, LeftAxisSevenLabelsEveryTwentyFivePixels) {
    AddPoints(200, 6);
    const std::vector<Text> calls = Draw(Left());
    ASSERT_EQ(Texts(calls), (std::vector<std::string>{"6", "5", "4", "3", "2", "1", "0"}));
    const int start = Left().StartPos();
    EXPECT_EQ(start, 20);
    EXPECT_EQ(Left().TickPositions(), (std::vector<int>{20, 45, 70, 95, 120, 145, 170}));
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const int p = start + 25 * static_cast<int>(i);
        EXPECT_EQ(calls[i].Y, p - 6) << "centred on the tick: 13 div 2 above it";
        EXPECT_EQ(calls[i].X, Left().LabelsPos());
        EXPECT_EQ(calls[i].Alignment, raster::TA_RIGHT | raster::TA_TOP);
    }
    // The label band (the widest label and a space) is taken first, from the left edge.
    EXPECT_EQ(Left().LabelsPos(), 50 + 10);
    EXPECT_EQ(Left().AxisLinePos(), 50);
}

TEST_F(AxisDrawing, BottomAxisTenLabelsFromTheTop) {
    AddPoints(200, 6);
    const std::vector<Text> calls = Draw(Bottom());
    ASSERT_EQ(Texts(calls),
              (std::vector<std::string>{"200", "180", "160", "140", "120", "100", "80", "60", "40", "20"}));
    const std::vector<int> offsets{400, 360, 320, 279, 239, 199, 159, 119, 78, 38};
    for (std::size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].X, 50 + offsets[i]);
        EXPECT_EQ(calls[i].Y, Bottom().LabelsPos());
        EXPECT_EQ(calls[i].Alignment, raster::TA_CENTER | raster::TA_TOP);
    }
    EXPECT_EQ(Bottom().LabelsPos(), 170 - 13);
}

TEST_F(AxisDrawing, ShortAxisShowsEveryOtherValue) {
    AddPoints(200, 6);
    chart.Rect = {50, 20, 450, 80};
    EXPECT_EQ(Texts(Draw(Left())), (std::vector<std::string>{"6", "4", "2", "0"}));
    EXPECT_EQ(Left().TickPositions(), (std::vector<int>{20, 40, 60, 80}));
}

TEST_F(AxisDrawing, OneLabelAtTheCentreWithoutARange) {
    series.AddPoint(7, 1);
    const std::vector<Text> calls = Draw(Bottom());
    ASSERT_EQ(Texts(calls), (std::vector<std::string>{"7"}));
    EXPECT_EQ(calls[0].X, 250);
}

TEST_F(AxisDrawing, NoLabelsWithoutRoomForOne) {
    AddPoints(10, 6);
    chart.Rect = {50, 20, 450, 25};
    EXPECT_TRUE(Draw(Left()).empty());
    EXPECT_TRUE(Left().TickPositions().empty());
}

TEST_F(AxisDrawing, IncrementBelowThePrintedPrecisionDrawsOneLabel) {
    Bottom().SetAxisRange(1e6, 1e6 + 1e-9);
    EXPECT_EQ(Texts(Draw(Bottom())), (std::vector<std::string>{"1,000,000"}));
    Bottom().RestoreRange(5, 5 + 5e-11);
    EXPECT_EQ(Texts(Draw(Bottom())), (std::vector<std::string>{"5"})) << "span below MinRangeSpan";
}

TEST_F(AxisDrawing, ZoomToNoHeightShowsOneLabel) {
    for (const double v : {2.0, 5.0, 0.3, -7.25, 1e6, 123456.789}) {
        Left().SetAxisRange(v, v);
        const std::vector<std::string> texts = Texts(Draw(Left()));
        ASSERT_EQ(texts.size(), 1U) << v;
    }
}

TEST_F(AxisDrawing, TicksGridAndMinorTicksOfTheLeftAxis) {
    AddPoints(200, 6);
    Draw(Left());
    const int line = Left().AxisLinePos();
    const int s = Left().StartPos();
    // Major ticks: TickLength 4 pixels, starting one pixel left of the axis line.
    for (int offset = 25; offset <= 150; offset += 25) {
        EXPECT_TRUE(IsTickColour(line - 1, s + offset));
        EXPECT_TRUE(IsTickColour(line - 4, s + offset));
        EXPECT_FALSE(IsTickColour(line - 5, s + offset));
    }
    // Minor ticks between the labels 6 and 5: 2 pixels long at 19, 13 and 6 below StartPos.
    for (int y = s + 1; y < s + 25; ++y) {
        const bool minor = y == s + 6 || y == s + 13 || y == s + 19;
        EXPECT_EQ(IsTickColour(line - 2, y), minor) << "y offset " << y - s;
        EXPECT_FALSE(IsTickColour(line - 3, y));
    }
    // The candidates beyond 6 and 0 lie outside the axis.
    EXPECT_FALSE(IsTickColour(line - 2, s - 6));
    EXPECT_FALSE(IsTickColour(line - 2, s + 156));
    // Grid lines at the five inner labels only, starting one pixel right of the plot's left edge.
    for (int offset = 0; offset <= 150; offset += 25) {
        const bool inner = offset != 0 && offset != 150;
        EXPECT_EQ(chart.Surface.At(chart.Rect.Left + 1, s + offset) == clGray, inner) << offset;
    }
}

TEST_F(AxisDrawing, SingleMajorTickGetsNoMinorTicks) {
    series.AddPoint(7, 1);
    Draw(Bottom());
    const int line = Bottom().AxisLinePos();
    ASSERT_EQ(Bottom().TickPositions().size(), 1U);
    int grey = 0;
    for (int x = chart.Rect.Left; x <= chart.Rect.Right; ++x) {
        grey += IsTickColour(x, line + 2) ? 1 : 0;
    }
    EXPECT_EQ(grey, 1) << "only the major tick";
}

TEST_F(AxisDrawing, AxisLineAndBottomTicks) {
    AddPoints(200, 6);
    Draw(Bottom());
    const int line = Bottom().AxisLinePos();
    EXPECT_EQ(line, 170);
    EXPECT_EQ(chart.Surface.At(250, line), clBlack);
    EXPECT_TRUE(IsTickColour(50 + 360, line + 1));
    EXPECT_TRUE(IsTickColour(50 + 360, line + 4));
    EXPECT_FALSE(IsTickColour(50 + 360, line + 5));
}

TEST_F(AxisDrawing, TitlesAndReservedRoom) {
    AddPoints(200, 6);
    Left().Title().SetCaption("Mould index");
    Bottom().Title().SetCaption("12 hour periods");
    for (TChartAxis* axis : {&Bottom(), &Left()}) {
        axis->ComputeDataRange();
        axis->ComputePositions();
    }
    TRect rect = chart.Rect;
    Bottom().ReserveAxisSpace(rect);
    EXPECT_EQ(rect.Bottom, 170 - (13 + 13 + 7));
    EXPECT_EQ(Bottom().TitlePos(), 170 - 13);
    EXPECT_EQ(Bottom().LabelsPos(), 170 - 26);
    // Left: title height, the wider of "6" and "0" plus a space (5 + 5), and the tick band.
    EXPECT_EQ(Left().MaxLabelWidth(), 10);
    Left().ReserveAxisSpace(rect);
    EXPECT_EQ(rect.Left, 50 + 13 + 10 + 7);
    EXPECT_EQ(Left().TitlePos(), 63);
    EXPECT_EQ(Left().LabelsPos(), 73);

    chart.Rect = rect;
    chart.Surface.ClearTextCalls();
    for (TChartAxis* axis : {&Bottom(), &Left()}) {
        axis->ComputePositions();
        axis->ApplyPixelMargins();
        axis->DrawAxis();
    }
    const std::vector<Text>& calls = chart.Surface.TextCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().Text, "12 hour periods");
    EXPECT_EQ(calls.front().X, Bottom().CenterPos());
    EXPECT_EQ(calls.front().Y, 157);
    EXPECT_EQ(calls.front().Alignment, raster::TA_CENTER | raster::TA_TOP);
    const auto left =
        std::find_if(calls.begin(), calls.end(), [](const Text& c) { return c.Text == "Mould index"; });
    ASSERT_NE(left, calls.end());
    EXPECT_EQ(left->X, 63);
    EXPECT_EQ(left->Y, Left().CenterPos());
    EXPECT_EQ(left->Orientation, 900);
    EXPECT_EQ(left->Alignment, raster::TA_CENTER | raster::TA_BOTTOM);
}

// The label band fits the widest label drawn, settled on the left axis' final height (the plot
// less the bottom axis' 13 + 13 + 7 rows), with 5 pixels per character and 13-pixel labels:
// - maximum 1 on 117 rows: 8 labels fit, increment 0.2, labels 1, 0.8 ... 0: "0.8" and its space
//   take 15 + 5 pixels, where "1" and "0" alone would take 10;
// - maximum 5.9 on 147 rows (of 180 before the bottom axis): 10 labels fit, increment 1, labels
//   5 ... 0: 5 + 5 pixels, where the increment 0.5 of all 180 rows would have made it "5.5".
TEST_F(AxisDrawing, LabelBandFitsTheWidestLabelDrawn) {
    struct Case {
        double maximum;
        int plotBottom;
        int band;
        std::vector<std::string> labels;
    };
    const Case cases[] = {{1, 137, 20, {"1", "0.8", "0.6", "0.4", "0.2", "0"}},
                          {5.9, 167, 10, {"5", "4", "3", "2", "1", "0"}}};
    Left().Title().SetCaption("Mould index");
    Bottom().Title().SetCaption("12 hour periods");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maximum);
        series.ClearPoints();
        AddPoints(200, c.maximum);
        chart.Rect = {50, 20, 450, c.plotBottom + 33};
        for (TChartAxis* axis : {&Bottom(), &Left()}) {
            axis->ComputeDataRange();
            axis->ComputePositions();
        }
        TRect rect = chart.Rect;
        Bottom().ReserveAxisSpace(rect);
        ASSERT_EQ(rect.Bottom, c.plotBottom);
        Left().ReserveAxisSpace(rect);
        EXPECT_EQ(rect.Left, 50 + 13 + c.band + 7);

        chart.Rect = rect;
        for (TChartAxis* axis : {&Bottom(), &Left()}) {
            axis->ComputePositions();
            axis->ApplyPixelMargins();
        }
        chart.Surface.ClearTextCalls();
        Left().DrawAxis();
        std::vector<Text> labels = chart.Surface.TextCalls();
        labels.erase(labels.begin()); // the title
        EXPECT_EQ(Texts(labels), c.labels);
        // Right-aligned at LabelsPos: the widest label starts one space (5 pixels) right of the
        // title's band.
        int leftmost = Left().LabelsPos();
        for (const Text& label : labels) {
            leftmost = std::min(leftmost, label.X - 5 * static_cast<int>(label.Text.size()));
        }
        EXPECT_EQ(leftmost, Left().TitlePos() + 5);
    }
}

TEST_F(AxisDrawing, AnEmptyCaptionTakesNoRoom) {
    AddPoints(200, 6);
    Left().ComputeDataRange();
    Left().ComputePositions();
    TRect rect = chart.Rect;
    Left().ReserveAxisSpace(rect);
    EXPECT_EQ(rect.Left, 50 + 10 + 7);
}

} // namespace
} // namespace mouldview::chart
