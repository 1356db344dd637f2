// The result window's chart for mouse tests: 447 x 202 with the window's stored settings (title,
// axis titles, left axis fixed at 0 set while loading, a red dotted zoom pen of width 2), the red
// reference series at 1 and a blue series rising to 6, painted once. A small "window layer" counts
// full paints and the presentations of what was drawn between paints.
#pragma once

#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"
#include "tests/support/WindowChartLayout.h"

namespace mouldview::chart::test {

inline constexpr platform::MouseButton mbLeft = platform::MouseButton::mbLeft;
inline constexpr platform::MouseButton mbRight = platform::MouseButton::mbRight;
inline constexpr platform::MouseButton mbMiddle = platform::MouseButton::mbMiddle;

// A chart that counts its full paints.
class CountingChart : public TChart {
public:
    int FullPaints = 0;

protected:
    void DrawChartContent(const TRect& chartBounds) override {
        ++FullPaints;
        TChart::DrawChartContent(chartBounds);
    }
};

struct ZoomChart {
    static constexpr int PointCount = 40;

    ZoomChart() {
        Chart.SetSize(447, 202);
        ApplyWindowChartLayout(Chart, Series2, Series1);
        for (int k = 1; k <= PointCount; ++k) {
            Series2.AddPoint(k, 1.0);
            Series1.AddPoint(k, 6.0 * k / PointCount);
        }
        Chart.SetOnDrawnOutsidePaint([this] { ++Presentations; });
        Pump();
    }

    // What the window's event loop does after each event: a pending paint is run.
    void Pump() {
        if (Chart.PaintPending()) {
            Chart.HandlePaint();
        }
    }

    void LeftDrag(int x0, int y0, int x1, int y1) {
        Chart.MouseDown(mbLeft, x0, y0);
        Chart.MouseMove(x1, y1);
        Chart.MouseUp(mbLeft, x1, y1);
        Pump();
    }

    const raster::Bitmap& Window() const { return Chart.WindowBitmap(); }
    TColor At(int x, int y) const { return raster::FromPixel(Window().GetPixel(x, y)); }

    TChartAxis& Left() { return *Chart.LeftAxis(); }
    TChartAxis& Bottom() { return *Chart.BottomAxis(); }

    CountingChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
    int Presentations = 0;
};

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
