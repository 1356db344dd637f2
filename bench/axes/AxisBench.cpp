// One paint's work for the bottom and left axes of a chart with a million points: range from the
// cached statistics, positions, the room for title and labels, pixel margins, the increment and
// the labels, ticks and grid lines (text measured with fixed metrics and recorded, lines drawn
// into a 1920 x 1080 bitmap).
#include "bench/axes/BenchChart.h"
#include "chart/series/LineSeries.h"

#include <benchmark/benchmark.h>
#include <random>

namespace mouldview::bench {
namespace {

void AxisWork(benchmark::State& state, bool horizontal) {
    BenchChart chart;
    chart::TLineSeries series;
    series.SetParentChart(&chart);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> index(0, 6);
    for (int k = 1; k <= 1'000'000; ++k) {
        series.AddPoint(k, index(random));
    }
    chart::TChartAxis& axis = horizontal ? chart.Bottom : chart.Left;
    axis.Title().SetCaption(axis.Horizontal() ? "12 hour periods" : "Mould index");
    // The first paint after filling computes the statistics once.
    axis.ComputeDataRange();
    for (auto _ : state) {
        chart.Surface.ClearTextCalls();
        axis.ComputeDataRange();
        axis.ComputePositions();
        chart::TRect rect = chart.Rect;
        axis.ReserveAxisSpace(rect);
        axis.ComputePositions();
        axis.ApplyPixelMargins();
        axis.DrawAxis();
        benchmark::DoNotOptimize(axis.TickPositions().data());
    }
    state.counters["labels"] = static_cast<double>(axis.TickPositions().size());
}

void BottomAxisPaint(benchmark::State& state) {
    AxisWork(state, true);
}
void LeftAxisPaint(benchmark::State& state) {
    AxisWork(state, false);
}
BENCHMARK(BottomAxisPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(LeftAxisPaint)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mouldview::bench
