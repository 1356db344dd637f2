// One paint's work for the bottom and left axes of a chart with a million points: range from the
// cached statistics, positions, the room for title and labels, pixel margins, the increment and
// the labels, ticks and grid lines (text measured with fixed metrics and recorded). The "Layout"
// cases count the lines instead of rasterising them; the "Paint" cases draw them into a
// 1920 x 1080 bitmap.
#include "bench/axes/BenchChart.h"
#include "chart/series/LineSeries.h"

#include <benchmark/benchmark.h>
#include <random>

namespace mouldview::bench {
namespace {

void AxisWork(benchmark::State& state, int axisIndex, bool rasterise) {
    BenchChart chart;
    chart.Surface.Rasterise = rasterise;
    chart::TLineSeries series;
    series.SetParentChart(&chart);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> index(0, 6);
    for (int k = 1; k <= 1'000'000; ++k) {
        series.AddPoint(k, index(random), "", chart::clBlue);
    }
    chart::TChartAxis& axis = chart.Axes[axisIndex];
    axis.Title().SetCaption(axis.Horizontal() ? "12 hour periods" : "Mould index");
    // The first paint after filling computes the statistics once.
    axis.ComputeDataRange();
    for (auto _ : state) {
        chart.Surface.ClearTextCalls();
        axis.ComputeDataRange();
        axis.ComputePositions();
        chart::TRect rect = chart.Rect;
        axis.ReserveAxisSpace(rect, true);
        axis.ComputePositions();
        axis.ApplySeriesMargins();
        axis.DrawAxis();
        benchmark::DoNotOptimize(axis.TickPositions().data());
    }
    state.counters["labels"] = static_cast<double>(axis.TickPositions().size());
}

void BottomAxisLayout(benchmark::State& state) {
    AxisWork(state, 0, false);
}
void LeftAxisLayout(benchmark::State& state) {
    AxisWork(state, 2, false);
}
void BottomAxisPaint(benchmark::State& state) {
    AxisWork(state, 0, true);
}
void LeftAxisPaint(benchmark::State& state) {
    AxisWork(state, 2, true);
}
BENCHMARK(BottomAxisLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(LeftAxisLayout)->Unit(benchmark::kMicrosecond);
BENCHMARK(BottomAxisPaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(LeftAxisPaint)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mouldview::bench
