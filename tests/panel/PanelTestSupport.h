// Helpers of the chart control tests: the result window's chart with its stored settings, and pixel
// reading in the chart's colour encoding.
#pragma once

#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"
#include "tests/support/WindowChartLayout.h"

#include <vector>

namespace mouldview::chart::test {

inline TColor At(const raster::Bitmap& bitmap, int x, int y) {
    return raster::FromPixel(bitmap.GetPixel(x, y));
}

inline int CountOf(const raster::Bitmap& bitmap, TColor color) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            count += At(bitmap, x, y) == color ? 1 : 0;
        }
    }
    return count;
}

inline int CountOf(const raster::Bitmap& bitmap, TColor color, const TRect& rect) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            count += At(bitmap, x, y) == color ? 1 : 0;
        }
    }
    return count;
}

// The result window's chart: the stored settings applied in the loading state, `Series2` (red by
// its free palette colour) attached before `Series1` (blue).
struct WindowChart {
    explicit WindowChart(int width = 447, int height = 202) {
        Chart.SetSize(width, height);
        ApplyWindowChartLayout(Chart, Series2, Series1);
    }

    // What the window's creation handler does with the model's mould indices (from period 1).
    void Fill(const std::vector<double>& mouldIndex) {
        Series2.ClearPoints();
        Series1.ClearPoints();
        for (std::size_t k = 0; k < mouldIndex.size(); ++k) {
            Series2.AddPoint(static_cast<double>(k + 1), 1.0);
        }
        for (std::size_t k = 0; k < mouldIndex.size(); ++k) {
            Series1.AddPoint(static_cast<double>(k + 1), mouldIndex[k]);
        }
    }

    const raster::Bitmap& Paint() {
        Chart.HandlePaint();
        return Chart.WindowBitmap();
    }

    TChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
};

} // namespace mouldview::chart::test
