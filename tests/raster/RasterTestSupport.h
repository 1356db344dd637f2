// Helpers shared by the raster tests: pixel sets of a bitmap and the output directory for PNGs.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Png.h"

#include <filesystem>
#include <set>
#include <string>
#include <utility>

namespace mouldview::raster::test {

constexpr Pixel white = 0x00FFFFFF;
constexpr Pixel black = 0x00000000;

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel whose value differs from `background`, as (x, y).
inline PixelSet PaintedPixels(const Bitmap& bitmap, Pixel background = white) {
    PixelSet painted;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if (bitmap.Row(y)[x] != background)
                painted.insert({x, y});
    return painted;
}

inline Rect BoundingBox(const PixelSet& pixels) {
    if (pixels.empty())
        return Rect{};
    Rect box{pixels.begin()->first, pixels.begin()->second, pixels.begin()->first + 1,
             pixels.begin()->second + 1};
    for (const auto& [x, y] : pixels) {
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
    }
    return box;
}

// Stores a drawing as <output dir>/<name>.png for looking at it.
inline void SaveForInspection(const Bitmap& bitmap, const std::string& name) {
    const std::filesystem::path dir(RASTER_TEST_OUTPUT_DIR);
    std::filesystem::create_directories(dir);
    WritePng(bitmap, (dir / (name + ".png")).string());
}

} // namespace mouldview::raster::test
