// What one full frame costs through the drawing surface at the window sizes the program meets: a
// chart-like picture (panel fill, bevel, back wall, dotted grid, labels, a rotated title and a
// clipped series line of many points) drawn into the buffer and copied to the window.
#include "chart/canvas/ChartCanvas.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <string>
#include <vector>

namespace mouldview::chart {
namespace {

void PaintFrame(TChartCanvas& surface, const TRect& bounds, const std::vector<TPoint>& curve,
                const TChartFont& font) {
    const TRect area = surface.BeginFrame(bounds);
    surface.SetSolidBrush(clBtnFace);
    surface.FillRect(area);
    TRect frame = area;
    surface.BevelFrame(frame, clBtnHighlight, clBtnShadow, 1);
    const TRect wall{area.Left + 40, area.Top + 20, area.Right - 20, area.Bottom - 30};
    surface.ApplyPen(clBlack);
    surface.SetSolidBrush(clWhite);
    surface.Rectangle(wall.Left, wall.Top, wall.Right, wall.Bottom);
    surface.ApplyPen(clGray, 1, psDot);
    surface.ApplyFont(font);
    surface.SetBackgroundMode(raster::BkMode::Transparent);
    surface.SetTextAlignment(raster::TA_RIGHT | raster::TA_TOP);
    for (int i = 0; i <= 6; ++i) {
        const int y = wall.Bottom - 1 - i * (wall.Height() - 1) / 6;
        surface.HorizontalLine(wall.Left + 1, wall.Right - 1, y);
        surface.TextOut(wall.Left - 4, y - 6, std::to_string(i));
    }
    surface.SetTextAlignment(raster::TA_CENTER | raster::TA_TOP);
    surface.TextOutRotated(area.Left + 6, (wall.Top + wall.Bottom) / 2, 90.0, "Mould index");
    surface.ClipToRect(TRect{wall.Left + 1, wall.Top + 1, wall.Right - 1, wall.Bottom - 1});
    surface.ApplyPen(clBlue);
    surface.Polyline(curve);
    surface.RemoveClip();
    surface.ResetDrawingDefaults();
    surface.EndFrame(bounds);
}

void BM_FullFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const auto points = static_cast<std::size_t>(state.range(2));
    raster::Bitmap window(width, height);
    TChartCanvas surface(window);
    const TChartFont font;
    std::vector<TPoint> curve(points);
    for (std::size_t i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) / static_cast<double>(points);
        curve[i] = TPoint{40 + static_cast<int>(t * (width - 60)),
                          height / 2 + static_cast<int>(std::sin(t * 40.0) * height / 3)};
    }
    for (auto _ : state) {
        surface.MarkDirty();
        PaintFrame(surface, TRect{0, 0, width, height}, curve, font);
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
