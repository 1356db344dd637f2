// Panning costs one full repaint per pointer move: the axes are re-ranged and the whole chart is
// laid out and drawn again. This times a move of the right-button drag plus the paint it asks for,
// on the result window's chart at 1920 x 1080 with two series of a million points each, and, for
// comparison, the pan step alone, the paint alone and a move of a zoom drag (two band rectangles,
// no paint).
#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"
#include "tests/support/WindowChartLayout.h"

#include <benchmark/benchmark.h>
#include <cmath>

namespace mouldview::chart {
namespace {

constexpr int PointCount = 1'000'000;

struct WindowChart {
    WindowChart() {
        Chart.SetSize(1920, 1080);
        test::ApplyWindowChartLayout(Chart, Series2, Series1);
        // A mould index that grows, decays and grows again over the years, as long runs do.
        for (int k = 1; k <= PointCount; ++k) {
            Series2.AddPoint(k, 1.0);
        }
        for (int k = 1; k <= PointCount; ++k) {
            const double t = static_cast<double>(k) / PointCount;
            Series1.AddPoint(k, 3 + 2.5 * std::sin(40 * t) * std::cos(7 * t));
        }
        Chart.HandlePaint();
    }

    void Pump() {
        if (Chart.PaintPending()) {
            Chart.HandlePaint();
        }
    }

    TChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
};

WindowChart& SharedChart() {
    static WindowChart chart;
    return chart;
}

// Pointer positions of a drag that sways left and right (and a little up and down) inside the plot.
TPoint SwayingPointer(const TRect& r, long long step) {
    const int cx = (r.Left + r.Right) / 2;
    const int cy = (r.Top + r.Bottom) / 2;
    const int phase = static_cast<int>(step % 80);
    const int dx = phase < 40 ? phase * 5 - 100 : (80 - phase) * 5 - 100;
    return TPoint{cx + dx, cy + dx / 10};
}

void BM_PanStepAndRepaint(benchmark::State& state) {
    WindowChart& w = SharedChart();
    const TRect r = w.Chart.ChartRect();
    long long step = 0;
    const TPoint start = SwayingPointer(r, step);
    w.Chart.MouseDown(platform::MouseButton::mbRight, start.X, start.Y);
    for (auto _ : state) {
        const TPoint p = SwayingPointer(r, ++step);
        w.Chart.MouseMove(p.X, p.Y);
        w.Pump();
    }
    w.Chart.MouseUp(platform::MouseButton::mbRight, start.X, start.Y);
    w.Chart.UndoZoom();
    w.Pump();
    benchmark::DoNotOptimize(w.Chart.WindowBitmap().Data());
}
BENCHMARK(BM_PanStepAndRepaint)->Unit(benchmark::kMillisecond);

// The pan's own share: the axes re-ranged and a paint requested, without the paint.
void BM_PanStepOnly(benchmark::State& state) {
    WindowChart& w = SharedChart();
    const TRect r = w.Chart.ChartRect();
    long long step = 0;
    const TPoint start = SwayingPointer(r, step);
    w.Chart.MouseDown(platform::MouseButton::mbRight, start.X, start.Y);
    for (auto _ : state) {
        const TPoint p = SwayingPointer(r, ++step);
        w.Chart.MouseMove(p.X, p.Y);
    }
    w.Chart.MouseUp(platform::MouseButton::mbRight, start.X, start.Y);
    w.Chart.UndoZoom();
    w.Pump();
    benchmark::DoNotOptimize(w.Chart.BottomAxis()->Minimum());
}
BENCHMARK(BM_PanStepOnly)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
    WindowChart& w = SharedChart();
    for (auto _ : state) {
        w.Chart.RequestRepaint();
        w.Pump();
    }
    benchmark::DoNotOptimize(w.Chart.WindowBitmap().Data());
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);

void BM_ZoomDragMove(benchmark::State& state) {
    WindowChart& w = SharedChart();
    const TRect r = w.Chart.ChartRect();
    long long step = 0;
    w.Chart.MouseDown(platform::MouseButton::mbLeft, r.Left + 20, r.Top + 20);
    for (auto _ : state) {
        const TPoint p = SwayingPointer(r, ++step);
        w.Chart.MouseMove(p.X + 500, p.Y + 300);
    }
    // Released where it started: too small to act.
    w.Chart.MouseUp(platform::MouseButton::mbLeft, r.Left + 20, r.Top + 20);
    benchmark::DoNotOptimize(w.Chart.WindowBitmap().Data());
}
BENCHMARK(BM_ZoomDragMove)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mouldview::chart
