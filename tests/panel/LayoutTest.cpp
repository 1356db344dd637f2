// Layout of the chart on a fixed-metric surface (every text 6 pixels per character, 13 high): the
// margin rectangle, the title's box and the room the axes take, worked out by hand.
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/FixedMetricCanvas.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

// The result window's chart on the fixed-metric surface, with the index rising to 6 over ten
// periods.
struct LayoutChart {
    explicit LayoutChart(int width = 447, int height = 202) {
        auto surface = std::make_unique<test_support::FixedMetricCanvas>(width, height);
        Surface = surface.get();
        Chart.SetCanvas(std::move(surface));
        Chart.SetSize(width, height);
        ApplyWindowChartLayout(Chart, Series2, Series1);
        for (int k = 1; k <= 10; ++k) {
            Series2.AddPoint(k, 1);
            Series1.AddPoint(k, 0.6 * k);
        }
    }

    void Paint() {
        Surface->ClearTextCalls();
        Chart.HandlePaint();
    }

    TChart Chart;
    TLineSeries Series1;
    TLineSeries Series2;
    test_support::FixedMetricCanvas* Surface = nullptr;
};

TEST(Layout, TheTitleAndTheAxesTakeTheirRoomFromTheMarginRectangle) {
    LayoutChart c;
    c.Paint();
    // Margins 3 % and 4 % of 447 x 202 inside the one-pixel bevel: (14, 9, 433, 193).
    // The title "Dose-response (Tevo) model, Ardune University" (45 characters, 270 pixels) sits
    // one pixel below the top margin, centred between the side margins; its box is as wide as the
    // text, one "W" and the frame's pixel, halved around the middle: 277 / 2 = 138.
    const auto& title = c.Surface->TextCalls().front();
    EXPECT_EQ(title.Y, 10);
    EXPECT_EQ(title.X, (13 + 434) / 2 - 270 / 2);
    EXPECT_EQ(title.Color, clBlue);
    EXPECT_EQ(c.Chart.Title().ShapeBounds(), (TRect{223 - 138, 9, 223 + 138, 9 + 1 + 13 + 1}));
    // Below the title's box the gap of 5 and the frame's pixel: the plot starts at 24 + 6.
    // The bottom axis takes its title, one line of labels and the tick band of 7: 13 + 13 + 7.
    // The left axis its title, the wider of its end labels "6" and "0" plus a space, and the ticks:
    // 13 + 12 + 7. Nothing takes room on the right.
    EXPECT_EQ(c.Chart.ChartRect(), (TRect{14 + 32, 30, 433, 193 - 33}));
}

TEST(Layout, MarginsTruncateAndFollowTheSize) {
    // 3 % of 466 is 13.98 and 4 % of 224 is 8.96: 13 and 8 pixels.
    LayoutChart odd(466, 224);
    odd.Chart.Title().SetText({});
    odd.Paint();
    EXPECT_EQ(odd.Chart.ChartRect().Top, 1 + 8);
    EXPECT_EQ(odd.Chart.ChartRect().Right, 466 - 1 - 13);
    // An empty title takes no room and draws nothing.
    EXPECT_EQ(odd.Surface->TextCalls().front().Text, "12 hour periods");

    odd.Chart.SetSize(800, 600);
    EXPECT_TRUE(odd.Chart.PaintPending());
    odd.Paint();
    EXPECT_EQ(odd.Chart.ChartRect().Top, 1 + 24);
    EXPECT_EQ(odd.Chart.ChartRect().Right, 800 - 1 - 24);
}

TEST(Layout, DegenerateRectanglesAreClamped) {
    // Nothing is left for the plot: the axes' reservations are dropped and the rectangle keeps at
    // least a pixel.
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3, 200}, std::pair{300, 3}}) {
        LayoutChart c(width, height);
        c.Paint();
        const TRect r = c.Chart.ChartRect();
        EXPECT_GE(r.Left, 0);
        EXPECT_GE(r.Top, 0);
        EXPECT_GT(r.Right, r.Left);
        EXPECT_GT(r.Bottom, r.Top);
    }
}

} // namespace
} // namespace mouldview::chart::test
