// Series data: adding and clearing points, labels, notifications, axis binding and the visible range.
#include "chart/series/LineSeries.h"
#include "tests/series/SeriesTestChart.h"

#include <gtest/gtest.h>
#include <memory>

namespace mouldview::chart {
namespace {

using test::SeriesTestChart;

TEST(Series, YFollowsItsXWhateverTheYOrder) {
    TLineSeries series;
    series.YValues().SetOrder(loDescending);
    series.AddPoint(1, 10, "", clDefault);
    series.AddPoint(3, 30, "", clDefault);
    EXPECT_EQ(series.AddPoint(2, 20, "", clDefault), 1);
    ASSERT_EQ(series.PointCount(), 3);
    EXPECT_EQ(series.Y(0), 10);
    EXPECT_EQ(series.Y(1), 20);
    EXPECT_EQ(series.Y(2), 30);
    EXPECT_EQ(series.MinX(), 1);
    EXPECT_EQ(series.MaxY(), 30);
}

TEST(Series, EqualXKeepTheirAddingOrder) {
    TLineSeries series;
    series.AddPoint(1, 1, "", clDefault);
    series.AddPoint(2, 2, "", clDefault);
    series.AddPoint(3, 3, "", clDefault);
    EXPECT_EQ(series.AddPoint(2, 99, "", clDefault), 2);
    EXPECT_EQ(series.Y(1), 2);
    EXPECT_EQ(series.Y(2), 99);
    EXPECT_EQ(series.X(3), 3);
}

TEST(Series, EmptySeriesReportsZeroExtents) {
    TLineSeries series;
    EXPECT_EQ(series.MinX(), 0);
    EXPECT_EQ(series.MaxX(), 0);
    EXPECT_EQ(series.MinY(), 0);
    EXPECT_EQ(series.MaxY(), 0);
}

TEST(Series, RefusedPointIsNotStored) {
    TLineSeries series;
    int afterAdds = 0;
    series.OnBeforeAdd = [](TChartSeries& s) { return s.PointCount() < 2; };
    series.OnAfterAdd = [&](TChartSeries&, int) { ++afterAdds; };
    EXPECT_EQ(series.AddPoint(1, 1, "", clDefault), 0);
    EXPECT_EQ(series.AddPoint(2, 2, "", clDefault), 1);
    EXPECT_EQ(series.AddPoint(3, 3, "", clDefault), -1);
    EXPECT_EQ(series.PointCount(), 2);
    EXPECT_EQ(afterAdds, 2);
}

TEST(Series, LabelsAreKeptPerPointOnceOneIsGiven) {
    TLineSeries series;
    series.AddPoint(1, 1, "", clDefault);
    EXPECT_FALSE(series.HasPointLabels());
    series.AddPoint(3, 3, "three", clDefault);
    series.AddPoint(2, 2, "", clDefault);
    series.AddPoint(0, 0, "zero", clDefault);
    EXPECT_EQ(series.PointLabel(0), "zero");
    EXPECT_EQ(series.PointLabel(1), "");
    EXPECT_EQ(series.PointLabel(2), "");
    EXPECT_EQ(series.PointLabel(3), "three");
    series.ClearPoints();
    EXPECT_FALSE(series.HasPointLabels());
}

TEST(Series, AddAndClearAskActiveSeriesOnlyForARepaint) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    chart.Repaints = 0;
    series.AddPoint(1, 1, "", clRed);
    EXPECT_EQ(chart.Repaints, 1);
    series.SetActive(false);
    chart.Repaints = 0;
    series.AddPoint(2, 2, "", clRed);
    series.ClearPoints();
    EXPECT_EQ(chart.Repaints, 0);
    series.SetActive(true);
    chart.Repaints = 0;
    series.BeginUpdate();
    series.AddPoint(1, 1, "", clRed);
    series.AddPoint(2, 1, "", clRed);
    EXPECT_EQ(chart.Repaints, 0);
    series.EndUpdate();
    EXPECT_EQ(chart.Repaints, 1);
    series.ClearPoints();
    EXPECT_EQ(chart.Repaints, 2);
    EXPECT_EQ(series.PointCount(), 0);
    EXPECT_EQ(series.XValues().Capacity(), 0);
}

TEST(Series, AttachingAppendsOnceAndDestroyingDetaches) {
    SeriesTestChart chart;
    auto series2 = std::make_unique<TLineSeries>();
    TLineSeries series1;
    series2->SetParentChart(&chart);
    series1.SetParentChart(&chart);
    chart.AttachToChart(series1);
    ASSERT_EQ(chart.SeriesCount(), 2);
    EXPECT_EQ(&chart.Series(0), series2.get());
    EXPECT_EQ(&chart.Series(1), &series1);
    series2.reset();
    ASSERT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(&chart.Series(0), &series1);
    series1.SetParentChart(nullptr);
    EXPECT_EQ(chart.SeriesCount(), 0);
    EXPECT_EQ(series1.BoundHorizAxis(), nullptr);
}

TEST(Series, SeriesOutlivingItsChartIsDetached) {
    TLineSeries series;
    {
        SeriesTestChart chart;
        series.SetParentChart(&chart);
        series.AddPoint(1, 1, "", clDefault);
    }
    EXPECT_EQ(series.ParentChart(), nullptr);
    series.ClearPoints();
    series.AddPoint(1, 1, "", clDefault);
    EXPECT_EQ(series.PointCount(), 1);
}

TEST(Series, BindsAxesByItsAxisSettings) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    EXPECT_EQ(series.BoundHorizAxis(), &chart.Bottom);
    EXPECT_EQ(series.BoundVertAxis(), &chart.Left);
    EXPECT_TRUE(series.IsAssociatedToAxis(chart.Bottom));
    EXPECT_TRUE(series.IsAssociatedToAxis(chart.Left));
    EXPECT_FALSE(series.IsAssociatedToAxis(chart.Top));
    EXPECT_FALSE(series.IsAssociatedToAxis(chart.Right));
    EXPECT_EQ(series.ValueListForAxis(chart.Bottom), &series.XValues());
    EXPECT_EQ(series.ValueListForAxis(chart.Left), &series.YValues());
    EXPECT_EQ(series.ValueListForAxis(chart.Right), nullptr);

    series.SetHorizAxis(aTopAxis);
    series.SetVertAxis(aRightAxis);
    EXPECT_EQ(series.BoundHorizAxis(), &chart.Top);
    EXPECT_EQ(series.BoundVertAxis(), &chart.Right);

    series.SetHorizAxis(aBothHorizAxis);
    series.SetVertAxis(aBothVertAxis);
    EXPECT_EQ(series.BoundHorizAxis(), &chart.Bottom);
    EXPECT_TRUE(series.IsAssociatedToAxis(chart.Top));
    EXPECT_TRUE(series.IsAssociatedToAxis(chart.Bottom));
    EXPECT_TRUE(series.IsAssociatedToAxis(chart.Right));

    test::LinearAxis custom(false);
    series.SetVertAxis(aCustomVertAxis);
    EXPECT_EQ(series.BoundVertAxis(), &chart.Left) << "no custom axis set yet";
    series.SetCustomVertAxis(&custom);
    EXPECT_EQ(series.BoundVertAxis(), &custom);
    EXPECT_TRUE(series.IsAssociatedToAxis(custom));
    EXPECT_FALSE(series.IsAssociatedToAxis(chart.Left));
}

class VisibleRange : public ::testing::Test {
protected:
    void SetUp() override {
        series.SetParentChart(&chart);
        for (int x = 1; x <= 10; ++x) {
            series.AddPoint(x, x * x, "", clDefault);
        }
        chart.Rect = {0, 0, 100, 50};
        chart.Bottom.Start = 0;
        chart.Bottom.End = 100;
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

TEST_F(VisibleRange, KeepsThePointOnOrBeyondTheRightEdge) {
    ShowX(2.5, 6.5);
    EXPECT_EQ(series.FirstVisible(), 2);
    EXPECT_EQ(series.LastVisible(), 6);
    ShowX(3, 7);
    EXPECT_EQ(series.FirstVisible(), 2);
    EXPECT_EQ(series.LastVisible(), 6);
}

TEST_F(VisibleRange, InvertedAxisReadsEdgesTheOtherWayRound) {
    chart.Bottom.InvertedFlag = true;
    ShowX(2.5, 6.5);
    EXPECT_EQ(series.FirstVisible(), 2);
    EXPECT_EQ(series.LastVisible(), 6);
}

TEST_F(VisibleRange, UnorderedXShowsAllAndClearingResets) {
    series.XValues().SetOrder(loNone);
    ShowX(100, 200);
    EXPECT_EQ(series.FirstVisible(), 0);
    EXPECT_EQ(series.LastVisible(), 9);
    series.ClearPoints();
    EXPECT_EQ(series.FirstVisible(), -1);
    series.CalcVisibleRange();
    EXPECT_EQ(series.LastVisible(), -1);
}

} // namespace
} // namespace mouldview::chart
