// Text through the surface: measurement with and without a shadow object, the 13-pixel cell of
// "Arial" 8, shadows, outlines, rotation, alignment, font zoom and inter-character spacing.
#include "CanvasTestSupport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

namespace mouldview::chart::test {
namespace {

// The smallest rectangle holding every pixel that is not white.
TRect InkBox(const Surface& s) {
    TRect box{1 << 20, 1 << 20, -1, -1};
    const raster::Bitmap& b = s.Window.Bitmap();
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
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

// Channels of a colour.
int Red(TColor c) {
    return static_cast<int>(c & 0xFFU);
}
int Green(TColor c) {
    return static_cast<int>((c >> 8) & 0xFFU);
}
int Blue(TColor c) {
    return static_cast<int>((c >> 16) & 0xFFU);
}

// Glyph edges are grey-scale blends, so pixels are told apart by their hue: text cores are dark,
// shadows red, outlines blue.
bool Dark(TColor c) {
    return Red(c) < 0x80 && Green(c) < 0x80 && Blue(c) < 0x80;
}
bool Reddish(TColor c) {
    return Red(c) - Green(c) > 0x40;
}
bool Bluish(TColor c) {
    return Blue(c) - Red(c) > 0x40;
}

template <typename Predicate> TRect BoxOf(const Surface& s, Predicate predicate) {
    TRect box{1 << 20, 1 << 20, -1, -1};
    const raster::Bitmap& b = s.Window.Bitmap();
    for (int y = 0; y < b.Height(); ++y) {
        for (int x = 0; x < b.Width(); ++x) {
            if (predicate(s.At(x, y))) {
                box.Left = std::min(box.Left, x);
                box.Top = std::min(box.Top, y);
                box.Right = std::max(box.Right, x + 1);
                box.Bottom = std::max(box.Bottom, y + 1);
            }
        }
    }
    return box;
}

TRect Shifted(TRect r, int dx, int dy) {
    return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// A surface with a default chart font applied, text drawn transparently.
struct TextSurface : Surface {
    TextSurface(int width, int height) : Surface(width, height) {
        Canvas.ApplyFont(Font);
        Canvas.SetBackgroundMode(cbmTransparent);
    }
    TChartFont Font;
};

TEST(TextMeasure, ArialEightIsThirteenPixelsHighAndEmptyTextHasNoWidth) {
    TextSurface s(10, 10);
    EXPECT_EQ(s.Canvas.TextHeight("W"), 13);
    EXPECT_EQ(s.Canvas.TextHeight(""), 13) << "the cell height, the same for every string";
    EXPECT_EQ(s.Canvas.TextWidth(""), 0);
    EXPECT_GT(s.Canvas.TextWidth("W"), 5);
    EXPECT_EQ(s.Canvas.TextWidth("WW"), 2 * s.Canvas.TextWidth("W"));
}

TEST(TextMeasure, AShadowObjectAddsItsOffsetsWhetherOrNotItIsDrawn) {
    TextSurface s(10, 10);
    const int plainWidth = s.Canvas.TextWidth("12.5");
    s.Font.Shadow();
    EXPECT_EQ(s.Canvas.TextWidth(""), 0);
    EXPECT_EQ(s.Canvas.TextWidth("12.5"), plainWidth);
    s.Font.Shadow().SetHorizSize(-3);
    s.Font.Shadow().SetVertSize(2);
    EXPECT_EQ(s.Canvas.TextWidth(""), 3);
    EXPECT_EQ(s.Canvas.TextWidth("12.5"), plainWidth + 3);
    EXPECT_EQ(s.Canvas.TextHeight("W"), 15);
}

TEST(TextMeasure, SpacingAndFontZoomChangeTheExtent) {
    TextSurface s(10, 10);
    const int plain = s.Canvas.TextWidth("abc");
    s.Font.SetInterCharSize(2);
    s.Canvas.ApplyFont(s.Font);
    EXPECT_EQ(s.Canvas.TextWidth("abc"), plain + 6);

    s.Font.SetInterCharSize(0);
    s.Canvas.SetFontZoom(200.0);
    s.Canvas.ApplyFont(s.Font);
    EXPECT_EQ(s.Canvas.Font().Size(), 16);
    EXPECT_EQ(s.Font.Size(), 8) << "the chart font itself is not changed";
    EXPECT_GT(s.Canvas.TextHeight("W"), 24);
    EXPECT_GT(s.Canvas.TextWidth("abc"), plain * 17 / 10);

    s.Canvas.SetFontZoom(std::numeric_limits<double>::quiet_NaN());
    s.Canvas.ApplyFont(s.Font);
    EXPECT_EQ(s.Canvas.Font().Size(), 8) << "a zoom that is not a number changes nothing";
    s.Canvas.SetFontZoom(1e12);
    s.Canvas.ApplyFont(s.Font);
    EXPECT_EQ(s.Canvas.Font().Size(), 1000) << "zoomed sizes stay within reason";
}

TEST(TextOut, ReferencePointFollowsTheAlignment) {
    TextSurface left(60, 40);
    left.Canvas.SetTextAlignment(TA_LEFT | TA_TOP);
    left.Canvas.TextOut(20, 10, "Wq");
    const TRect a = InkBox(left);
    EXPECT_GE(a.Left, 20);
    EXPECT_GE(a.Top, 10);
    EXPECT_LE(a.Bottom, 10 + 13);

    TextSurface right(60, 40);
    right.Canvas.SetTextAlignment(TA_RIGHT | TA_BOTTOM);
    right.Canvas.TextOut(40, 30, "Wq");
    const TRect b = InkBox(right);
    EXPECT_LE(b.Right, 40);
    EXPECT_LE(b.Bottom, 30);
    EXPECT_GE(b.Top, 30 - 13);
    EXPECT_EQ(b.Width(), a.Width());
}

TEST(TextOut, ShadowGoesTowardsPositiveOffsetsAndNegativeOffsetsMoveTheText) {
    TextSurface plain(40, 30);
    plain.Canvas.TextOut(5, 5, "I");
    const TRect bar = BoxOf(plain, Dark);
    const TRect ink = BoxOf(plain, [](TColor c) { return c != clWhite; });
    ASSERT_FALSE(bar.IsEmpty());

    // "I" is a thin vertical bar; its shadow is the same bar 3 right and 2 down.
    TextSurface s(40, 30);
    s.Font.Shadow().SetColor(clRed);
    s.Font.Shadow().SetHorizSize(3);
    s.Font.Shadow().SetVertSize(2);
    s.Canvas.TextOut(5, 5, "I");
    EXPECT_EQ(BoxOf(s, Dark), bar);
    EXPECT_EQ(BoxOf(s, Reddish), Shifted(ink, 3, 2));
    s.SavePng("text-shadow");

    TextSurface moved(40, 30);
    moved.Font.Shadow().SetColor(clRed);
    moved.Font.Shadow().SetHorizSize(-3);
    moved.Canvas.TextOut(5, 5, "I");
    EXPECT_EQ(BoxOf(moved, Dark), Shifted(bar, 3, 0)) << "the text moved right";
    EXPECT_EQ(BoxOf(moved, Reddish), ink) << "the shadow stayed";
}

TEST(TextOut, TranslucentShadowIsMixedWithWhatWasThere) {
    const auto strongestRed = [](const Surface& s) {
        int strongest = 0;
        for (int y = 0; y < 30; ++y) {
            for (int x = 0; x < 40; ++x) {
                strongest = std::max(strongest, Red(s.At(x, y)) - Green(s.At(x, y)));
            }
        }
        return strongest;
    };
    TextSurface opaque(40, 30);
    opaque.Font.Shadow().SetColor(clRed);
    opaque.Font.Shadow().SetHorizSize(6);
    opaque.Canvas.TextOut(5, 5, "I");

    TextSurface half(40, 30);
    half.Font.Shadow().SetColor(clRed);
    half.Font.Shadow().SetHorizSize(6);
    half.Font.Shadow().SetTransparency(50);
    half.Canvas.TextOut(5, 5, "I");
    EXPECT_NEAR(strongestRed(half), strongestRed(opaque) / 2.0, 2.0) << "half red, half white";
    EXPECT_EQ(BoxOf(half, Dark), BoxOf(opaque, Dark)) << "the text itself is not blended";
}

TEST(TextOut, OutlinedTextIsRimmedInTheOutlineColour) {
    TextSurface plain(40, 30);
    plain.Canvas.TextOut(5, 5, "I");
    const TRect bar = BoxOf(plain, [](TColor c) { return c != clWhite; });

    TextSurface s(40, 30);
    s.Font.OutLine().SetColor(clBlue);
    s.Font.OutLine().Show();
    s.Canvas.TextOut(5, 5, "I");
    const TRect rim = BoxOf(s, Bluish);
    EXPECT_EQ(rim.Left, bar.Left - 1);
    EXPECT_EQ(rim.Right, bar.Right + 1);
    EXPECT_EQ(BoxOf(s, Dark), BoxOf(plain, Dark)) << "the glyphs on top in the font colour";
}

TEST(TextOutRotated, FourHundredFiftyDrawsAsNinetyAndNinetyReadsBottomToTop) {
    TextSurface ninety(60, 80);
    ninety.Canvas.TextOutRotated(20, 70, 90.0, "iWWW");
    TextSurface turned(60, 80);
    turned.Canvas.TextOutRotated(20, 70, 450.0, "iWWW");
    EXPECT_TRUE(ninety.Window.Bitmap() == turned.Window.Bitmap());
    EXPECT_EQ(ninety.Canvas.Font().Orientation(), 0) << "the previous font is selected again";
    EXPECT_EQ(ninety.Canvas.Brush().Style(), bsClear);
    ninety.SavePng("text-rotated-90");

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

TEST(TextOutRotated, TheTurnedTextCoversTheHorizontalTextsBoxTurned) {
    TextSurface flat(80, 80);
    flat.Canvas.TextOut(10, 10, "WMW");
    const TRect a = InkBox(flat);
    TextSurface up(80, 80);
    up.Canvas.TextOutRotated(10, 70, 90.0, "WMW");
    const TRect b = InkBox(up);
    EXPECT_NEAR(b.Width(), a.Height(), 1);
    EXPECT_NEAR(b.Height(), a.Width(), 1);
}

} // namespace
} // namespace mouldview::chart::test
