// Series data: adding and clearing points, repaint requests, joining and leaving a chart, the
// series colour from the palette, and the visible range.
#include "chart/series/LineSeries.h"
#include "chart/series/SeriesPalette.h"
#include "tests/series/SeriesTestChart.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace mouldview::chart {
namespace {

using test::SeriesTestChart;

TEST(Series, YFollowsItsXAndEqualXKeepTheirAddingOrder) {
    TLineSeries series;
    series.AddPoint(1, 10);
    series.AddPoint(3, 30);
    EXPECT_EQ(series.AddPoint(2, 20), 1);
    EXPECT_EQ(series.AddPoint(2, 99), 2) << "after the 2 already there";
    ASSERT_EQ(series.PointCount(), 4);
    EXPECT_EQ(series.Y(1), 20);
    EXPECT_EQ(series.Y(2), 99);
    EXPECT_EQ(series.X(3), 3);
    EXPECT_EQ(series.MinX(), 1);
    EXPECT_EQ(series.MaxY(), 99);

    TLineSeries empty;
    EXPECT_EQ(empty.MinX(), 0);
    EXPECT_EQ(empty.MaxY(), 0);
}

TEST(Series, AddingAndClearingAskTheChartForARepaint) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    chart.Repaints = 0;
    series.AddPoint(1, 1);
    EXPECT_EQ(chart.Repaints, 1);
    series.ClearPoints();
    EXPECT_EQ(chart.Repaints, 2);
    EXPECT_EQ(series.PointCount(), 0);
    EXPECT_EQ(series.XValues().Capacity(), 0) << "clearing releases the storage";
}

TEST(Series, AttachingAppendsOnceAndDestroyingASeriesDetachesIt) {
    SeriesTestChart chart;
    auto series2 = std::make_unique<TLineSeries>();
    TLineSeries series1;
    series2->SetParentChart(&chart);
    series1.SetParentChart(&chart);
    chart.AttachToChart(series1);
    EXPECT_EQ(chart.SeriesList(), (std::vector<TChartSeries*>{series2.get(), &series1}));
    EXPECT_EQ(series1.BoundHorizAxis(), &chart.Bottom);
    EXPECT_EQ(series1.BoundVertAxis(), &chart.Left);
    series2.reset();
    EXPECT_EQ(chart.SeriesList(), (std::vector<TChartSeries*>{&series1}));
    series1.SetParentChart(nullptr);
    EXPECT_TRUE(chart.SeriesList().empty());
    EXPECT_EQ(series1.BoundHorizAxis(), nullptr);
}

TEST(SeriesColor, FirstFreePaletteColourOnAttachAndAStoredColourWins) {
    SeriesTestChart chart;
    TLineSeries series2;
    TLineSeries series1;
    series2.SetParentChart(&chart);
    series1.SetParentChart(&chart);
    EXPECT_EQ(series2.SeriesColor(), clDefault);
    EXPECT_EQ(series2.EffectiveColor(), clRed);
    EXPECT_EQ(series1.EffectiveColor(), clGreen) << "red is taken";
    chart.Repaints = 0;
    series1.SetSeriesColor(clBlue);
    EXPECT_EQ(series1.EffectiveColor(), clBlue);
    EXPECT_EQ(chart.Repaints, 1);
    // Setting the colour a series already took changes nothing.
    series2.SetSeriesColor(clRed);
    EXPECT_EQ(series2.SeriesColor(), clDefault);
    EXPECT_EQ(chart.Repaints, 1);

    TLineSeries third;
    third.SetParentChart(&chart);
    EXPECT_EQ(third.EffectiveColor(), clGreen);
}

TEST(SeriesColor, TheLastPaletteEntryWhenAllOthersAreTaken) {
    SeriesTestChart chart;
    std::vector<std::unique_ptr<TLineSeries>> taken;
    for (int i = 0; i < 19; ++i) {
        taken.push_back(std::make_unique<TLineSeries>());
        taken.back()->SetSeriesColor(DefaultSeriesPalette[static_cast<std::size_t>(i)]);
        taken.back()->SetParentChart(&chart);
    }
    // Silver (index 13) is the back wall's colour: skipped in any case.
    TLineSeries next;
    next.SetParentChart(&chart);
    EXPECT_EQ(next.EffectiveColor(), clMedGray);
    TLineSeries another;
    another.SetParentChart(&chart);
    EXPECT_EQ(another.EffectiveColor(), clMedGray) << "returned without testing whether it is free";
}

class VisibleRange : public ::testing::Test {
protected:
    void SetUp() override {
        series.SetParentChart(&chart);
        for (int x = 1; x <= 10; ++x) {
            series.AddPoint(x, x * x);
        }
    }
    void ShowX(double min, double max) {
        chart.Bottom.Min = min;
        chart.Bottom.Max = max;
        series.CalcVisibleRange();
    }

    SeriesTestChart chart;
    TLineSeries series;
};

TEST_F(VisibleRange, AllInsideAllLeftAndAllRight) {
    ShowX(0, 20);
    EXPECT_EQ(series.FirstVisible(), 0);
    EXPECT_EQ(series.LastVisible(), 9);
    ShowX(11, 20);
    EXPECT_EQ(series.FirstVisible(), -1);
    EXPECT_EQ(series.LastVisible(), -1);
    // Everything right of the range: the first point already lies beyond the right edge and is kept
    // as the end of the segment that would enter the plot.
    ShowX(-5, 0.5);
    EXPECT_EQ(series.FirstVisible(), 0);
    EXPECT_EQ(series.LastVisible(), 0);
}

TEST_F(VisibleRange, KeepsThePointOnOrBeyondTheRightEdgeAndClearingResets) {
    ShowX(2.5, 6.5);
    EXPECT_EQ(series.FirstVisible(), 2);
    EXPECT_EQ(series.LastVisible(), 6);
    ShowX(3, 7);
    EXPECT_EQ(series.FirstVisible(), 2);
    EXPECT_EQ(series.LastVisible(), 6);
    series.ClearPoints();
    EXPECT_EQ(series.FirstVisible(), -1);
    EXPECT_EQ(series.LastVisible(), -1);
}

} // namespace
} // namespace mouldview::chart
