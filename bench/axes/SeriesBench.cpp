// Filling a line series the way the result window does: ascending X, one repaint request per
// point.
#include "bench/axes/BenchChart.h"
#include "chart/series/LineSeries.h"

#include <benchmark/benchmark.h>

namespace mouldview::bench {
namespace {

void AddPointAscending(benchmark::State& state) {
    const auto count = static_cast<int>(state.range(0));
    BenchChart chart;
    chart::TLineSeries series;
    series.SetParentChart(&chart);
    for (auto _ : state) {
        series.ClearPoints();
        for (int k = 1; k <= count; ++k) {
            series.AddPoint(k, (k % 1000) * 0.006);
        }
        benchmark::DoNotOptimize(series.PointCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
// 73,000 points: the mould index of a 100-year climate file, the longest realistic input.
BENCHMARK(AddPointAscending)->Arg(73'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mouldview::bench
