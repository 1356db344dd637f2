// Axis layout and drawing over random ranges, sizes and settings: every paint ends, draws a bounded
// number of labels, and keeps every pixel coordinate within the clamp.
#include "chart/series/LineSeries.h"
#include "tests/axes/AxisTestChart.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace mouldview::chart {
namespace {

double RandomEnd(std::mt19937_64& random) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_real_distribution<double> unit(-1, 1);
    std::uniform_int_distribution<int> exponent(-320, 307);
    switch (kind(random)) {
    case 0:
        return 0;
    case 1:
        return unit(random) * std::pow(10.0, exponent(random));
    case 2:
        return std::numeric_limits<double>::max() * unit(random);
    default:
        return unit(random) * std::pow(10.0, std::uniform_int_distribution<int>(-12, 9)(random));
    }
}

TEST(AxisRandom, EveryPaintEndsWithBoundedLabelsAndClampedPixels) {
    std::mt19937_64 random(2024);
    std::uniform_int_distribution<int> size(0, 4000);
    std::uniform_int_distribution<int> coin(0, 1);
    for (int round = 0; round < 600; ++round) {
        test::AxisTestChart chart;
        TLineSeries series;
        series.SetParentChart(&chart);
        const int width = size(random);
        const int height = size(random);
        chart.Rect = {10, 10, 10 + width, 10 + height};
        for (int i = 0; i < 5; ++i) {
            series.AddPoint(RandomEnd(random), RandomEnd(random));
        }
        for (TChartAxis* axis : {&chart.Bottom, &chart.Left}) {
            if (coin(random) == 1) {
                // Equal ends stand for a zoom band of no height or width.
                const double a = RandomEnd(random);
                const double b = coin(random) == 1 ? a : RandomEnd(random);
                axis->SetAxisRange(a, b);
            }
            axis->Title().SetCaption("title");
            chart.Scale(*axis);
            axis->DrawAxis();
            ASSERT_LE(axis->TickPositions().size(), 10001U) << "round " << round;
            for (const int p : axis->TickPositions()) {
                ASSERT_LE(std::abs(p), TChartAxis::PixelLimit) << "round " << round;
            }
        }
    }
}

} // namespace
} // namespace mouldview::chart
