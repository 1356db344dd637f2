// A repaint with nothing changed must cost one block copy of the window-sized buffer: compare
// RepaintFromBuffer of a clean 1920 x 1080 buffer with a plain memcpy of the same bytes.
#include "chart/canvas/ChartCanvas.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <vector>

namespace mouldview::chart {
namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

void BM_MemcpyOfTheWindowBytes(benchmark::State& state) {
    const std::vector<raster::Pixel> source(static_cast<std::size_t>(Width) * Height, 0x00F0F0F0);
    std::vector<raster::Pixel> target(source.size());
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size() * sizeof(raster::Pixel));
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(source.size() * sizeof(raster::Pixel)));
}
BENCHMARK(BM_MemcpyOfTheWindowBytes);

void BM_RepaintFromCleanBuffer(benchmark::State& state) {
    raster::Bitmap window(Width, Height);
    TChartCanvas surface(window);
    const TRect bounds{0, 0, Width, Height};
    const TRect area = surface.BeginFrame(bounds);
    surface.SetSolidBrush(clBtnFace);
    surface.FillRect(area);
    surface.EndFrame(bounds);
    for (auto _ : state) {
        const bool copied = surface.RepaintFromBuffer();
        benchmark::DoNotOptimize(copied);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Width) * Height * 4);
}
BENCHMARK(BM_RepaintFromCleanBuffer);

} // namespace
} // namespace mouldview::chart
