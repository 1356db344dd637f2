// Helpers of the surface tests: a surface over a small white bitmap, pixels read in the chart's
// colour encoding.
#pragma once

#include "chart/canvas/ChartCanvas.h"

namespace mouldview::chart::test {

// A surface drawing straight on a white bitmap of its own (outside a frame).
struct Surface {
    explicit Surface(int width = 40, int height = 20) : Window(width, height), Canvas(Window) {}

    TColor At(int x, int y) const { return raster::FromPixel(Window.GetPixel(x, y)); }

    int CountOf(TColor color) const {
        int count = 0;
        for (int y = 0; y < Window.Height(); ++y) {
            for (int x = 0; x < Window.Width(); ++x) {
                count += At(x, y) == color ? 1 : 0;
            }
        }
        return count;
    }

    bool AllWhite() const { return CountOf(clWhite) == Window.Width() * Window.Height(); }

    raster::Bitmap Window;
    TChartCanvas Canvas;
};

} // namespace mouldview::chart::test
