// Helpers of the surface tests: a surface over a small white bitmap, pixel reading in the chart's
// colour encoding, and PNG output of results for a look by eye.
#pragma once

#include "chart/canvas/Canvas.h"
#include "chart/canvas/ChartCanvas3D.h"
#include "platform/raster/Png.h"

#include <filesystem>
#include <string>

namespace mouldview::chart::test {

// A surface drawing straight on a white bitmap of its own (no frame, so no buffer involved).
struct Surface {
    explicit Surface(int width = 40, int height = 20) : Window(width, height), Canvas(Window.Canvas()) {}

    TColor At(int x, int y) const { return raster::FromPixel(Window.Bitmap().GetPixel(x, y)); }

    int CountOf(TColor color) const {
        int count = 0;
        for (int y = 0; y < Window.Bitmap().Height(); ++y) {
            for (int x = 0; x < Window.Bitmap().Width(); ++x) {
                count += At(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    bool AllWhite() const { return CountOf(clWhite) == Window.Bitmap().Width() * Window.Bitmap().Height(); }

    void SavePng(const std::string& name) const {
        std::filesystem::create_directories(CANVAS_TEST_OUTPUT_DIR);
        raster::WritePng(Window.Bitmap(), std::string(CANVAS_TEST_OUTPUT_DIR) + "/" + name + ".png");
    }

    TBitmapCanvas Window;
    TChartCanvas3D Canvas;
};

} // namespace mouldview::chart::test
