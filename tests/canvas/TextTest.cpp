// Text through the surface: the 13-pixel cell of "Arial" 8, alignment, and rotated text.
#include "CanvasTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

// The smallest rectangle holding every pixel that is not white.
TRect InkBox(const Surface& s) {
    TRect box{1 << 20, 1 << 20, -1, -1};
    for (int y = 0; y < s.Window.Height(); ++y) {
        for (int x = 0; x < s.Window.Width(); ++x) {
            if (s.At(x, y) != clWhite) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

// A surface with the default chart font applied, text drawn transparently.
struct TextSurface : Surface {
    TextSurface(int width, int height) : Surface(width, height) {
        Canvas.ApplyFont(TChartFont());
        Canvas.SetBackgroundMode(raster::BkMode::Transparent);
    }
};

TEST(TextMeasure, ArialEightIsThirteenPixelsHighAndEmptyTextHasNoWidth) {
    TextSurface s(10, 10);
    EXPECT_EQ(TChartFont().Name(), "Arial");
    EXPECT_EQ(TChartFont().Height(), -11) << "8 points at 96 pixels per inch";
    EXPECT_EQ(s.Canvas.TextHeight("W"), 13);
    EXPECT_EQ(s.Canvas.TextHeight(""), 13) << "the cell height, the same for every string";
    EXPECT_EQ(s.Canvas.TextWidth(""), 0);
    EXPECT_GT(s.Canvas.TextWidth("W"), 5);
    EXPECT_EQ(s.Canvas.TextWidth("WW"), 2 * s.Canvas.TextWidth("W"));
}

TEST(TextOut, ReferencePointFollowsTheAlignment) {
    TextSurface left(60, 40);
    left.Canvas.SetTextAlignment(raster::TA_LEFT | raster::TA_TOP);
    left.Canvas.TextOut(20, 10, "Wq");
    const TRect a = InkBox(left);
    EXPECT_GE(a.Left, 20);
    EXPECT_GE(a.Top, 10);
    EXPECT_LE(a.Bottom, 10 + 13);

    TextSurface right(60, 40);
    right.Canvas.SetTextAlignment(raster::TA_RIGHT | raster::TA_BOTTOM);
    right.Canvas.TextOut(40, 30, "Wq");
    const TRect b = InkBox(right);
    EXPECT_LE(b.Right, 40);
    EXPECT_LE(b.Bottom, 30);
    EXPECT_GE(b.Top, 30 - 13);
    EXPECT_EQ(b.Width(), a.Width());
}

TEST(TextOutRotated, NinetyReadsBottomToTop) {
    TextSurface ninety(60, 80);
    ninety.Canvas.TextOutRotated(20, 70, 90.0, "iWWW");
    EXPECT_EQ(ninety.Canvas.Target().GetFont().escapement, 0) << "the upright font is selected again";

    // At 90 degrees the text runs upwards from the reference point, with left + top alignment
    // the reference point at its lower end: "i" alone sits at the bottom of "iWWW".
    const TRect full = InkBox(ninety);
    TextSurface first(60, 80);
    first.Canvas.TextOutRotated(20, 70, 90.0, "i");
    const TRect start = InkBox(first);
    EXPECT_LE(full.Bottom, 70);
    EXPECT_GE(full.Left, 20);
    EXPECT_EQ(start.Bottom, full.Bottom);
    EXPECT_GT(start.Top, full.Top + 15);
}

} // namespace
} // namespace mouldview::chart::test
