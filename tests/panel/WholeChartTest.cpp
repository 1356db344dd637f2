// The result window's chart painted with its real fonts at the design size, with the three periods
// of the worked example, checked pixel by pixel and saved as a PNG for a look by eye.
#include "tests/panel/PanelTestSupport.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

const std::vector<double> WorkedExample = {0.06799509, 0.1359902, 0.2039853};

constexpr TColor Face = 0xF0F0F0;
constexpr TColor Highlight = 0xFFFFFF;
constexpr TColor ShadowGrey = 0xA0A0A0;
constexpr TColor TickGrey = 0x808080;

// Every pixel of the rectangle has `color`.
::testing::AssertionResult AllOf(const raster::Bitmap& bitmap, const TRect& rect, TColor color) {
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            if (At(bitmap, x, y) != color) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << At(bitmap, x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(WholeChart, WorkedExampleAtDesignSize) {
    WindowChart w;
    w.Fill(WorkedExample);
    const raster::Bitmap& bitmap = w.Paint();
    SavePng(bitmap, "worked-example");
    ASSERT_EQ(bitmap.Width(), 447);
    ASSERT_EQ(bitmap.Height(), 202);
    const TRect r = w.Chart.ChartRect();
    TChartAxis& bottom = *w.Chart.BottomAxis();
    TChartAxis& left = *w.Chart.LeftAxis();

    // The one-pixel raised bevel on the outermost pixels, the button face inside it.
    EXPECT_TRUE(AllOf(bitmap, {0, 0, 446, 1}, Highlight));
    EXPECT_TRUE(AllOf(bitmap, {0, 0, 1, 201}, Highlight));
    EXPECT_TRUE(AllOf(bitmap, {446, 0, 447, 201}, ShadowGrey));
    EXPECT_TRUE(AllOf(bitmap, {0, 201, 447, 202}, ShadowGrey));
    EXPECT_TRUE(AllOf(bitmap, {1, 1, 13, 200}, Face)) << "left margin";

    // Layout: the title moved the top, the axes took the bottom and the left, nothing the right.
    EXPECT_EQ(r.Right, 433);
    EXPECT_EQ(r.Top, w.Chart.Title().ShapeBounds().Bottom + TitleGap + 1);
    EXPECT_EQ(bottom.AxisLinePos(), r.Bottom);
    EXPECT_EQ(left.AxisLinePos(), r.Left);
    EXPECT_FALSE(w.Chart.TopAxis()->AxisShown());
    EXPECT_FALSE(w.Chart.RightAxis()->AxisShown());

    // The back-wall frame: black on the rows and columns of ChartRect's edges, but where the
    // series lie on them (below: the reference line on the top row, the curve's first point on
    // the left column).
    const int yFirst = left.ValueToPixel(WorkedExample[0]);
    EXPECT_TRUE(AllOf(bitmap, {r.Left, r.Bottom, r.Right + 1, r.Bottom + 1}, clBlack));
    EXPECT_TRUE(AllOf(bitmap, {r.Left, r.Top + 1, r.Left + 1, yFirst}, clBlack));
    EXPECT_TRUE(AllOf(bitmap, {r.Left, yFirst + 1, r.Left + 1, r.Bottom + 1}, clBlack));
    EXPECT_TRUE(AllOf(bitmap, {r.Right, r.Top, r.Right + 1, r.Bottom + 1}, clBlack));

    // The axis lines are 2 pixels wide: the bottom one on rows Bottom - 1 and Bottom, the left one
    // on columns Left - 1 and Left.
    // Grid lines and minor ticks drawn after them cross the inner row and outer column in places.
    const int x2 = bottom.ValueToPixel(2);
    EXPECT_TRUE(AllOf(bitmap, {r.Left + 2, r.Bottom - 1, x2, r.Bottom + 1}, clBlack));
    EXPECT_TRUE(AllOf(bitmap, {r.Left - 1, r.Top + 3, r.Left + 1, r.Top + 6}, clBlack));
    // Ticks: below the bottom axis at the labels 1, 2, 3; left of the left axis at 0, 0.2 ... 1.
    const std::vector<int> bottomTicks = {bottom.ValueToPixel(3), bottom.ValueToPixel(2),
                                          bottom.ValueToPixel(1)};
    EXPECT_EQ(bottom.TickPositions(), bottomTicks);
    for (const int x : bottomTicks) {
        EXPECT_TRUE(AllOf(bitmap, {x, r.Bottom + 2, x + 1, r.Bottom + 5}, TickGrey)) << "tick at " << x;
    }
    ASSERT_EQ(left.TickPositions().size(), 6U);
    for (int i = 0; i <= 5; ++i) {
        const int y = left.ValueToPixel(1.0 - 0.2 * i);
        EXPECT_EQ(left.TickPositions()[static_cast<std::size_t>(i)], y);
        EXPECT_TRUE(AllOf(bitmap, {r.Left - 4, y, r.Left - 2, y + 1}, TickGrey)) << "tick at " << y;
    }

    // The rotated title ends at TitlePos and the labels, right-aligned, start at least a space
    // further right, the wider inner ones ("0.2" ... "0.8") included: that column stays empty.
    EXPECT_TRUE(AllOf(bitmap, {left.TitlePos(), r.Top - 8, left.TitlePos() + 1, r.Bottom + 8}, Face));

    // The reference line at 1 is the axis maximum: it lies on the frame's top row, drawn over it
    // from x = 1 (the left edge) up to, not including, the last point's pixel at x = 3 (the right
    // edge); no other pixel is red.
    EXPECT_EQ(left.ValueToPixel(1.0), r.Top);
    EXPECT_TRUE(AllOf(bitmap, {r.Left, r.Top, r.Right, r.Top + 1}, clRed));
    EXPECT_EQ(At(bitmap, r.Right, r.Top), clBlack);
    EXPECT_EQ(CountOf(bitmap, clRed), r.Right - r.Left);

    // The blue curve: its middle point, and in every column from the left edge on one blue pixel
    // between the heights of its neighbouring points; no blue pixel anywhere else.
    EXPECT_EQ(At(bitmap, x2, left.ValueToPixel(WorkedExample[1])), clBlue);
    const int yLow = yFirst;
    const int yHigh = left.ValueToPixel(WorkedExample[2]);
    int blue = 0;
    for (int x = r.Left; x < r.Right; ++x) {
        int inColumn = 0;
        for (int y = yHigh; y <= yLow; ++y) {
            inColumn += At(bitmap, x, y) == clBlue ? 1 : 0;
        }
        EXPECT_GE(inColumn, 1) << "column " << x;
        blue += inColumn;
    }
    // (The title is blue as well; only the plot's pixels count here.)
    EXPECT_EQ(CountOf(bitmap, clBlue, TRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1}), blue);

    // Nothing beside the plot on the right, nor between the title and the plot (the top and right
    // axes draw nothing).
    // (The bottom axis line's round cap reaches one pixel beyond its end.)
    EXPECT_TRUE(AllOf(bitmap, {r.Right + 2, 1, 446, r.Bottom + 5}, Face));
    EXPECT_TRUE(AllOf(bitmap, {r.Left + 4, w.Chart.Title().ShapeBounds().Bottom, r.Right + 1, r.Top}, Face));
}

TEST(WholeChart, ReferenceLineShowsWhenTheIndexPassesOne) {
    WindowChart w;
    w.Fill({0.5, 1.5, 2.0});
    const raster::Bitmap& bitmap = w.Paint();
    SavePng(bitmap, "index-above-one");
    const TRect r = w.Chart.ChartRect();
    const int y1 = w.Chart.LeftAxis()->ValueToPixel(1.0);
    ASSERT_GT(y1, r.Top);
    ASSERT_LT(y1, r.Bottom);
    // Red along the whole row from the left edge (over the axis line) up to the last point's
    // pixel on the right edge, except where the blue curve crosses it.
    int red = 0;
    for (int x = r.Left; x < r.Right; ++x) {
        const TColor c = At(bitmap, x, y1);
        EXPECT_TRUE(c == clRed || c == clBlue) << "column " << x;
        red += c == clRed ? 1 : 0;
    }
    EXPECT_GT(red, r.Right - r.Left - 10);
    EXPECT_EQ(CountOf(bitmap, clRed), red);
    // Series2 comes first in the list, so the blue curve lies over the red line where they cross.
    const int xCross = w.Chart.BottomAxis()->ValueToPixel(1.5);
    bool blueOnRow = false;
    for (int x = xCross - 2; x <= xCross + 2; ++x) {
        blueOnRow = blueOnRow || At(bitmap, x, y1) == clBlue;
    }
    EXPECT_TRUE(blueOnRow);
}

} // namespace
} // namespace mouldview::chart::test
