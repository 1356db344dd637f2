// What one full frame costs through the drawing surface at the window sizes the program meets: a
// chart-like picture (panel fill, bevel, back wall, dotted grid, labels, a rotated title and a
// clipped series line of many points) drawn into the buffer and copied to the window.
#include "chart/canvas/Canvas.h"
#include "chart/canvas/ChartCanvas3D.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <string>
#include <vector>

namespace mouldview::chart {
namespace {

void PaintFrame(TChartCanvas3D& surface, TCanvas& window, const TRect& bounds,
                const std::vector<TPoint>& curve, TChartFont& font) {
    const TView3DOptions options;
    const TRect area = surface.BeginFrame(window, &options, bounds, false, clBtnFace);
    TChartBrush brush;
    surface.ApplyBrush(brush, clBtnFace, clNone);
    surface.FillRect(area);
    TRect frame = area;
    surface.BevelFrame(frame, clBtnHighlight, clBtnShadow, 1);
    const TRect wall{area.Left + 40, area.Top + 20, area.Right - 20, area.Bottom - 30};
    surface.ApplyPen(TChartPen(), clBlack);
    surface.ApplyBrush(brush, clWhite, clNone);
    surface.Rectangle(wall);
    const TDottedGrayPen grid;
    surface.ApplyPen(grid, grid.Color());
    surface.ApplyFont(font);
    surface.SetBackgroundMode(cbmTransparent);
    surface.SetTextAlignment(TA_RIGHT | TA_TOP);
    for (int i = 0; i <= 6; ++i) {
        const int y = wall.Bottom - 1 - i * (wall.Height() - 1) / 6;
        surface.HorizontalLine(wall.Left + 1, wall.Right - 1, y);
        surface.TextOut(wall.Left - 4, y - 6, std::to_string(i));
    }
    surface.SetTextAlignment(TA_CENTER | TA_TOP);
    surface.TextOutRotated(area.Left + 6, (wall.Top + wall.Bottom) / 2, 90.0, "Mould index");
    surface.ClipToRect(TRect{wall.Left + 1, wall.Top + 1, wall.Right - 1, wall.Bottom - 1});
    surface.ApplyPen(TChartPen(), clBlue);
    surface.Polyline(curve);
    surface.RemoveClip();
    surface.ResetDrawingDefaults();
    surface.EndFrame(window, bounds);
}

void BM_FullFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const auto points = static_cast<std::size_t>(state.range(2));
    TBitmapCanvas window(width, height);
    TChartCanvas3D surface(window.Canvas());
    TChartFont font;
    std::vector<TPoint> curve(points);
    for (std::size_t i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(points);
        curve[i] = TPoint{40 + static_cast<int>(t * (width - 60)),
                          height / 2 + static_cast<int>(std::sin(t * 40.0) * height / 3)};
    }
    for (auto _ : state) {
        surface.MarkDirty();
        PaintFrame(surface, window.Canvas(), TRect{0, 0, width, height}, curve, font);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FullFrame)
    ->Args({447, 202, 730})
    ->Args({1920, 1080, 730})
    ->Args({1920, 1080, 73000})
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mouldview::chart
