// Rectangles, bevel frames, lines and the forms at depth, pixel by pixel.
#include "CanvasTestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <limits>

namespace mouldview::chart::test {
namespace {

// True when exactly the outline of the box left..right by top..bottom (inclusive) is painted in
// `color` on the first 16 x 16 pixels and everything else is white.
::testing::AssertionResult OutlineOnly(const Surface& s, int left, int top, int right, int bottom,
                                       TColor color) {
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const bool inBox = x >= left && x <= right && y >= top && y <= bottom;
            const bool onEdge = inBox && (x == left || x == right || y == top || y == bottom);
            const TColor expected = onEdge ? color : clWhite;
            if (s.At(x, y) != expected) {
                return ::testing::AssertionFailure()
                       << "pixel " << x << "," << y << " is " << std::hex << s.At(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

TEST(Rectangle, OutlinesZeroToNineWhileTheRectangleAtDepthOutlinesZeroToTen) {
    Surface flat(16, 16);
    const TChartPen pen;
    flat.Canvas.ApplyPen(pen, clBlack);
    flat.Canvas.Brush().SetStyle(bsClear);
    flat.Canvas.Rectangle(0, 0, 10, 10);
    EXPECT_TRUE(OutlineOnly(flat, 0, 0, 9, 9, clBlack));

    Surface deep(16, 16);
    deep.Canvas.ApplyPen(pen, clBlack);
    deep.Canvas.Brush().SetStyle(bsClear);
    deep.Canvas.RectangleWithZ(TRect{0, 0, 10, 10}, 7);
    EXPECT_TRUE(OutlineOnly(deep, 0, 0, 10, 10, clBlack));
}

TEST(Rectangle, FillsTheInsideWithTheBrushAndFillRectHasNoOutline) {
    Surface s(16, 16);
    s.Canvas.ApplyPen(TChartPen(), clBlack);
    const TChartBrush brush;
    s.Canvas.ApplyBrush(brush, clYellow, clNone);
    s.Canvas.Rectangle(TRect{2, 2, 8, 8});
    EXPECT_EQ(s.At(2, 5), clBlack);
    EXPECT_EQ(s.At(7, 5), clBlack);
    EXPECT_EQ(s.At(5, 5), clYellow);
    EXPECT_EQ(s.At(8, 5), clWhite);

    s.Canvas.FillRect(TRect{10, 10, 13, 12});
    EXPECT_EQ(s.CountOf(clYellow), 16 + 6);
    EXPECT_EQ(s.At(13, 11), clWhite);
    EXPECT_EQ(s.At(12, 12), clWhite);
}

TEST(BevelFrame, PaintsExactlyTheEdgesAndLeavesTheInnerRectangle) {
    Surface s(100, 50);
    TRect r{0, 0, 100, 50};
    s.Canvas.BevelFrame(r, clRed, clBlue, 1);
    EXPECT_EQ(r, (TRect{1, 1, 99, 49}));
    for (int x = 0; x < 99; ++x) {
        EXPECT_EQ(s.At(x, 0), clRed) << x;
    }
    for (int y = 0; y < 49; ++y) {
        EXPECT_EQ(s.At(0, y), clRed) << y;
    }
    for (int y = 0; y < 50; ++y) {
        EXPECT_EQ(s.At(99, y), clBlue) << y;
    }
    for (int x = 0; x < 100; ++x) {
        EXPECT_EQ(s.At(x, 49), clBlue) << x;
    }
    EXPECT_EQ(s.At(99, 0), clBlue);
    EXPECT_EQ(s.At(0, 49), clBlue);
    EXPECT_EQ(s.CountOf(clWhite), 98 * 48) << "the inside is untouched";
    s.SavePng("bevel-frame");
}

TEST(BevelFrame, WidthTwoNestsTwoFramesAndWidthZeroDrawsNothing) {
    Surface s(20, 10);
    TRect r{0, 0, 20, 10};
    s.Canvas.BevelFrame(r, clRed, clBlue, 2);
    EXPECT_EQ(r, (TRect{2, 2, 18, 8}));
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(18, 1), clBlue);
    EXPECT_EQ(s.At(1, 8), clBlue);
    EXPECT_EQ(s.At(2, 2), clWhite);

    Surface none(20, 10);
    TRect same{3, 3, 15, 8};
    none.Canvas.BevelFrame(same, clRed, clBlue, 0);
    none.Canvas.BevelFrame(same, clRed, clBlue, -2);
    EXPECT_EQ(same, (TRect{3, 3, 15, 8}));
    EXPECT_TRUE(none.AllWhite());
}

TEST(BevelFrame, AnAbsurdWidthEndsOnceTheFramesHaveCrossedTheRectangle) {
    Surface huge(120, 70);
    TRect r{10, 10, 110, 60};
    huge.Canvas.BevelFrame(r, clRed, clBlue, std::numeric_limits<int>::max());
    EXPECT_EQ(r.Left, std::numeric_limits<int>::max());
    EXPECT_EQ(r.Right, 110 - std::numeric_limits<int>::max());

    Surface enough(120, 70);
    TRect same{10, 10, 110, 60};
    enough.Canvas.BevelFrame(same, clRed, clBlue, 100);
    EXPECT_TRUE(huge.Window.Bitmap() == enough.Window.Bitmap());
    EXPECT_EQ(huge.At(5, 5), clWhite) << "nothing outside the rectangle";
}

TEST(BevelFrame, DrawsSolidOnePixelLinesWhateverPenWasApplied) {
    Surface s(20, 10);
    TChartPen wide;
    wide.SetWidth(4);
    wide.SetStyle(psDash);
    s.Canvas.ApplyPen(wide, clGreen);
    TRect r{0, 0, 20, 10};
    s.Canvas.BevelFrame(r, clRed, clBlue, 1);
    EXPECT_EQ(s.CountOf(clRed) + s.CountOf(clBlue), 2 * 20 + 2 * 8);
}

TEST(Lines, LineToNeverPaintsItsEndPixelSoJointsArePaintedOnce) {
    Surface s(20, 20);
    TChartPen pen;
    pen.SetMode(pmNot);
    s.Canvas.ApplyPen(pen, clBlack);
    // With an inverting pen a pixel painted twice would be white again.
    s.Canvas.MoveTo(2, 2);
    s.Canvas.LineTo(12, 2);
    s.Canvas.LineTo(12, 12);
    s.Canvas.LineTo(2, 2);
    EXPECT_EQ(s.At(12, 2), clBlack);
    EXPECT_EQ(s.At(12, 12), clBlack);
    EXPECT_EQ(s.At(2, 2), clBlack);

    Surface poly(20, 20);
    poly.Canvas.ApplyPen(pen, clBlack);
    const std::array<TPoint, 4> points = {{{2, 2}, {12, 2}, {12, 12}, {2, 12}}};
    poly.Canvas.Polyline(points);
    EXPECT_EQ(poly.At(12, 2), clBlack);
    EXPECT_EQ(poly.At(12, 12), clBlack);
    EXPECT_EQ(poly.At(2, 12), clWhite) << "the last point is not painted";
    EXPECT_EQ(poly.CountOf(clBlack), 30);

    Surface single(20, 20);
    single.Canvas.ApplyPen(TChartPen(), clBlack);
    single.Canvas.HorizontalLine(3, 8, 4);
    single.Canvas.VerticalLine(15, 3, 9);
    EXPECT_EQ(single.CountOf(clBlack), 5 + 6);
    EXPECT_EQ(single.At(8, 4), clWhite);
    EXPECT_EQ(single.At(15, 9), clWhite);
}

TEST(Depth, FormsAtDepthDrawLikeTheirFlatCounterparts) {
    Surface flat(30, 30);
    Surface deep(30, 30);
    TChartPen pen;
    pen.SetWidth(3);
    for (Surface* s : {&flat, &deep}) {
        s->Canvas.ApplyPen(pen, clBlue);
    }
    flat.Canvas.Line(1, 1, 20, 25);
    flat.Canvas.HorizontalLine(2, 28, 10);
    flat.Canvas.VerticalLine(5, 2, 28);
    flat.Canvas.MoveTo(3, 27);
    flat.Canvas.LineTo(27, 3);
    deep.Canvas.LineWithZ(1, 1, 20, 25, 4);
    deep.Canvas.HorizLine3D(2, 28, 10, 9);
    deep.Canvas.VertLine3D(5, 2, 28, 1);
    deep.Canvas.MoveTo3D(3, 27, 5);
    deep.Canvas.LineTo3D(27, 3, 5);
    EXPECT_TRUE(flat.Window.Bitmap() == deep.Window.Bitmap());
    EXPECT_EQ(deep.Canvas.ProjectPoint(17, -4, 30), (TPoint{17, -4}));
    int x = 8;
    int y = 9;
    deep.Canvas.Calculate2DPosition(x, y, 12);
    EXPECT_EQ(x, 8);
    EXPECT_EQ(y, 9);
    EXPECT_FALSE(deep.Canvas.SupportsTrue3D());
}

TEST(Depth, PixelAtDepthIsOnePixelOrADotOfTheWidePen) {
    Surface s(20, 20);
    s.Canvas.ApplyPen(TChartPen(), clBlack);
    s.Canvas.SetPixel3D(4, 4, 3, clRed);
    EXPECT_EQ(s.CountOf(clRed), 1);
    EXPECT_EQ(s.Canvas.Pixel3D(4, 4, 3), clRed);
    EXPECT_EQ(s.Canvas.Pixels(40, 4), clNone) << "outside the bitmap";

    TChartPen wide;
    wide.SetWidth(4);
    s.Canvas.ApplyPen(wide, clBlack);
    s.Canvas.SetPixel3D(12, 12, 0, clBlue);
    EXPECT_GT(s.CountOf(clBlue), 4) << "a round dot of the wide pen";
}

} // namespace
} // namespace mouldview::chart::test
