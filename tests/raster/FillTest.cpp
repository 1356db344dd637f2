// Rectangles, FillRect, polygons and brushes: exact pixel extents, hatch patterns in both background
// modes, and the two polygon fill rules.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>

namespace mouldview::raster {
namespace {

using test::PaintedPixels;
using test::PixelSet;

constexpr ColorRef red = 0x0000FF;
constexpr Pixel redPixel = 0xFF0000;
constexpr ColorRef blue = 0xFF0000;
constexpr Pixel bluePixel = 0x0000FF;

Brush SolidBrush(ColorRef color) {
    return Brush{BrushStyle::Solid, color, nullptr, false};
}

TEST(Fill, FillRectPaintsTheHalfOpenRectangle) {
    Bitmap bitmap(10, 10);
    DeviceContext dc(bitmap);
    dc.SetBrush(SolidBrush(red));
    dc.FillRect(Rect{2, 3, 5, 7});
    EXPECT_EQ(test::BoundingBox(PaintedPixels(bitmap)), (Rect{2, 3, 5, 7}));
    EXPECT_EQ(PaintedPixels(bitmap).size(), 12u);
    dc.FillRect(Rect{6, 6, 6, 9}); // empty
    dc.FillRect(Rect{9, 9, 8, 8}); // inverted: nothing, as on the platform
    EXPECT_EQ(PaintedPixels(bitmap).size(), 12u);
}

TEST(Fill, RectangleOutlinesItsLastColumnAndRowAndFillsInside) {
    Bitmap bitmap(12, 12);
    DeviceContext dc(bitmap);
    dc.SetBrush(SolidBrush(blue));
    dc.SetPen(MakePen(PenStyle::Solid, 1, red));
    dc.Rectangle(0, 0, 10, 10);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool outline = (x == 0 || x == 9 || y == 0 || y == 9) && x < 10 && y < 10;
            const bool inside = x > 0 && x < 9 && y > 0 && y < 9;
            const Pixel want = outline ? redPixel : inside ? bluePixel : test::white;
            ASSERT_EQ(bitmap.GetPixel(x, y), want) << x << "," << y;
        }
}

TEST(Fill, RectangleCornersMayComeInAnyOrder) {
    Bitmap a(12, 12), b(12, 12);
    DeviceContext dcA(a), dcB(b);
    dcA.Rectangle(1, 2, 9, 10);
    dcB.Rectangle(9, 10, 1, 2);
    EXPECT_EQ(a, b);
}

TEST(Fill, RectangleWithAClearPenFillsOnePixelShort) {
    Bitmap bitmap(12, 12);
    DeviceContext dc(bitmap);
    dc.SetBrush(SolidBrush(blue));
    dc.SetPen(MakePen(PenStyle::Clear, 1, 0));
    dc.Rectangle(0, 0, 10, 10);
    EXPECT_EQ(test::BoundingBox(PaintedPixels(bitmap)), (Rect{0, 0, 9, 9}));
    EXPECT_EQ(PaintedPixels(bitmap).size(), 81u);
}

TEST(Fill, RectangleWithAClearBrushOnlyOutlines) {
    Bitmap bitmap(12, 12);
    DeviceContext dc(bitmap);
    dc.SetBrush(Brush{BrushStyle::Clear, red, nullptr, false});
    dc.Rectangle(2, 2, 7, 6);
    EXPECT_EQ(PaintedPixels(bitmap).size(), 2u * 5 + 2u * 2);
    dc.Rectangle(9, 1, 10, 5); // one pixel wide: a single line, end included
    EXPECT_EQ(PaintedPixels(bitmap).size(), 14u + 4u);
}

TEST(Fill, PolygonFillsInsideAndStrokesThroughEveryVertex) {
    Bitmap bitmap(14, 14);
    DeviceContext dc(bitmap);
    dc.SetBrush(SolidBrush(blue));
    dc.SetPen(MakePen(PenStyle::Solid, 1, red));
    const Point square[] = {{1, 1}, {11, 1}, {11, 11}, {1, 11}};
    dc.Polygon(square);
    EXPECT_EQ(test::BoundingBox(PaintedPixels(bitmap)), (Rect{1, 1, 12, 12}));
    EXPECT_EQ(bitmap.GetPixel(11, 11), redPixel);
    EXPECT_EQ(bitmap.GetPixel(5, 5), bluePixel);

    Bitmap fillOnly(14, 14);
    DeviceContext dc2(fillOnly);
    dc2.SetBrush(SolidBrush(blue));
    dc2.SetPen(MakePen(PenStyle::Clear, 1, 0));
    dc2.Polygon(square);
    EXPECT_EQ(test::BoundingBox(PaintedPixels(fillOnly)), (Rect{1, 1, 11, 11}));
}

TEST(Fill, PolygonFillModes) {
    // A pentagram: its centre is inside by winding number but outside by the alternate rule.
    const Point star[] = {{20, 2}, {31, 36}, {2, 15}, {38, 15}, {9, 36}};
    Bitmap alternate(40, 40), winding(40, 40);
    DeviceContext dcA(alternate), dcW(winding);
    for (DeviceContext* dc : {&dcA, &dcW}) {
        dc->SetPen(MakePen(PenStyle::Clear, 1, 0));
        dc->SetBrush(SolidBrush(0));
    }
    dcW.SetPolyFillMode(PolyFillMode::Winding);
    dcA.Polygon(star);
    dcW.Polygon(star);
    EXPECT_EQ(dcA.GetPolyFillMode(), PolyFillMode::Alternate);
    EXPECT_EQ(alternate.GetPixel(20, 20), test::white);
    EXPECT_EQ(winding.GetPixel(20, 20), test::black);
    EXPECT_EQ(alternate.GetPixel(20, 8), test::black);
    test::SaveForInspection(alternate, "polygon_alternate");
}

TEST(Fill, HatchesFollowTheirEightByEightPatterns) {
    struct Case {
        BrushStyle style;
        unsigned char rows[8];
    };
    const Case cases[] = {{BrushStyle::Horizontal, {0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00}},
                          {BrushStyle::Vertical, {0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08, 0x08}},
                          {BrushStyle::FDiagonal, {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01}},
                          {BrushStyle::BDiagonal, {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80}},
                          {BrushStyle::Cross, {0x08, 0x08, 0x08, 0xFF, 0x08, 0x08, 0x08, 0x08}},
                          {BrushStyle::DiagCross, {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81}}};
    for (const Case& c : cases) {
        for (BkMode mode : {BkMode::Opaque, BkMode::Transparent}) {
            Bitmap bitmap(20, 20, 0x00444444);
            DeviceContext dc(bitmap);
            dc.SetBkMode(mode);
            dc.SetBkColor(blue);
            dc.FillRect(Rect{2, 3, 19, 20}, Brush{c.style, red, nullptr, false});
            for (int y = 3; y < 20; ++y)
                for (int x = 2; x < 19; ++x) {
                    const bool set = (c.rows[y % 8] & (0x80 >> (x % 8))) != 0;
                    const Pixel want = set ? redPixel : mode == BkMode::Opaque ? bluePixel : 0x00444444u;
                    ASSERT_EQ(bitmap.GetPixel(x, y), want)
                        << static_cast<int>(c.style) << " " << x << "," << y;
                }
            EXPECT_EQ(bitmap.GetPixel(1, 5), 0x00444444u);
        }
    }
}

TEST(Fill, PatternBrushes) {
    auto pattern = std::make_shared<Bitmap>(2, 2, 0x00FFFFFF);
    pattern->SetPixel(0, 0, 0);
    Bitmap bitmap(4, 4, 0x00444444);
    DeviceContext dc(bitmap);
    dc.SetTextColor(red);
    dc.SetBkMode(BkMode::Transparent);
    dc.FillRect(Rect{0, 0, 4, 4}, Brush{BrushStyle::Pattern, red, pattern, true});
    EXPECT_EQ(bitmap.GetPixel(2, 2), redPixel);
    EXPECT_EQ(bitmap.GetPixel(3, 2), 0x00444444u);
    dc.FillRect(Rect{0, 0, 4, 4}, Brush{BrushStyle::Pattern, red, pattern, false});
    EXPECT_EQ(bitmap.GetPixel(2, 2), 0u);
    EXPECT_EQ(bitmap.GetPixel(3, 2), test::white);
}

} // namespace
} // namespace mouldview::raster
