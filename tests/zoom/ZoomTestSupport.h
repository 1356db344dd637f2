// The result window's chart for mouse tests: 447 x 202 with the window's stored settings (title,
// axis titles, left axis fixed at 0 set while loading, a red dotted zoom pen of width 2), the red
// reference series at 1 and a blue series rising to 6, painted once. A small "window layer" counts
// full paints, band drawings, canvas presentations and cursor requests.
#pragma once

#include "chart/panel/CustomChart.h"
#include "chart/series/LineSeries.h"
#include "platform/raster/Bitmap.h"
#include "platform/raster/Png.h"
#include "tests/support/WindowChartLayout.h"

#include <filesystem>
#include <string>
#include <vector>

namespace mouldview::chart::test {

// A chart that counts the full paints and the zoom bands it draws.
class CountingChart : public TChart {
public:
    void DrawChart(TCanvas& target, const TRect& rect) override {
        ++FullPaints;
        TChart::DrawChart(target, rect);
    }
    int FullPaints = 0;
    int BandsDrawn = 0;

protected:
    void DrawZoomBand() override {
        ++BandsDrawn;
        TChart::DrawZoomBand();
    }
};

struct ZoomChart {
    static constexpr int PointCount = 40;

    ZoomChart() {
        Chart.SetSize(447, 202);
        ApplyWindowChartLayout(Chart, Series2, Series1);
        for (int k = 1; k <= PointCount; ++k) {
            Series2.AddPoint(k, 1.0, "", clRed);
        }
        for (int k = 1; k <= PointCount; ++k) {
            Series1.AddPoint(k, 6.0 * k / PointCount, "", clBlue);
        }
        Chart.SetOnWindowCanvasChanged([this] { ++Presentations; });
        Chart.SetOnCursorChange([this](TCursor cursor) { CursorRequests.push_back(cursor); });
        Pump();
    }

    // What the window's event loop does after each event: a pending paint is run.
    void Pump() {
        if (Chart.PaintPending()) {
            Chart.HandlePaint();
        }
    }

    void LeftDrag(int x0, int y0, int x1, int y1) {
        Chart.MouseDown(mbLeft, ssLeft, x0, y0);
        Chart.MouseMove(ssLeft, x1, y1);
        Chart.MouseUp(mbLeft, TShiftState(), x1, y1);
        Pump();
    }

    const raster::Bitmap& Window() const { return Chart.WindowBitmap(); }
    TColor At(int x, int y) const { return raster::FromPixel(Window().GetPixel(x, y)); }

    TChartAxis& Left() { return *Chart.LeftAxis(); }
    TChartAxis& Bottom() { return *Chart.BottomAxis(); }
    TChartAxis& Top() { return *Chart.TopAxis(); }
    TChartAxis& Right() { return *Chart.RightAxis(); }

    CountingChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
    int Presentations = 0;
    std::vector<TCursor> CursorRequests;
};

// Writes a result to the test's output directory, for a look by eye.
inline void SavePng(const raster::Bitmap& bitmap, const std::string& name) {
    std::filesystem::create_directories(ZOOM_TEST_OUTPUT_DIR);
    raster::WritePng(bitmap, std::string(ZOOM_TEST_OUTPUT_DIR) + "/" + name + ".png");
}

// The three automatic flags of an axis, for comparing in one assertion.
struct Flags {
    bool Automatic;
    bool AutomaticMinimum;
    bool AutomaticMaximum;
    friend bool operator==(const Flags&, const Flags&) = default;
};

inline Flags FlagsOf(const TChartAxis& axis) {
    return Flags{axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum()};
}

} // namespace mouldview::chart::test
