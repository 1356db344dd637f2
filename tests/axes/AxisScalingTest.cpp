// Axis scaling: ranges from the series, the value/pixel mapping, the label increment, the setters'
// rules and checks, zoom ranges and scrolling.
#include "chart/axes/AxisException.h"
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
        Left().SetAutomatic(false);
        Left().SetAutomaticMinimum(false);
        chart.Loading = false;
    }
    TChartAxis& Left() { return chart.Axes.Left(); }
    TChartAxis& Bottom() { return chart.Axes.Bottom(); }
    void AddPeriods(int count, double maxIndex) {
        for (int k = 1; k <= count; ++k) {
            indexSeries.AddPoint(k, maxIndex * k / count, "", clBlue);
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

TEST_F(AxisScaling, TheSixAxesInListOrder) {
    EXPECT_EQ(&chart.Axes[0], &chart.Axes.Bottom());
    EXPECT_TRUE(chart.Axes[0].Horizontal());
    EXPECT_FALSE(chart.Axes[0].OtherSide());
    EXPECT_TRUE(chart.Axes[1].Horizontal());
    EXPECT_TRUE(chart.Axes[1].OtherSide());
    EXPECT_FALSE(chart.Axes[2].Horizontal());
    EXPECT_EQ(chart.Axes[2].Title().Angle(), 90);
    EXPECT_EQ(chart.Axes[3].Title().Angle(), 270);
    EXPECT_FALSE(chart.Axes[4].Visible());
    EXPECT_FALSE(chart.Axes[5].Visible());
    EXPECT_TRUE(chart.Axes[4].IsDepthAxis());
    EXPECT_EQ(Bottom().Axis().Width(), 2);
    EXPECT_EQ(Bottom().Grid().Style(), psDot);
    EXPECT_EQ(Bottom().Grid().Color(), clGray);
    EXPECT_FALSE(Bottom().MinorGrid().Visible());
    EXPECT_EQ(Bottom().AxisValuesFormat(), "#,##0.###");
}

TEST_F(AxisScaling, LeftAxisFixedAtZeroFollowsTheDataMaximum) {
    EXPECT_FALSE(Left().Automatic());
    EXPECT_FALSE(Left().AutomaticMinimum());
    EXPECT_TRUE(Left().AutomaticMaximum());
    TLineSeries reference;
    reference.SetParentChart(&chart);
    for (int k = 1; k <= 10; ++k) {
        reference.AddPoint(k, 1.0, "", clRed);
        indexSeries.AddPoint(k, 0.0, "", clBlue);
    }
    Left().ComputeDataRange();
    EXPECT_EQ(Left().WorkMin(), 0);
    EXPECT_EQ(Left().WorkMax(), 1);
    indexSeries.AddPoint(11, 3.4, "", clBlue);
    Left().ComputeDataRange();
    EXPECT_EQ(Left().WorkMax(), 3.4) << "the data maximum, not a rounded-up value";
    Bottom().ComputeDataRange();
    EXPECT_EQ(Bottom().Minimum(), 1);
    EXPECT_EQ(Bottom().Maximum(), 11);
}

TEST_F(AxisScaling, InactiveSeriesCountOnlyWhenNoActiveOneIsOnTheAxis) {
    TLineSeries other;
    other.SetParentChart(&chart);
    other.AddPoint(-50, 1, "", clRed);
    other.AddPoint(100, 1, "", clRed);
    AddPeriods(10, 1);
    other.SetActive(false);
    EXPECT_EQ(Bottom().AxisDataExtent(true), 1);
    EXPECT_EQ(Bottom().AxisDataExtent(false), 10);
    indexSeries.SetActive(false);
    EXPECT_EQ(Bottom().AxisDataExtent(true), -50);
    EXPECT_EQ(Bottom().AxisDataExtent(false), 100);
    EXPECT_EQ(chart.Axes.Top().AxisDataExtent(false), 0) << "no series on the top axis";
}

// A series drawn without axes (as a pie would be).
class SeriesWithoutAxes : public TLineSeries {
public:
    bool UsesAxes() const override { return false; }
};

TEST(AxisShown, AxesWithActiveSeries) {
    AxisTestChart chart;
    EXPECT_TRUE(chart.Axes.Top().HasActiveSeries()) << "no active series: every axis shows";
    TLineSeries series;
    series.SetParentChart(&chart);
    EXPECT_TRUE(chart.Axes.Bottom().HasActiveSeries());
    EXPECT_TRUE(chart.Axes.Left().HasActiveSeries());
    EXPECT_FALSE(chart.Axes.Top().HasActiveSeries());
    EXPECT_FALSE(chart.Axes.Right().HasActiveSeries());
    series.SetActive(false);
    EXPECT_TRUE(chart.Axes.Top().HasActiveSeries());

    SeriesWithoutAxes pie;
    pie.SetParentChart(&chart);
    series.SetActive(true);
    EXPECT_TRUE(chart.Axes.Bottom().HasActiveSeries()) << "the line series comes first";
    series.SetParentChart(nullptr);
    series.SetParentChart(&chart);
    EXPECT_FALSE(chart.Axes.Bottom().HasActiveSeries()) << "the series without axes comes first";
}

TEST_F(AxisScaling, NoDataMapsEverythingToTheCentre) {
    Bottom().ComputeDataRange();
    Bottom().ComputePositions();
    EXPECT_TRUE(Bottom().RangeIsZero());
    EXPECT_EQ(Bottom().PixelsPerUnit(), 0);
    EXPECT_EQ(Bottom().CenterPos(), 250);
    EXPECT_EQ(Bottom().ValueToPixel(-1e9), 250);
    EXPECT_EQ(Bottom().ValueToPixel(0), 250);
}

TEST_F(AxisScaling, PositionsFromThePlotRectangle) {
    AddPeriods(200, 6);
    Bottom().ComputeDataRange();
    Bottom().ComputePositions();
    EXPECT_EQ(Bottom().StartPos(), 50);
    EXPECT_EQ(Bottom().EndPos(), 450);
    EXPECT_EQ(Bottom().AxisSize(), 400);
    EXPECT_EQ(Bottom().CenterPos(), 250);
    EXPECT_EQ(Bottom().ValueToPixel(1), 50);
    EXPECT_EQ(Bottom().ValueToPixel(200), 450);
    Left().ComputeDataRange();
    Left().ComputePositions();
    EXPECT_EQ(Left().ValueToPixel(6), 20) << "the maximum sits at StartPos, the top";
    EXPECT_EQ(Left().ValueToPixel(0), 170);
    Left().SetInverted(true);
    EXPECT_EQ(Left().ValueToPixel(6), 170);
    EXPECT_EQ(Left().ValueToPixel(0), 20);
    EXPECT_EQ(Left().PixelToValue(20), 0);
    Bottom().SetStartPosition(25);
    Bottom().SetEndPosition(75);
    Bottom().ComputePositions();
    EXPECT_EQ(Bottom().StartPos(), 150);
    EXPECT_EQ(Bottom().EndPos(), 350);
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
        TChartAxis& axis = round % 2 == 0 ? Bottom() : Left();
        axis.SetInverted(round % 3 == 0);
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

TEST_F(AxisScaling, ValueToPixelRoundsHalvesToEvenAfterTheClamp) {
    // The mapping written out with the C library's rounding, against the axis's inline one. Values
    // on exact half pixels, far outside the range and NaN included.
    std::mt19937_64 random(2468);
    std::uniform_real_distribution<double> origin(-1e4, 1e4);
    std::uniform_real_distribution<double> exponent(-2, 4);
    std::uniform_int_distribution<int> edge(-100, 1500);
    std::uniform_int_distribution<int> halves(-4000, 4000);
    for (int round = 0; round < 400; ++round) {
        const int a = edge(random);
        const int b = edge(random);
        chart.Rect = {std::min(a, b), std::min(a, b), std::max(a, b) + 1, std::max(a, b) + 1};
        TChartAxis& axis = round % 2 == 0 ? Bottom() : Left();
        axis.SetInverted(round % 3 == 0);
        const double min = origin(random);
        // Every fourth range has a power-of-two span of whole pixels, so that half pixels are exact.
        const double span = round % 4 == 0 ? std::ldexp(1.0, static_cast<int>(exponent(random)))
                                           : std::pow(10.0, exponent(random));
        axis.SetAxisRange(min, min + span);
        axis.ComputeDataRange();
        axis.ComputePositions();
        const auto reference = [&axis](double value) {
            if (axis.RangeIsZero()) {
                return axis.CenterPos();
            }
            const double d = (value - axis.WorkMin()) * axis.PixelsPerUnit();
            const bool fromEnd = axis.Horizontal() == axis.Inverted();
            const double p = fromEnd ? axis.EndPos() - d : axis.StartPos() + d;
            if (std::isnan(p)) {
                return 0;
            }
            return static_cast<int>(std::nearbyint(std::clamp(p, -67108863.0, 67108863.0)));
        };
        std::uniform_real_distribution<double> around(min - span, min + 2 * span);
        for (int i = 0; i < 50; ++i) {
            const double v = around(random);
            ASSERT_EQ(axis.ValueToPixel(v), reference(v)) << "round " << round << " value " << v;
            const double half = axis.WorkMin() + (halves(random) + 0.5) / axis.PixelsPerUnit();
            ASSERT_EQ(axis.ValueToPixel(half), reference(half)) << "round " << round << " value " << half;
        }
        for (const double v : {1e300, -1e300, std::nan(""), 0.0}) {
            ASSERT_EQ(axis.ValueToPixel(v), reference(v)) << "round " << round << " value " << v;
        }
    }
    // Exact halves go to the even pixel: one unit per pixel maps k + 0.5 to k or k + 1.
    chart.Rect = {0, 0, 1001, 1001};
    Bottom().SetInverted(false);
    Bottom().ComputePositions();
    Bottom().SetAxisRange(0, Bottom().AxisSize());
    Bottom().ComputeDataRange();
    Bottom().ComputePositions();
    ASSERT_EQ(Bottom().PixelsPerUnit(), 1.0);
    const int start = Bottom().StartPos();
    EXPECT_EQ(Bottom().ValueToPixel(2.5) - start, 2);
    EXPECT_EQ(Bottom().ValueToPixel(3.5) - start, 4);
    EXPECT_EQ(Bottom().ValueToPixel(-0.5) - start, 0);
    EXPECT_EQ(Bottom().ValueToPixel(-1.5) - start, -2);
}

TEST_F(AxisScaling, PixelsAreClampedFarOutside) {
    Bottom().SetAxisRange(0, 1);
    Left().SetAxisRange(0, 1);
    for (TChartAxis* axis : {&Bottom(), &Left()}) {
        axis->ComputeDataRange();
        axis->ComputePositions();
    }
    EXPECT_EQ(Bottom().ValueToPixel(1e12), TChartAxis::PixelLimit);
    EXPECT_EQ(Bottom().ValueToPixel(-1e300), -TChartAxis::PixelLimit);
    EXPECT_EQ(Left().ValueToPixel(1e12), -TChartAxis::PixelLimit);
    EXPECT_EQ(Left().ValueToPixel(-1e12), TChartAxis::PixelLimit);
    EXPECT_EQ(TChartAxis::PixelLimit, 67108863);
}

TEST_F(AxisScaling, PixelMarginsWidenTheRange) {
    Bottom().SetAxisRange(0, 100);
    Bottom().ComputeDataRange();
    Bottom().ComputePositions();
    Bottom().ApplyPixelMargins(0, 0);
    EXPECT_DOUBLE_EQ(Bottom().WorkMin(), 0);
    EXPECT_DOUBLE_EQ(Bottom().WorkMax(), 100);
    Bottom().ApplyPixelMargins(40, 40);
    EXPECT_DOUBLE_EQ(Bottom().WorkMin(), -12.5);
    EXPECT_DOUBLE_EQ(Bottom().WorkMax(), 112.5);
    EXPECT_EQ(Bottom().StartPos(), 50);
    EXPECT_EQ(Bottom().ValueToPixel(0), 90);
    EXPECT_EQ(Bottom().ValueToPixel(100), 410);
}

TEST_F(AxisScaling, OffsetsKeepPixelsFreeAtTheLowAndHighEnds) {
    Bottom().SetAxisRange(0, 100);
    Bottom().SetMinimumOffset(40);
    chart.Scale(Bottom());
    EXPECT_EQ(Bottom().ValueToPixel(0), 90);
    EXPECT_EQ(Bottom().ValueToPixel(100), 450);
    Bottom().SetInverted(true);
    chart.Scale(Bottom());
    EXPECT_EQ(Bottom().ValueToPixel(0), 410) << "the low values lie on the right";
    EXPECT_EQ(Bottom().ValueToPixel(100), 50);

    Left().SetAxisRange(0, 6);
    Left().SetMaximumOffset(30);
    chart.Scale(Left());
    EXPECT_EQ(Left().ValueToPixel(6), 50) << "the high end is the top";
    EXPECT_EQ(Left().ValueToPixel(0), 170);
}

TEST_F(AxisScaling, ReversedFixedRangeIsPutInOrder) {
    AddPeriods(10, 3);
    chart.Loading = true;
    Left().SetMinimum(5);
    chart.Loading = false;
    Left().ComputeDataRange();
    EXPECT_EQ(Left().WorkMin(), 5);
    EXPECT_EQ(Left().WorkMax(), 3);
    Left().ComputePositions();
    Left().ApplyPixelMargins(0, 0);
    EXPECT_DOUBLE_EQ(Left().WorkMin(), 3);
    EXPECT_DOUBLE_EQ(Left().WorkMax(), 5);
}

TEST_F(AxisScaling, AxisWithoutPixelsCollapsesToZero) {
    AddPeriods(10, 3);
    chart.Rect = {50, 20, 50, 170};
    Bottom().ComputeDataRange();
    Bottom().ComputePositions();
    EXPECT_EQ(Bottom().PixelToValue(60), 0);
    Bottom().ApplyPixelMargins(0, 0);
    EXPECT_EQ(Bottom().WorkMin(), 0);
    EXPECT_EQ(Bottom().WorkMax(), 0);
}

TEST_F(AxisScaling, WorkedExampleIncrements) {
    AddPeriods(200, 6);
    EXPECT_EQ(Increment(Left()), 1);
    chart.Surface.SetTextWidthOf("100.5", 27);
    EXPECT_EQ(Increment(Bottom()), 20);
    chart.Rect = {50, 20, 450, 80};
    EXPECT_EQ(Increment(Left()), 2) << "60 pixels: four labels";
}

TEST_F(AxisScaling, DesiredIncrementIsALowerBound) {
    AddPeriods(200, 6);
    Left().SetIncrement(0.1);
    EXPECT_EQ(Increment(Left()), 1);
    Left().SetIncrement(3);
    EXPECT_EQ(Increment(Left()), 3);
}

TEST_F(AxisScaling, FewPointsGetAWholeIncrement) {
    AddPeriods(5, 6);
    EXPECT_EQ(Increment(Bottom()), 1);
}

TEST_F(AxisScaling, NoRoomForALabelGivesTheSmallestIncrement) {
    AddPeriods(10, 6);
    chart.Rect = {50, 20, 450, 25};
    EXPECT_EQ(Increment(Left()), TChartAxis::MinIncrement);
}

TEST_F(AxisScaling, AutomaticFlagsWhileAndAfterLoading) {
    TChartAxis& axis = chart.Axes.Right();
    chart.Loading = true;
    axis.SetAutomatic(false);
    EXPECT_TRUE(axis.AutomaticMinimum());
    EXPECT_TRUE(axis.AutomaticMaximum());
    axis.SetMinimum(10);
    axis.SetMaximum(5);
    EXPECT_EQ(axis.Minimum(), 10) << "no range checks while loading";
    chart.Loading = false;

    axis.SetAutomatic(true);
    EXPECT_TRUE(axis.AutomaticMinimum());
    EXPECT_TRUE(axis.AutomaticMaximum());
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

TEST_F(AxisScaling, InvalidSettingsRaiseAndKeepTheOldValue) {
    TChartAxis& axis = Bottom();
    axis.SetAxisRange(0, 10);
    try {
        axis.SetMinimum(11);
        FAIL();
    } catch (const AxisException& e) {
        EXPECT_STREQ(e.what(), "Axis Minimum Value must be <= Maximum");
    }
    EXPECT_EQ(axis.Minimum(), 0);
    try {
        axis.SetMaximum(-1);
        FAIL();
    } catch (const AxisException& e) {
        EXPECT_STREQ(e.what(), "Axis Maximum Value must be >= Minimum");
    }
    EXPECT_EQ(axis.Maximum(), 10);
    axis.SetIncrement(2);
    try {
        axis.SetIncrement(-0.5);
        FAIL();
    } catch (const AxisException& e) {
        EXPECT_STREQ(e.what(), "Axis increment must be >= 0");
    }
    EXPECT_EQ(axis.Increment(), 2);
    axis.SetMinimum(10);
    EXPECT_EQ(axis.Minimum(), 10) << "equal ends are allowed";
}

TEST_F(AxisScaling, SettersAskForARepaintOnlyOnChange) {
    chart.Repaints = 0;
    Bottom().SetLabelsSeparation(10);
    Bottom().SetInverted(false);
    EXPECT_EQ(chart.Repaints, 0);
    Bottom().SetTickLength(6);
    Bottom().Title().SetCaption("12 hour periods");
    Bottom().Grid().SetColor(clRed);
    Bottom().LabelsFont().SetColor(clBlue);
    EXPECT_EQ(chart.Repaints, 4);
}

TEST_F(AxisScaling, SetAxisRange) {
    chart.Repaints = 0;
    Bottom().SetAxisRange(2, 2);
    EXPECT_EQ(Bottom().Minimum(), 2);
    EXPECT_EQ(Bottom().Maximum(), 2 + 1e-10);
    EXPECT_FALSE(Bottom().Automatic());
    EXPECT_FALSE(Bottom().AutomaticMinimum());
    EXPECT_FALSE(Bottom().AutomaticMaximum());
    EXPECT_EQ(chart.Repaints, 1);
    Bottom().SetAxisRange(9, 3);
    EXPECT_EQ(Bottom().Minimum(), 3);
    EXPECT_EQ(Bottom().Maximum(), 9);
}

TEST_F(AxisScaling, ScrollAxisByWithAndWithoutLimits) {
    AddPeriods(10, 6);
    TChartAxis& axis = Left();
    axis.ComputeDataRange();
    EXPECT_EQ(axis.Maximum(), 6);
    chart.Repaints = 0;
    axis.ScrollAxisBy(1, true);
    EXPECT_EQ(axis.Maximum(), 6) << "already showing the data maximum";
    EXPECT_TRUE(axis.AutomaticMaximum());
    axis.ScrollAxisBy(-1, true);
    EXPECT_EQ(axis.Minimum(), 0) << "already showing the data minimum";
    axis.ScrollAxisBy(0, true);
    EXPECT_EQ(chart.Repaints, 0);

    axis.ScrollAxisBy(1, false);
    EXPECT_EQ(axis.Minimum(), 1);
    EXPECT_EQ(axis.Maximum(), 7);
    EXPECT_FALSE(axis.AutomaticMaximum());
    EXPECT_EQ(chart.Repaints, 1);
    axis.ScrollAxisBy(-0.5, true);
    EXPECT_EQ(axis.Minimum(), 0.5) << "data below the minimum: scrolling down is allowed";
    EXPECT_EQ(axis.Maximum(), 6.5);
    axis.ScrollAxisBy(0.5, true);
    EXPECT_EQ(axis.Maximum(), 6.5) << "no data above 6";
}

} // namespace
} // namespace mouldview::chart
