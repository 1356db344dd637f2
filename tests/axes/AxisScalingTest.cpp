// Axis scaling: ranges from the series, the value/pixel mapping, the label increment, the
// automatic flags, zoom ranges and scrolling.
#include "chart/series/LineSeries.h"
#include "tests/axes/AxisTestChart.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace mouldview::chart {
namespace {

using test::AxisTestChart;

class AxisScaling : public ::testing::Test {
protected:
    void SetUp() override {
        indexSeries.SetParentChart(&chart);
        // The result window's left axis, as its stored layout leaves it.
        chart.Loading = true;
        chart.Left.SetAutomatic(false);
        chart.Left.SetAutomaticMinimum(false);
        chart.Loading = false;
    }
    void AddPeriods(int count, double maxIndex) {
        for (int k = 1; k <= count; ++k) {
            indexSeries.AddPoint(k, maxIndex * k / count);
        }
    }
    double Increment(TChartAxis& axis) {
        axis.ComputeDataRange();
        axis.ComputePositions();
        return axis.ComputeIncrement();
    }

    AxisTestChart chart;
    TLineSeries indexSeries;
};

TEST_F(AxisScaling, TheLeftAxisIsFixedAtZeroAndFollowsTheDataMaximum) {
    TLineSeries reference;
    reference.SetParentChart(&chart);
    for (int k = 1; k <= 10; ++k) {
        reference.AddPoint(k, 1.0);
        indexSeries.AddPoint(k, 0.0);
    }
    chart.Left.ComputeDataRange();
    EXPECT_EQ(chart.Left.WorkMin(), 0);
    EXPECT_EQ(chart.Left.WorkMax(), 1);
    indexSeries.AddPoint(11, 3.4);
    chart.Left.ComputeDataRange();
    EXPECT_EQ(chart.Left.WorkMax(), 3.4) << "the data maximum, not a rounded-up value";
    chart.Bottom.ComputeDataRange();
    EXPECT_EQ(chart.Bottom.Minimum(), 1);
    EXPECT_EQ(chart.Bottom.Maximum(), 11);
}

TEST_F(AxisScaling, PositionsFromThePlotRectangleAndNoDataAtTheCentre) {
    chart.Bottom.ComputeDataRange();
    chart.Bottom.ComputePositions();
    EXPECT_TRUE(chart.Bottom.RangeIsZero());
    EXPECT_EQ(chart.Bottom.ValueToPixel(-1e9), 250);
    EXPECT_EQ(chart.Bottom.ValueToPixel(0), 250);

    AddPeriods(200, 6);
    chart.Bottom.ComputeDataRange();
    chart.Bottom.ComputePositions();
    EXPECT_EQ(chart.Bottom.StartPos(), 50);
    EXPECT_EQ(chart.Bottom.EndPos(), 450);
    EXPECT_EQ(chart.Bottom.ValueToPixel(1), 50);
    EXPECT_EQ(chart.Bottom.ValueToPixel(200), 450);
    chart.Left.ComputeDataRange();
    chart.Left.ComputePositions();
    EXPECT_EQ(chart.Left.ValueToPixel(6), 20) << "the maximum sits at StartPos, the top";
    EXPECT_EQ(chart.Left.ValueToPixel(0), 170);
    EXPECT_EQ(chart.Left.ValueToPixel(1e12), -TChartAxis::PixelLimit) << "clamped far outside";
    EXPECT_EQ(chart.Left.ValueToPixel(-1e300), TChartAxis::PixelLimit);
    EXPECT_EQ(TChartAxis::PixelLimit, 67108863);
}

TEST_F(AxisScaling, ValueToPixelAndBackOverRandomRanges) {
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> origin(-1e6, 1e6);
    std::uniform_real_distribution<double> exponent(-3, 6);
    std::uniform_int_distribution<int> edge(-200, 2000);
    for (int round = 0; round < 500; ++round) {
        const double min = origin(random);
        const double span = std::pow(10.0, exponent(random));
        const int a = edge(random);
        const int b = edge(random);
        chart.Rect = {std::min(a, b), std::min(a, b), std::max(a, b) + 1, std::max(a, b) + 1};
        TChartAxis& axis = round % 2 == 0 ? chart.Bottom : chart.Left;
        axis.SetAxisRange(min, min + span);
        axis.ComputeDataRange();
        axis.ComputePositions();
        const double valuePerPixel = axis.WorkRange() / axis.AxisSize();
        for (int p = axis.StartPos() - 50; p <= axis.EndPos() + 50; p += 7) {
            ASSERT_EQ(axis.ValueToPixel(axis.PixelToValue(p)), p) << "round " << round;
        }
        std::uniform_real_distribution<double> inside(min, min + span);
        for (int i = 0; i < 20; ++i) {
            const double v = inside(random);
            ASSERT_LE(std::fabs(axis.PixelToValue(axis.ValueToPixel(v)) - v),
                      0.5 * valuePerPixel * (1 + 1e-9));
        }
    }
}

TEST_F(AxisScaling, ExactHalfPixelsGoToTheEvenPixel) {
    // One value unit per pixel: k + 0.5 maps to whichever of k and k + 1 is even.
    chart.Rect = {0, 0, 1001, 1001};
    chart.Bottom.SetAxisRange(0, 1001);
    chart.Bottom.ComputeDataRange();
    chart.Bottom.ComputePositions();
    EXPECT_EQ(chart.Bottom.ValueToPixel(2.5), 2);
    EXPECT_EQ(chart.Bottom.ValueToPixel(3.5), 4);
    EXPECT_EQ(chart.Bottom.ValueToPixel(-0.5), 0);
    EXPECT_EQ(chart.Bottom.ValueToPixel(-1.5), -2);
}

TEST_F(AxisScaling, PixelEndsPutAReversedRangeInOrderAndAnAxisWithoutPixelsCollapses) {
    // A fixed minimum of 5 above the data maximum 3.
    AddPeriods(10, 3);
    chart.Left.RestoreRange(5, 0);
    chart.Left.ComputeDataRange();
    EXPECT_EQ(chart.Left.WorkMin(), 5);
    EXPECT_EQ(chart.Left.WorkMax(), 3);
    chart.Left.ComputePositions();
    chart.Left.ApplyPixelMargins();
    EXPECT_DOUBLE_EQ(chart.Left.WorkMin(), 3);
    EXPECT_DOUBLE_EQ(chart.Left.WorkMax(), 5);

    chart.Rect = {50, 20, 50, 170};
    chart.Bottom.ComputeDataRange();
    chart.Bottom.ComputePositions();
    EXPECT_EQ(chart.Bottom.PixelToValue(60), 0);
    chart.Bottom.ApplyPixelMargins();
    EXPECT_EQ(chart.Bottom.WorkMin(), 0);
    EXPECT_EQ(chart.Bottom.WorkMax(), 0);
}

// Label increments of the left axis for a range 0 to `Top` on `Pixels` pixels, worked out by hand:
// labels are 13 pixels high with a gap of Round(1.3) = 1, so n = Round(Pixels / 14) labels fit;
// the first step is Top / (n + 1), raised along 1-2-5 while Round(Top / step) > n.
struct IncrementCase {
    double Top;
    int Pixels;
    double Expected;
};

TEST_F(AxisScaling, LabelIncrementsWorkedOutByHand) {
    const IncrementCase cases[] = {
        {6, 150, 1},      // n 11: 0.5 gives 12 labels, 1 gives 6
        {6, 60, 2},       // n 4: 1.2 gives 5, 2 gives 3
        {6, 84, 1},       // n 6: 6/7 gives 7, 1 gives exactly 6, which fit
        {10, 70, 2},      // n 5: 10/6 gives 6, 2 gives exactly 5, which fit
        {1, 150, 0.1},    // n 11: 1/12 gives 12, 0.1 gives 10
        {2.86, 150, 0.5}, // n 11: 0.238 gives 12, 0.5 gives 6
        {6, 5, 1e-12},    // n 0: no room for a label, the smallest increment
        {0, 150, 1},      // no range: 1
    };
    for (const IncrementCase& c : cases) {
        chart.Rect = {50, 20, 450, 20 + c.Pixels};
        chart.Left.SetAxisRange(0, c.Top);
        chart.Left.RestoreRange(0, c.Top);
        EXPECT_DOUBLE_EQ(Increment(chart.Left), c.Expected) << c.Top << " on " << c.Pixels << " pixels";
    }
}

TEST_F(AxisScaling, BottomAxisIncrementsFromTheWidestLabel) {
    // 200 periods on 400 pixels, the widest text "100.5" 27 pixels: gap Round(2.7) = 3, n = 13,
    // 199 / 14 gives 14 labels, 20 gives 10.
    AddPeriods(200, 6);
    chart.Surface.SetTextWidthOf("100.5", 27);
    EXPECT_EQ(Increment(chart.Bottom), 20);
    // Five periods: labels "1", "3", "5" of 5 pixels, gap Round(0.5) = 0, n = 80; 4 / 81 is below
    // 1, but a series with no more points than labels gets a label per point.
    indexSeries.ClearPoints();
    AddPeriods(5, 6);
    EXPECT_EQ(Increment(chart.Bottom), 1);
}

// While loading only Automatic changes: checked through the real chart by the paint cycle tests.
TEST_F(AxisScaling, AutomaticFlagsAfterLoading) {
    TChartAxis& axis = chart.Bottom;
    axis.SetAutomatic(true);
    axis.SetAutomatic(false);
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_FALSE(axis.AutomaticMaximum());
    axis.SetAutomaticMinimum(true);
    EXPECT_FALSE(axis.Automatic()) << "the maximum is still fixed";
    axis.SetAutomaticMaximum(true);
    EXPECT_TRUE(axis.Automatic());
    axis.SetAutomaticMaximum(false);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_TRUE(axis.AutomaticMinimum());
    // Undoing a zoom restores the saved flags in this order; the left axis' state comes back.
    axis.SetAutomatic(false);
    axis.SetAutomaticMinimum(false);
    axis.SetAutomaticMaximum(true);
    EXPECT_FALSE(axis.Automatic());
    EXPECT_FALSE(axis.AutomaticMinimum());
    EXPECT_TRUE(axis.AutomaticMaximum());
}

TEST_F(AxisScaling, SetAxisRangeAndScrollAxisBy) {
    chart.Repaints = 0;
    chart.Bottom.SetAxisRange(2, 2);
    EXPECT_EQ(chart.Bottom.Minimum(), 2);
    EXPECT_EQ(chart.Bottom.Maximum(), 2 + 1e-10);
    EXPECT_FALSE(chart.Bottom.Automatic());
    EXPECT_FALSE(chart.Bottom.AutomaticMinimum());
    EXPECT_FALSE(chart.Bottom.AutomaticMaximum());
    EXPECT_EQ(chart.Repaints, 1);
    chart.Bottom.SetAxisRange(9, 3);
    EXPECT_EQ(chart.Bottom.Minimum(), 3);
    EXPECT_EQ(chart.Bottom.Maximum(), 9);

    AddPeriods(10, 6);
    chart.Left.ComputeDataRange();
    chart.Repaints = 0;
    chart.Left.ScrollAxisBy(1);
    EXPECT_EQ(chart.Left.Minimum(), 1);
    EXPECT_EQ(chart.Left.Maximum(), 7);
    EXPECT_FALSE(chart.Left.AutomaticMaximum());
    EXPECT_EQ(chart.Repaints, 1);
}

} // namespace
} // namespace mouldview::chart
