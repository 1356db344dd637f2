// Series and point colours: the colour list, the series colour setter and the palette choice.
#include "chart/series/LineSeries.h"
#include "chart/series/SeriesPalette.h"
#include "tests/series/SeriesTestChart.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace mouldview::chart {
namespace {

using test::SeriesTestChart;

TEST(PointColors, NoListUntilAnExplicitColour) {
    TLineSeries series;
    series.SetSeriesColor(clBlue);
    series.AddPoint(1, 1, "", clDefault);
    series.AddPoint(2, 2, "", clDefault);
    EXPECT_FALSE(series.HasPointColors());
    EXPECT_EQ(series.PointColor(0), clBlue);

    series.AddPoint(3, 3, "", clRed);
    EXPECT_TRUE(series.HasPointColors());
    EXPECT_EQ(series.PointColor(0), clBlue);
    EXPECT_EQ(series.PointColor(1), clBlue);
    EXPECT_EQ(series.PointColor(2), clRed);
    // Once the list exists even "not set" is stored, at the point's index.
    series.AddPoint(0, 0, "", clDefault);
    EXPECT_EQ(series.PointColor(0), clBlue);
    EXPECT_EQ(series.PointColor(3), clRed);
    series.AddPoint(5, 5, "", clNone);
    EXPECT_EQ(series.PointColor(4), clNone);
}

TEST(PointColors, LongSeriesKeepsValuesAndColoursInStep) {
    // Two million points take the large-block path of the storage for values and colours alike.
    TLineSeries series;
    series.AddPoint(0, 0, "", clDefault);
    for (int k = 1; k < 2'000'000; ++k) {
        series.AddPoint(k, -k, "", k % 3 == 0 ? clRed : clBlue);
    }
    series.AddPoint(1.5, 7, "", clGreen);
    ASSERT_EQ(series.PointCount(), 2'000'001);
    EXPECT_EQ(series.PointColor(0), series.EffectiveColor());
    EXPECT_EQ(series.PointColor(1), clBlue);
    EXPECT_EQ(series.PointColor(2), clGreen);
    EXPECT_EQ(series.Y(2), 7);
    EXPECT_EQ(series.PointColor(4), clRed) << "point 3, moved up by one";
    EXPECT_EQ(series.X(2'000'000), 1'999'999);
    EXPECT_EQ(series.PointColor(2'000'000), clBlue);
    EXPECT_EQ(series.MinY(), -1'999'999);
}

TEST(PointColors, ClearingDropsTheList) {
    TLineSeries series;
    series.AddPoint(1, 1, "", clRed);
    series.AddPoint(2, 1, "", clRed);
    series.ClearPoints();
    EXPECT_FALSE(series.HasPointColors());
    series.AddPoint(4, 1, "", clGreen);
    EXPECT_TRUE(series.HasPointColors());
    EXPECT_EQ(series.PointCount(), 1);
    EXPECT_EQ(series.PointColor(0), clGreen);
}

TEST(PointColors, ColorEachPointCyclesThePalette) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    series.SetColorEachPoint(true);
    for (int i = 0; i < 22; ++i) {
        series.AddPoint(i, i, "", clDefault);
    }
    EXPECT_EQ(series.PointColor(0), clRed);
    EXPECT_EQ(series.PointColor(3), clBlue);
    EXPECT_EQ(series.PointColor(20), clRed);
    EXPECT_EQ(series.PointColor(21), clGreen);
    chart.SetColorPalette({clBlack, clWhite});
    EXPECT_EQ(series.PointColor(3), clWhite);
}

TEST(SeriesColor, FirstFreePaletteColourOnAttach) {
    SeriesTestChart chart;
    TLineSeries series2;
    TLineSeries series1;
    series1.SetSeriesColor(clBlue);
    series2.SetParentChart(&chart);
    series1.SetParentChart(&chart);
    EXPECT_EQ(series2.SeriesColor(), clDefault);
    EXPECT_EQ(series2.AutoColor(), clRed);
    EXPECT_EQ(series2.EffectiveColor(), clRed);
    EXPECT_EQ(series1.EffectiveColor(), clBlue);

    TLineSeries third;
    third.SetParentChart(&chart);
    EXPECT_EQ(third.EffectiveColor(), clGreen);
}

TEST(SeriesColor, BackgroundAndBackWallColoursAreSkipped) {
    SeriesTestChart chart;
    chart.Color = clRed;
    chart.WallColor = clGreen;
    TLineSeries series;
    series.SetParentChart(&chart);
    EXPECT_EQ(series.EffectiveColor(), clYellow);
}

TEST(SeriesColor, LastPaletteEntryWhenAllOthersAreTaken) {
    SeriesTestChart chart;
    std::vector<std::unique_ptr<TLineSeries>> taken;
    for (int i = 0; i < 19; ++i) {
        taken.push_back(std::make_unique<TLineSeries>());
        taken.back()->SetSeriesColor(DefaultSeriesPalette[static_cast<std::size_t>(i)]);
        taken.back()->SetParentChart(&chart);
    }
    TLineSeries next;
    next.SetParentChart(&chart);
    EXPECT_EQ(next.EffectiveColor(), clMedGray);
    TLineSeries another;
    another.SetParentChart(&chart);
    EXPECT_EQ(another.EffectiveColor(), clMedGray) << "returned without testing whether it is free";
}

TEST(SeriesColor, StoredColourWinsInEitherOrder) {
    SeriesTestChart chart;
    TLineSeries before;
    before.SetSeriesColor(clBlue);
    before.SetParentChart(&chart);
    EXPECT_EQ(before.EffectiveColor(), clBlue);

    TLineSeries after;
    after.SetParentChart(&chart);
    EXPECT_EQ(after.AutoColor(), clRed);
    after.SetSeriesColor(clNavy);
    EXPECT_EQ(after.SeriesColor(), clNavy);
    EXPECT_EQ(after.AutoColor(), clNavy);
}

TEST(SeriesColor, SettingTheAutoColourOnAnUnsetSeriesChangesNothing) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    chart.Repaints = 0;
    series.SetSeriesColor(clRed);
    EXPECT_EQ(series.SeriesColor(), clDefault);
    EXPECT_EQ(chart.Repaints, 0);
    series.SetSeriesColor(clLime);
    EXPECT_EQ(series.SeriesColor(), clLime);
    EXPECT_EQ(chart.Repaints, 1);
    series.SetSeriesColor(clLime);
    EXPECT_EQ(chart.Repaints, 1);
}

TEST(SeriesColor, ExceptSeriesDoesNotBlockItsOwnColour) {
    SeriesTestChart chart;
    TLineSeries series;
    series.SetParentChart(&chart);
    EXPECT_FALSE(chart.IsSeriesColorFree(clRed, false, nullptr));
    EXPECT_TRUE(chart.IsSeriesColorFree(clRed, false, &series));
    EXPECT_EQ(chart.FindFreeSeriesColor(true, &series), clRed);
}

} // namespace
} // namespace mouldview::chart
