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
    TChartAxis& Left() { return chart.Axes.Left(); }
    TChartAxis& Bottom() { return chart.Axes.Bottom(); }
    void AddPoints(int count, double maxY) {
        for (int k = 1; k <= count; ++k) {
            series.AddPoint(k, maxY * k / count, "", clBlue);
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
    bool IsTickColour(int x, int y) { return chart.Surface.Pixels(x, y) == clGray; }

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
        EXPECT_EQ(calls[i].Alignment, TA_RIGHT | TA_TOP);
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
        EXPECT_EQ(calls[i].Alignment, TA_CENTER | TA_TOP);
    }
    EXPECT_EQ(Bottom().LabelsPos(), 170 - 13);
}

TEST_F(AxisDrawing, ShortAxisShowsEveryOtherValue) {
    AddPoints(200, 6);
    chart.Rect = {50, 20, 450, 80};
    EXPECT_EQ(Texts(Draw(Left())), (std::vector<std::string>{"6", "4", "2", "0"}));
    EXPECT_EQ(Left().TickPositions(), (std::vector<int>{20, 40, 60, 80}));
}

TEST_F(AxisDrawing, FirstLabelRoundedOrTakenAsTheMaximum) {
    series.AddPoint(1, 0.5, "", clBlue);
    series.AddPoint(2, 10.3, "", clBlue);
    Left().SetAutomaticMinimum(true);
    Left().SetIncrement(2);
    EXPECT_EQ(Texts(Draw(Left())), (std::vector<std::string>{"10", "8", "6", "4", "2"}));
    Left().SetRoundFirstLabel(false);
    EXPECT_EQ(Texts(Draw(Left())), (std::vector<std::string>{"10.3", "8.3", "6.3", "4.3", "2.3"}));
}

TEST_F(AxisDrawing, UnroundedFirstLabelOnTheBottomAxis) {
    AddPoints(200, 6);
    Bottom().SetRoundFirstLabel(false);
    const std::vector<std::string> texts = Texts(Draw(Bottom()));
    ASSERT_EQ(texts.size(), 10U);
    EXPECT_EQ(texts.front(), "200");
    EXPECT_EQ(texts.back(), "20");
}

TEST_F(AxisDrawing, OneLabelAtTheCentreWithoutARange) {
    series.AddPoint(7, 1, "", clBlue);
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

TEST_F(AxisDrawing, TooManyLabelsDrawNone) {
    AddPoints(200, 6);
    Left().SetLabelsSeparation(0);
    Left().SetIncrement(1e-5);
    EXPECT_TRUE(Draw(Left()).empty()) << "600,000 labels would be needed";
}

TEST_F(AxisDrawing, IncrementBelowThePrintedPrecisionDrawsOneLabel) {
    Bottom().SetAxisRange(1e6, 1e6 + 1e-9);
    EXPECT_EQ(Texts(Draw(Bottom())), (std::vector<std::string>{"1,000,000"}));
    Bottom().SetMinimum(5);
    Bottom().SetMaximum(5 + 5e-11);
    EXPECT_EQ(Texts(Draw(Bottom())), (std::vector<std::string>{"5"})) << "span below MinRangeSpan";
}

TEST_F(AxisDrawing, ZoomToNoHeightShowsOneLabel) {
    for (const double v : {2.0, 5.0, 0.3, -7.25, 1e6, 123456.789}) {
        Left().SetAxisRange(v, v);
        const std::vector<std::string> texts = Texts(Draw(Left()));
        ASSERT_EQ(texts.size(), 1U) << v;
    }
    // Just above the smallest span the labels come back.
    Left().SetAxisRange(2, 2 + 1e-9);
    Left().SetAxisValuesFormat("0.000000000000");
    EXPECT_GT(Draw(Left()).size(), 2U);
}

TEST_F(AxisDrawing, MultiLineLabelsStackAroundTheTick) {
    AddPoints(200, 6);
    Left().SetAxisValuesFormat("0 units");
    Left().SetLabelsMultiLine(true);
    EXPECT_EQ(Left().LabelText(3), "3\nunits");
    Left().ComputeDataRange();
    Left().ComputePositions();
    chart.Surface.ApplyFont(Left().LabelsFont());
    EXPECT_EQ(Left().LabelSize(3), 26) << "two lines of 13 pixels along a vertical axis";
    const std::vector<Text> calls = Draw(Left());
    ASSERT_GE(calls.size(), 2U);
    const int p = Left().TickPositions().front();
    // Two lines: the first starts at p - 6 - Round(19.5) + 13 = p - 13 (halves to even), the
    // second 13 below.
    EXPECT_EQ(calls[0].Text, "6");
    EXPECT_EQ(calls[0].Y, p - 13);
    EXPECT_EQ(calls[1].Text, "units");
    EXPECT_EQ(calls[1].Y, p);
}

TEST_F(AxisDrawing, EndLabelsDroppedWhenNotOnAxis) {
    AddPoints(200, 6);
    Left().SetLabelsOnAxis(false);
    EXPECT_EQ(Texts(Draw(Left())), (std::vector<std::string>{"5", "4", "3", "2", "1"}));
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
        EXPECT_EQ(chart.Surface.Pixels(chart.Rect.Left + 1, s + offset) == clGray, inner) << offset;
    }
}

TEST_F(AxisDrawing, SingleMajorTickGetsNoMinorTicks) {
    series.AddPoint(7, 1, "", clBlue);
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
    EXPECT_EQ(chart.Surface.Pixels(250, line), clBlack);
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
    Bottom().ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Bottom, 170 - (13 + 13 + 7));
    EXPECT_EQ(Bottom().TitlePos(), 170 - 13);
    EXPECT_EQ(Bottom().LabelsPos(), 170 - 26);
    // Left: title height, the wider of "6" and "0" plus a space (5 + 5), and the tick band.
    EXPECT_EQ(Left().MaxLabelWidth(), 10);
    Left().ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Left, 50 + 13 + 10 + 7);
    EXPECT_EQ(Left().TitlePos(), 63);
    EXPECT_EQ(Left().LabelsPos(), 73);

    chart.Rect = rect;
    chart.Surface.ClearTextCalls();
    for (TChartAxis* axis : {&Bottom(), &Left()}) {
        axis->ComputePositions();
        axis->ApplySeriesMargins();
        axis->DrawAxis();
    }
    const std::vector<Text>& calls = chart.Surface.TextCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().Text, "12 hour periods");
    EXPECT_EQ(calls.front().X, Bottom().CenterPos());
    EXPECT_EQ(calls.front().Y, 157);
    EXPECT_EQ(calls.front().Alignment, TA_CENTER | TA_TOP);
    const auto left =
        std::find_if(calls.begin(), calls.end(), [](const Text& c) { return c.Text == "Mould index"; });
    ASSERT_NE(left, calls.end());
    EXPECT_EQ(left->X, 63);
    EXPECT_EQ(left->Y, Left().CenterPos());
    EXPECT_EQ(left->Orientation, 900);
    EXPECT_EQ(left->Alignment, TA_CENTER | TA_BOTTOM);
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
        Bottom().ReserveAxisSpace(rect, true);
        ASSERT_EQ(rect.Bottom, c.plotBottom);
        Left().ReserveAxisSpace(rect, true);
        EXPECT_EQ(rect.Left, 50 + 13 + c.band + 7);

        chart.Rect = rect;
        for (TChartAxis* axis : {&Bottom(), &Left()}) {
            axis->ComputePositions();
            axis->ApplySeriesMargins();
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

TEST_F(AxisDrawing, EmptyCaptionTakesNoRoomAndFixedSizesWin) {
    AddPoints(200, 6);
    Left().ComputeDataRange();
    Left().ComputePositions();
    TRect rect = chart.Rect;
    Left().ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Left, 50 + 10 + 7);
    Left().Title().SetCaption("Mould index");
    Left().SetTitleSize(20);
    Left().SetLabelsSize(30);
    rect = chart.Rect;
    Left().ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Left, 50 + 20 + 30 + 7);
    Left().Axis().SetVisible(false);
    Left().Ticks().SetVisible(false);
    rect = chart.Rect;
    Left().ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Left, 50 + 20 + 30 + 2) << "the minor ticks still need their length";
}

TEST_F(AxisDrawing, PositionOffsetMovesLineLabelsAndTitleTogether) {
    AddPoints(200, 6);
    Left().Title().SetCaption("Mould index");
    Left().SetPositionPercent(10);
    Left().ComputeDataRange();
    Left().ComputePositions();
    for (int paint = 0; paint < 3; ++paint) {
        TRect rect = chart.Rect;
        Left().ReserveAxisSpace(rect, true);
        EXPECT_EQ(rect.Left, 50 + 13 + 10 + 7);
        EXPECT_EQ(Left().TitlePos(), 50 + 13 + 40) << "10 % of the plot's 400-pixel width";
        EXPECT_EQ(Left().LabelsPos(), 50 + 23 + 40);
    }
    chart.Surface.ClearTextCalls();
    Left().DrawAxis();
    EXPECT_EQ(Left().AxisLinePos(), 90);
    Left().SetPositionUnits(muPixels);
    Left().SetPositionPercent(5);
    Left().DrawAxis();
    EXPECT_EQ(Left().AxisLinePos(), 55);
}

TEST_F(AxisDrawing, OtherSideAxesMirrorThePlacement) {
    TLineSeries other;
    other.SetParentChart(&chart);
    other.SetHorizAxis(aTopAxis);
    other.SetVertAxis(aRightAxis);
    for (int k = 1; k <= 200; ++k) {
        other.AddPoint(k, 6.0 * k / 200, "", clRed);
    }
    TChartAxis& right = chart.Axes.Right();
    TChartAxis& top = chart.Axes.Top();
    TRect rect = chart.Rect;
    for (TChartAxis* axis : {&right, &top}) {
        axis->ComputeDataRange();
        axis->ComputePositions();
    }
    right.ReserveAxisSpace(rect, true);
    top.ReserveAxisSpace(rect, true);
    EXPECT_EQ(rect.Right, 450 - 10 - 7);
    EXPECT_EQ(right.LabelsPos(), 440);
    EXPECT_EQ(rect.Top, 20 + 13 + 7);
    EXPECT_EQ(top.LabelsPos(), 33);

    chart.Rect = rect;
    chart.Surface.ClearTextCalls();
    right.ComputePositions();
    right.DrawAxis();
    ASSERT_FALSE(chart.Surface.TextCalls().empty());
    EXPECT_EQ(chart.Surface.TextCalls().front().Alignment, TA_LEFT | TA_TOP);
    EXPECT_EQ(chart.Surface.TextCalls().front().X, 440);
    EXPECT_EQ(right.AxisLinePos(), 433);
    EXPECT_TRUE(IsTickColour(434, right.TickPositions()[1]));
    EXPECT_TRUE(IsTickColour(437, right.TickPositions()[1]));
    EXPECT_FALSE(IsTickColour(438, right.TickPositions()[1]));

    chart.Surface.ClearTextCalls();
    top.ComputePositions();
    top.DrawAxis();
    ASSERT_FALSE(chart.Surface.TextCalls().empty());
    EXPECT_EQ(chart.Surface.TextCalls().front().Alignment, TA_CENTER | TA_BOTTOM);
    EXPECT_EQ(chart.Surface.TextCalls().front().Y, 33);
    EXPECT_EQ(top.AxisLinePos(), 40);
    EXPECT_TRUE(IsTickColour(top.TickPositions()[1], 39));
    EXPECT_TRUE(IsTickColour(top.TickPositions()[1], 36));
    EXPECT_FALSE(IsTickColour(top.TickPositions()[1], 35));
}

TEST_F(AxisDrawing, EffectiveLabelStyle) {
    EXPECT_EQ(chart.Axes.Top().EffectiveLabelStyle(), talNone);
    EXPECT_EQ(Bottom().EffectiveLabelStyle(), talValue);
    series.AddPoint(1, 1, "first", clBlue);
    EXPECT_EQ(Bottom().EffectiveLabelStyle(), talText);
    EXPECT_EQ(Left().EffectiveLabelStyle(), talValue) << "the labels belong to the X values";
    series.SetActive(false);
    EXPECT_EQ(Bottom().EffectiveLabelStyle(), talNone);
}

} // namespace
} // namespace mouldview::chart
