// Full paints of the result window's chart (layout, axes with real text, both series) and the
// repaint of an unchanged chart, which only copies the off-screen buffer to the window.
#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"
#include "tests/support/WindowChartLayout.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace mouldview::chart {
namespace {

// The result window's chart filled with `count` periods: a mould index that rises and falls in
// yearly waves between 0 and about 3, and the reference line at 1.
struct BenchChart {
    // withReference: the reference line gets its `count` points too, as in the program.
    BenchChart(int width, int height, int count, bool withReference = true) {
        Chart.SetSize(width, height);
        test::ApplyWindowChartLayout(Chart, Series2, Series1);
        for (int k = 1; withReference && k <= count; ++k) {
            Series2.AddPoint(k, 1.0);
        }
        for (int k = 1; k <= count; ++k) {
            const double phase = 2 * 3.14159265358979 * k / 730.0;
            Series1.AddPoint(k, 1.5 + 1.5 * std::sin(phase) * std::cos(k * 0.01));
        }
    }

    void FullPaint() {
        Chart.RequestRepaint();
        Chart.HandlePaint();
    }

    TChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
};

void BM_FullPaint(benchmark::State& state) {
    const bool withReference = state.range(3) != 0;
    BenchChart c(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)),
                 static_cast<int>(state.range(2)), withReference);
    c.FullPaint();
    for (auto _ : state) {
        c.FullPaint();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(2) * (withReference ? 2 : 1));
}
// Arguments: width, height, points of Series1, whether Series2 has as many.
BENCHMARK(BM_FullPaint)
    ->Args({447, 202, 730, 1})
    ->Args({1920, 1080, 100'000, 0})
    ->Args({1920, 1080, 100'000, 1})
    ->Args({1920, 1080, 1'000'000, 0})
    ->Args({1920, 1080, 1'000'000, 1})
    ->Unit(benchmark::kMillisecond);

void BM_CleanRepaint(benchmark::State& state) {
    BenchChart c(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 730);
    c.FullPaint();
    for (auto _ : state) {
        c.Chart.HandlePaint();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CleanRepaint)->Args({447, 202})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mouldview::chart
