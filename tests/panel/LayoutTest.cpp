// Layout of the chart on a fixed-metric surface (every text 6 pixels per character, 13 high): the
// margin rectangle, percent and pixel margins, titles above and below, the legend rule, which axes
// take room, and the clamping of degenerate rectangles.
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/FixedMetricCanvas.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

// A chart on the fixed-metric surface that records ChartRect at the steps of the paint sequence.
struct LayoutChart {
    explicit LayoutChart(int width = 447, int height = 202) {
        auto surface = std::make_unique<test_support::FixedMetricCanvas>(width, height);
        Surface = surface.get();
        Chart.SetCanvas(std::move(surface));
        Chart.SetSize(width, height);
        Chart.Legend().SetVisible(false);
        Chart.SetView3D(false);
        Chart.OnBeforeDrawChart = [this] { BeforeTitles = Chart.ChartRect(); };
        Chart.OnBeforeDrawSeries = [this] { AfterLayout = Chart.ChartRect(); };
    }

    void Paint() {
        Surface->ClearTextCalls();
        Chart.Repaint();
    }

    TChart Chart;
    test_support::FixedMetricCanvas* Surface = nullptr;
    TRect BeforeTitles;
    TRect AfterLayout;
};

TEST(Layout, MarginsGiveTheFirstPlottingRectangle) {
    LayoutChart c;
    c.Paint();
    EXPECT_EQ(c.BeforeTitles, (TRect{14, 9, 433, 193}));
    EXPECT_EQ(c.Chart.ChartBounds(), (TRect{0, 0, 447, 202}));
    EXPECT_EQ(c.Chart.PanelFrameWidth(), 1);

    c.Chart.SetMarginUnits(muPixels);
    c.Paint();
    EXPECT_EQ(c.BeforeTitles, (TRect{4, 5, 443, 197}));

    // Percent margins truncate: 3 % of 466 is 13.98 and 4 % of 224 is 8.96.
    LayoutChart odd(466, 224);
    odd.Paint();
    EXPECT_EQ(odd.BeforeTitles, (TRect{14, 9, 452, 215}));
}

TEST(Layout, PanelFrameCountsBevelsBandAndBorder) {
    LayoutChart c;
    c.Chart.SetBevelInner(bvLowered);
    c.Chart.SetBevelWidth(2);
    c.Chart.SetBorderWidth(3);
    c.Chart.Border().SetVisible(true);
    c.Chart.Border().SetWidth(2);
    EXPECT_EQ(c.Chart.PanelFrameWidth(), 2 + 2 + 3 + 2);
    c.Chart.SetBevelOuter(bvNone);
    c.Chart.SetBevelInner(bvNone);
    c.Chart.SetBorderWidth(0);
    c.Chart.Border().SetVisible(false);
    c.Paint();
    EXPECT_EQ(c.BeforeTitles, (TRect{13, 8, 434, 194}));
}

TEST(Layout, ResizingRecomputesTheMargins) {
    LayoutChart c;
    c.Paint();
    c.Chart.SetSize(800, 600);
    EXPECT_TRUE(c.Chart.PaintPending());
    c.Paint();
    EXPECT_EQ(c.BeforeTitles, (TRect{1 + 24, 1 + 24, 800 - 1 - 24, 600 - 1 - 24}));
}

TEST(Layout, TitleAboveMovesTheTopByLineHeightPlusEight) {
    LayoutChart c;
    // Without series every side axis would be shown and take room; here only titles count.
    c.Chart.SetAxisVisible(false);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Top, 9) << "an empty title takes no room";
    EXPECT_TRUE(c.Surface->TextCalls().empty());

    c.Chart.Title().SetText({"Title"});
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Top, 9 + 13 + 8);
    ASSERT_EQ(c.Surface->TextCalls().size(), 1U);
    const auto& call = c.Surface->TextCalls()[0];
    EXPECT_EQ(call.Text, "Title");
    EXPECT_EQ(call.Y, 10);
    // Centred between the margins (the axes have not taken their room yet).
    EXPECT_EQ(call.X, (14 + 433) / 2 - 30 / 2);
    EXPECT_EQ(call.Color, clBlue);
    // The box fits the text: one "W" and the frame width wider, centred.
    EXPECT_EQ(c.Chart.Title().ShapeBounds(), (TRect{223 - 18, 9, 223 + 18, 9 + 1 + 13 + 1}));

    c.Chart.Title().SetText({"One", "Two"});
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Top, 9 + 2 * 13 + 8);
    ASSERT_EQ(c.Surface->TextCalls().size(), 2U);
    EXPECT_EQ(c.Surface->TextCalls()[1].Y, 10 + 13);

    c.Chart.Title().SetVisible(false);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Top, 9);
}

TEST(Layout, FootBelowMovesTheBottom) {
    LayoutChart c;
    c.Chart.SetAxisVisible(false);
    c.Chart.Foot().SetText({"Foot"});
    c.Paint();
    // The box stands on the margin's bottom; ChartRect ends a gap and a line above the box's bottom.
    EXPECT_EQ(c.Chart.Foot().ShapeBounds().Bottom, 193 + 1);
    EXPECT_EQ(c.AfterLayout.Bottom, 194 - (TitleGap + 1) - 13);
    ASSERT_EQ(c.Surface->TextCalls().size(), 1U);
    EXPECT_EQ(c.Surface->TextCalls()[0].Y, 194 - 13 - 1);
    EXPECT_EQ(c.Surface->TextCalls()[0].Color, clRed);
}

TEST(Layout, CustomPositionedTitleTakesNoRoomAndGoesOverTheSeries) {
    LayoutChart c;
    c.Chart.SetAxisVisible(false);
    c.Chart.Title().SetText({"Here"});
    c.Chart.Title().SetLeft(100);
    c.Chart.Title().SetTop(50);
    EXPECT_TRUE(c.Chart.Title().CustomPosition());
    bool seriesDrawn = false;
    std::size_t textsBeforeSeries = 0;
    c.Chart.OnBeforeDrawSeries = [&] {
        seriesDrawn = true;
        textsBeforeSeries = c.Surface->TextCalls().size();
    };
    c.Paint();
    ASSERT_TRUE(seriesDrawn);
    EXPECT_EQ(textsBeforeSeries, 0U);
    ASSERT_EQ(c.Surface->TextCalls().size(), 1U);
    EXPECT_EQ(c.Chart.ChartRect().Top, 9);
    // The box starts at Left/Top and fits the text: "W" + frame + 4 characters.
    EXPECT_EQ(c.Chart.Title().ShapeBounds(), (TRect{100 + 0, 50, 100 + 30, 50 + 13}));
    EXPECT_EQ(c.Surface->TextCalls()[0].Y, 50 + 1);
}

TEST(Layout, HiddenLegendKeepsTheRightMarginWhateverTheSeries) {
    LayoutChart c;
    TLineSeries a;
    TLineSeries b;
    for (TLineSeries* s : {&a, &b}) {
        s->AddPoint(1, 1, "", clDefault);
        s->AddPoint(2, 3, "", clDefault);
    }
    a.SetParentChart(&c.Chart);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Right, 433);
    b.SetParentChart(&c.Chart);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Right, 433);
    // A visible legend's contents are not drawn and take no room either.
    c.Chart.Legend().SetVisible(true);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Right, 433);
}

TEST(Layout, OnlyAxesWithSeriesTakeRoom) {
    LayoutChart c;
    TLineSeries s;
    s.AddPoint(1, 1, "", clDefault);
    s.AddPoint(2, 2, "", clDefault);
    s.SetParentChart(&c.Chart);
    c.Paint();
    EXPECT_TRUE(c.Chart.BottomAxis()->AxisShown());
    EXPECT_TRUE(c.Chart.LeftAxis()->AxisShown());
    EXPECT_FALSE(c.Chart.TopAxis()->AxisShown());
    EXPECT_FALSE(c.Chart.RightAxis()->AxisShown());
    EXPECT_FALSE(c.Chart.DepthAxis()->AxisShown());
    EXPECT_EQ(c.AfterLayout.Top, 9);
    EXPECT_EQ(c.AfterLayout.Right, 433);
    EXPECT_GT(c.AfterLayout.Left, 14);
    EXPECT_LT(c.AfterLayout.Bottom, 193);
    const TRect plain = c.AfterLayout;

    // Moved to the right axis, the series gives its room to the right side instead.
    s.SetVertAxis(aRightAxis);
    c.Paint();
    EXPECT_FALSE(c.Chart.LeftAxis()->AxisShown());
    EXPECT_TRUE(c.Chart.RightAxis()->AxisShown());
    EXPECT_EQ(c.AfterLayout.Left, 14);
    EXPECT_LT(c.AfterLayout.Right, 433);

    // Without any active series every side axis is shown; AxisVisible switches them all off.
    s.SetActive(false);
    c.Paint();
    EXPECT_TRUE(c.Chart.TopAxis()->AxisShown());
    EXPECT_TRUE(c.Chart.LeftAxis()->AxisShown());
    EXPECT_TRUE(c.Chart.AnySeriesUsesAxes());
    c.Chart.SetAxisVisible(false);
    c.Paint();
    EXPECT_EQ(c.AfterLayout, (TRect{14, 9, 433, 193}));
    EXPECT_NE(plain, c.AfterLayout);
}

TEST(Layout, DegenerateRectanglesAreClamped) {
    LayoutChart c;
    c.Chart.SetAxisVisible(false);
    c.Chart.SetMarginUnits(muPixels);
    // The right edge falls left of the left one: width 1.
    c.Chart.SetMarginLeft(500);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Left, 501);
    EXPECT_EQ(c.AfterLayout.Right, 502);
    EXPECT_EQ(c.Chart.ChartWidth(), 1);
    // Both edges on one column: the control's width.
    c.Chart.SetMarginLeft(200);
    c.Chart.SetMarginRight(245);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Left, 201);
    EXPECT_EQ(c.AfterLayout.Right, 201 + 447);
    // Negative margins cannot move the rectangle off the chart's bounds.
    c.Chart.SetMarginTop(-50);
    c.Paint();
    EXPECT_EQ(c.AfterLayout.Top, 0);
    EXPECT_EQ(c.Chart.ChartYCenter(), (0 + c.AfterLayout.Bottom) / 2);
}

} // namespace
} // namespace mouldview::chart::test
