// Text through the surface: the 13-pixel cell of "Arial" 8 and rotated text. Widths and alignment
// go to the device context unchanged and are tested there.
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

TEST(TextMeasure, ArialEightIsThirteenPixelsHigh) {
    TextSurface s(10, 10);
    EXPECT_EQ(TChartFont().Name(), "Arial");
    EXPECT_EQ(TChartFont().Height(), -11) << "8 points at 96 pixels per inch";
    EXPECT_EQ(s.Canvas.TextHeight("W"), 13);
    EXPECT_EQ(s.Canvas.TextHeight(""), 13) << "the cell height, the same for every string";
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
