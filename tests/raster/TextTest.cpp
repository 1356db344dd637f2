// Text: the metrics the chart's layout relies on, extents, alignment flags, turned text, styles,
// the opaque cell and the glyph cache.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"
#include "platform/raster/FontEngine.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

namespace mouldview::raster {
namespace {

using test::BoundingBox;
using test::PaintedPixels;

FontDesc Arial8() {
    FontDesc font;
    font.faceName = "Arial";
    font.height = HeightFromPoints(8);
    return font;
}

TEST(Text, PointsBecomePixelsAsOnThePlatform) {
    EXPECT_EQ(HeightFromPoints(8), -11);
    EXPECT_EQ(HeightFromPoints(10), -13);
    EXPECT_EQ(HeightFromPoints(9), -12);
    EXPECT_EQ(HeightFromPoints(8, 120), -13);
}

TEST(Text, FamiliesResolveToTheirStandIns) {
    EXPECT_EQ(ResolveFont(Arial8()).family, "Liberation Sans");
    FontDesc tahoma;
    tahoma.faceName = "Tahoma";
    EXPECT_EQ(ResolveFont(tahoma).family, "DejaVu Sans");
}

TEST(Text, Arial8PointMeasures13PixelsHigh) {
    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    const TextMetrics metrics = dc.GetTextMetrics();
    EXPECT_EQ(metrics.height, 13);
    EXPECT_EQ(metrics.ascent, 10);
    EXPECT_EQ(metrics.descent, 3);
    EXPECT_EQ(metrics.internalLeading, 2);
    EXPECT_EQ(dc.GetTextExtent("Wg").cy, 13);
    EXPECT_EQ(dc.GetTextExtent("").cx, 0);
    EXPECT_EQ(dc.GetTextExtent("").cy, 13);
}

TEST(Text, ExtentsAddAdvancesAndTheExtraSpacing) {
    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    const int one = dc.GetTextExtent("0").cx;
    EXPECT_GT(one, 3);
    EXPECT_EQ(dc.GetTextExtent("0000").cx, 4 * one);
    EXPECT_GT(dc.GetTextExtent("WWW").cx, dc.GetTextExtent("iii").cx);
    dc.SetTextCharacterExtra(2);
    EXPECT_EQ(dc.GetTextExtent("0000").cx, 4 * one + 8);
    FontDesc bigger = Arial8();
    bigger.height = -22;
    dc.SetFont(bigger);
    EXPECT_GE(dc.GetTextExtent("0").cy, 25);
}

TEST(Text, CellHeightRequestsGiveThatCell) {
    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    FontDesc font = Arial8();
    font.height = 26;
    dc.SetFont(font);
    EXPECT_EQ(dc.GetTextMetrics().height, 26);
}

// Draws `text` in black on white with the given alignment and escapement; returns the ink.
test::PixelSet Ink(const std::string& text, int x, int y, unsigned align, int escapement = 0,
                   Bitmap* out = nullptr) {
    Bitmap bitmap(200, 200);
    DeviceContext dc(bitmap);
    FontDesc font = Arial8();
    font.escapement = escapement;
    dc.SetFont(font);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextAlign(align);
    dc.TextOut(x, y, text);
    if (out != nullptr)
        *out = bitmap;
    return PaintedPixels(bitmap);
}

TEST(Text, AlignmentFlagsPlaceTheReferencePoint) {
    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    const int width = dc.GetTextExtent("Mould").cx;

    const Rect topLeft = BoundingBox(Ink("Mould", 100, 100, TA_LEFT | TA_TOP));
    EXPECT_GE(topLeft.left, 100);
    EXPECT_LE(topLeft.left, 101);
    EXPECT_LE(topLeft.right, 100 + width);
    EXPECT_GE(topLeft.top, 100);
    EXPECT_LE(topLeft.bottom, 100 + 10); // no descender: the ink ends on the baseline

    const Rect right = BoundingBox(Ink("Mould", 100, 100, TA_RIGHT | TA_TOP));
    EXPECT_EQ(right.left, topLeft.left - width);
    const Rect centre = BoundingBox(Ink("Mould", 100, 100, TA_CENTER | TA_TOP));
    EXPECT_EQ(centre.left, topLeft.left - width / 2);

    const Rect baseline = BoundingBox(Ink("Mould", 100, 100, TA_LEFT | TA_BASELINE));
    EXPECT_EQ(baseline.bottom, topLeft.bottom - 10);
    const Rect bottom = BoundingBox(Ink("Mould", 100, 100, TA_LEFT | TA_BOTTOM));
    EXPECT_EQ(bottom.bottom, topLeft.bottom - 13);
}

TEST(Text, QuarterTurnedTextCoversTheTurnedBox) {
    // Pixel (x, y) relative to the reference point turns to (y, -x - 1) at 90 degrees, to
    // (-x - 1, -y - 1) at 180 and to (-y - 1, x) at 270.
    for (unsigned align : {TA_LEFT | TA_TOP, TA_CENTER | TA_BOTTOM, TA_RIGHT | TA_BASELINE}) {
        const test::PixelSet upright = Ink("Wind 42g", 100, 100, align);
        const Rect box = BoundingBox(upright);
        const Rect r{box.left - 100, box.top - 100, box.right - 100, box.bottom - 100};
        Bitmap turnedBitmap;
        const test::PixelSet turned = Ink("Wind 42g", 100, 100, align, 900, &turnedBitmap);
        EXPECT_EQ(BoundingBox(turned), (Rect{100 + r.top, 100 - r.right, 100 + r.bottom, 100 - r.left}));
        EXPECT_EQ(BoundingBox(Ink("Wind 42g", 100, 100, align, 1800)),
                  (Rect{100 - r.right, 100 - r.bottom, 100 - r.left, 100 - r.top}));
        EXPECT_EQ(BoundingBox(Ink("Wind 42g", 100, 100, align, 2700)),
                  (Rect{100 - r.bottom, 100 + r.left, 100 - r.top, 100 + r.right}));
        // The ink itself turns too, pixel for pixel; FreeType's coverage of a turned outline may
        // differ by a few grey levels.
        Bitmap uprightBitmap;
        Ink("Wind 42g", 100, 100, align, 0, &uprightBitmap);
        int worst = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const int tx = 100 + (y - 100);
                const int ty = 100 - (x - 100) - 1;
                if (tx < 0 || ty < 0 || tx >= 200 || ty >= 200)
                    continue;
                const int a = static_cast<int>(uprightBitmap.GetPixel(x, y) & 0xFF);
                const int b = static_cast<int>(turnedBitmap.GetPixel(tx, ty) & 0xFF);
                worst = std::max(worst, std::abs(a - b));
            }
        EXPECT_LE(worst, 8);
        if (align == (TA_LEFT | TA_TOP))
            test::SaveForInspection(turnedBitmap, "text_90_degrees");
    }
    // Any angle: 30 degrees still draws, within the turned cell around the reference point.
    const Rect slanted = BoundingBox(Ink("Wind 42g", 100, 100, TA_LEFT | TA_TOP, 300));
    EXPECT_FALSE(slanted.IsEmpty());
    EXPECT_LT(slanted.top, 100);
}

TEST(Text, NinetyDegreesReadsBottomToTopFromTheReferencePoint) {
    // "I....." : the tall first letter sits at the lower end, right above the reference point.
    const Rect first = BoundingBox(Ink("I", 100, 100, TA_LEFT | TA_TOP, 900));
    const Rect all = BoundingBox(Ink("I___", 100, 100, TA_LEFT | TA_TOP, 900));
    EXPECT_EQ(first.bottom, all.bottom);
    EXPECT_LE(all.bottom, 100);
    EXPECT_LT(all.top, first.top);
    EXPECT_GE(all.left, 100); // the text's top faces left, its glyphs stand right of the point
}

TEST(Text, OpaqueModeFillsTheCellInTheBackgroundColour) {
    Bitmap bitmap(100, 40);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    dc.SetBkMode(BkMode::Opaque);
    dc.SetBkColor(0x00FF00);
    dc.SetTextColor(0x0000FF);
    dc.TextOut(10, 5, "Tg");
    const Size extent = dc.GetTextExtent("Tg");
    EXPECT_EQ(BoundingBox(PaintedPixels(bitmap)), (Rect{10, 5, 10 + extent.cx, 5 + extent.cy}));
    // The glyphs are blended over the cell: strongly red pixels inside it.
    bool red = false;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            red = red || (bitmap.GetPixel(x, y) >> 16 > 0xC0 && ((bitmap.GetPixel(x, y) >> 8) & 0xFF) < 0x40);
    EXPECT_TRUE(red);
}

TEST(Text, GlyphsAreGreyScaleInTheTextColour) {
    Bitmap bitmap(100, 40);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(0x0000FF);
    dc.TextOut(10, 5, "Mould 0.5");
    bool full = false;
    bool partial = false;
    for (const auto& [x, y] : PaintedPixels(bitmap)) {
        const Pixel p = bitmap.GetPixel(x, y);
        EXPECT_EQ(p >> 16, 0xFFu); // red channel stays full: a blend of red over white
        EXPECT_EQ((p >> 8) & 0xFF, p & 0xFF);
        full = full || p == 0xFF0000u;
        partial = partial || p != 0xFF0000u;
    }
    EXPECT_TRUE(full);
    EXPECT_TRUE(partial);
    test::SaveForInspection(bitmap, "text_red");
}

TEST(Text, StylesChangeTheInk) {
    auto ink = [](FontDesc font) {
        Bitmap bitmap(120, 30);
        DeviceContext dc(bitmap);
        dc.SetFont(font);
        dc.SetBkMode(BkMode::Transparent);
        dc.TextOut(5, 5, "Mould index");
        return bitmap;
    };
    const Bitmap plain = ink(Arial8());
    FontDesc bold = Arial8();
    bold.bold = true;
    FontDesc italic = Arial8();
    italic.italic = true;
    FontDesc underline = Arial8();
    underline.underline = true;
    FontDesc strike = Arial8();
    strike.strikeOut = true;
    EXPECT_GT(PaintedPixels(ink(bold)).size(), PaintedPixels(plain).size());
    EXPECT_NE(ink(italic), plain);

    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    dc.SetFont(Arial8());
    const int width = dc.GetTextExtent("Mould index").cx;
    // Underline and strike-out are full-width rows of ink below and across the baseline.
    auto fullRows = [&](const Bitmap& b) {
        std::vector<int> rows;
        for (int y = 0; y < b.Height(); ++y) {
            int count = 0;
            for (int x = 5; x < 5 + width; ++x)
                count += b.GetPixel(x, y) == 0u ? 1 : 0;
            if (count == width)
                rows.push_back(y);
        }
        return rows;
    };
    EXPECT_TRUE(fullRows(plain).empty());
    const std::vector<int> under = fullRows(ink(underline));
    ASSERT_FALSE(under.empty());
    EXPECT_GT(under.front(), 5 + 10 - 1);
    EXPECT_LT(under.back(), 5 + 13);
    const std::vector<int> struck = fullRows(ink(strike));
    ASSERT_FALSE(struck.empty());
    EXPECT_LT(struck.back(), 5 + 10);
    EXPECT_GT(struck.front(), 5 + 2);
}

TEST(Text, TheSameLabelTwiceRendersNoGlyphAgain) {
    Bitmap bitmap(100, 40);
    DeviceContext dc(bitmap);
    FontDesc font = Arial8();
    font.faceName = "Liberation Sans"; // a font of its own for this test, so the count starts here
    font.height = -17;
    dc.SetFont(font);
    dc.TextOut(0, 0, "12.5 kPa");
    FontInstance& instance = FontEngine::Instance().Get(font);
    const std::size_t rendered = instance.RenderCount();
    EXPECT_GT(rendered, 0u);
    const Bitmap first = bitmap;
    dc.TextOut(0, 0, "12.5 kPa");
    dc.TextOut(0, 20, "5.12 aPk");
    EXPECT_EQ(instance.RenderCount(), rendered);
    font.escapement = 900;
    dc.SetFont(font);
    dc.TextOut(50, 39, "12.5");
    const std::size_t turned = instance.RenderCount();
    EXPECT_GT(turned, rendered);
    dc.TextOut(70, 39, "12.5");
    EXPECT_EQ(instance.RenderCount(), turned);
}

TEST(Text, NonUtf8BytesStandForThemselves) {
    Bitmap a(60, 20), b(60, 20);
    DeviceContext dcA(a), dcB(b);
    dcA.SetFont(Arial8());
    dcB.SetFont(Arial8());
    dcA.TextOut(0, 0,
                "\xB0"
                "C"); // Latin-1 degree sign
    dcB.TextOut(0, 0,
                "\xC2\xB0"
                "C"); // the same in UTF-8
    EXPECT_EQ(a, b);
    EXPECT_FALSE(PaintedPixels(a).empty());
}

} // namespace
} // namespace mouldview::raster
