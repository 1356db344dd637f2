// Throughput of the raster layer on a 1920 x 1080 bitmap: a full-window fill plus 10,000 random
// 1-pixel segments, 1,000 short labels drawn from the glyph cache, and the block copy of the
// whole bitmap measured against a plain memcpy of the same bytes.
#include "platform/raster/DeviceContext.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace mouldview::raster {
namespace {

constexpr int width = 1920;
constexpr int height = 1080;

struct Segment {
    Point a;
    Point b;
};

std::vector<Segment> RandomSegments(int count) {
    std::mt19937 random(42);
    std::uniform_int_distribution<int> x(0, width - 1);
    std::uniform_int_distribution<int> y(0, height - 1);
    std::vector<Segment> segments;
    for (int i = 0; i < count; ++i)
        segments.push_back(Segment{{x(random), y(random)}, {x(random), y(random)}});
    return segments;
}

void BM_FillAndCosmeticSegments(benchmark::State& state) {
    Bitmap bitmap(width, height);
    DeviceContext dc(bitmap);
    const std::vector<Segment> segments = RandomSegments(10000);
    long long pixelsPerFrame = static_cast<long long>(width) * height;
    for (const Segment& s : segments)
        pixelsPerFrame += std::max(std::abs(s.b.x - s.a.x), std::abs(s.b.y - s.a.y));
    const Brush face{BrushStyle::Solid, 0xF0F0F0, nullptr, false};
    dc.SetPen(MakePen(PenStyle::Solid, 1, 0xFF0000));
    for (auto _ : state) {
        dc.FillRect(Rect{0, 0, width, height}, face);
        for (const Segment& s : segments) {
            dc.MoveTo(s.a.x, s.a.y);
            dc.LineTo(s.b.x, s.b.y);
        }
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.counters["segments/s"] = benchmark::Counter(static_cast<double>(segments.size()),
                                                      benchmark::Counter::kIsIterationInvariantRate);
    state.counters["pixels/s"] = benchmark::Counter(static_cast<double>(pixelsPerFrame),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FillAndCosmeticSegments)->Unit(benchmark::kMillisecond);

// The segments alone (no fill), as a dotted pen draws them for grid lines.
void BM_DottedSegments(benchmark::State& state) {
    Bitmap bitmap(width, height);
    DeviceContext dc(bitmap);
    const std::vector<Segment> segments = RandomSegments(10000);
    long long pixels = 0;
    for (const Segment& s : segments)
        pixels += std::max(std::abs(s.b.x - s.a.x), std::abs(s.b.y - s.a.y));
    dc.SetPen(MakePen(PenStyle::Dot, 1, 0x808080));
    dc.SetBkMode(BkMode::Transparent);
    for (auto _ : state) {
        for (const Segment& s : segments) {
            dc.MoveTo(s.a.x, s.a.y);
            dc.LineTo(s.b.x, s.b.y);
        }
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DottedSegments)->Unit(benchmark::kMillisecond);

// 1,000 labels at 11-pixel height, all glyphs already cached. Range 0 lays them out in rows and
// columns as axis labels stand (neighbouring labels share bitmap rows); range 1 scatters them at
// random over the whole bitmap, where nearly every glyph row is a cache miss.
void BM_CachedLabels(benchmark::State& state) {
    Bitmap bitmap(width, height);
    DeviceContext dc(bitmap);
    FontDesc font;
    font.faceName = "Arial";
    font.height = HeightFromPoints(8);
    dc.SetFont(font);
    dc.SetBkMode(BkMode::Transparent);
    std::mt19937 random(5);
    std::vector<std::string> labels;
    std::vector<Point> places;
    const std::string characters = "0123456789.,-";
    for (int i = 0; i < 1000; ++i) {
        std::string label;
        const int length = 4 + static_cast<int>(random() % 5);
        for (int k = 0; k < length; ++k)
            label += characters[random() % characters.size()];
        labels.push_back(label);
        if (state.range(0) == 0)
            places.push_back(Point{10 + (i % 20) * 60, 10 + (i / 20) * 14});
        else
            places.push_back(
                Point{static_cast<int>(random() % (width - 80)), static_cast<int>(random() % (height - 20))});
    }
    for (std::size_t i = 0; i < labels.size(); ++i) // fill the cache
        dc.TextOut(places[i].x, places[i].y, labels[i]);
    for (auto _ : state) {
        for (std::size_t i = 0; i < labels.size(); ++i)
            dc.TextOut(places[i].x, places[i].y, labels[i]);
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.counters["labels/s"] = benchmark::Counter(1000.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_CachedLabels)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A 10,000-point series line drawn with a geometric pen of width 2 (round caps and joins), and the
// dotted width-2 zoom band around most of the window.
void BM_WidePolyline(benchmark::State& state) {
    Bitmap bitmap(width, height);
    DeviceContext dc(bitmap);
    std::mt19937 random(9);
    std::vector<Point> points;
    for (int i = 0; i < 10000; ++i)
        points.push_back(Point{i * width / 10000, 200 + static_cast<int>(random() % 600)});
    Pen pen = MakePen(PenStyle::Solid, 2, 0xFF0000);
    for (auto _ : state) {
        dc.SetPen(pen);
        dc.Polyline(points);
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.counters["segments/s"] = benchmark::Counter(9999.0, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_WidePolyline)->Unit(benchmark::kMillisecond);

void BM_ZoomBand(benchmark::State& state) {
    Bitmap bitmap(width, height);
    DeviceContext dc(bitmap);
    dc.SetPen(MakePen(PenStyle::Dot, 2, 0x0000FF));
    dc.SetRop2(RasterOp::NotXorPen);
    dc.SetBrush(Brush{BrushStyle::Clear, 0, nullptr, false});
    for (auto _ : state) {
        dc.Rectangle(50, 40, width - 50, height - 40);
        benchmark::DoNotOptimize(bitmap.Data());
    }
}
BENCHMARK(BM_ZoomBand)->Unit(benchmark::kMicrosecond);

void BM_BufferCopy(benchmark::State& state) {
    const Bitmap buffer(width, height, 0x00123456);
    Bitmap window(width, height);
    DeviceContext dc(window);
    for (auto _ : state) {
        dc.BitBlt(0, 0, buffer);
        benchmark::DoNotOptimize(window.Data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * width * height * 4);
}
BENCHMARK(BM_BufferCopy)->Unit(benchmark::kMicrosecond);

void BM_PlainMemcpy(benchmark::State& state) {
    const Bitmap buffer(width, height, 0x00123456);
    Bitmap window(width, height);
    const std::size_t bytes = static_cast<std::size_t>(width) * height * 4;
    for (auto _ : state) {
        std::memcpy(window.Data(), buffer.Data(), bytes);
        benchmark::DoNotOptimize(window.Data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<long long>(state.iterations()) * static_cast<long long>(bytes));
}
BENCHMARK(BM_PlainMemcpy)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace mouldview::raster
