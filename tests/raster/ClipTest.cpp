// Clipping: random drawing never touches a pixel outside a random clip rectangle, and the clip
// can be narrowed, read back, restored and removed.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>
#include <random>

namespace mouldview::raster {
namespace {

TEST(Clip, RandomDrawingNeverCrossesARandomClip) {
    std::mt19937 random(2024);
    auto coordinate = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const Bitmap source(30, 20, 0x00ABCDEF);
    for (int trial = 0; trial < 300; ++trial) {
        Bitmap bitmap(60, 50, 0x00102030);
        DeviceContext dc(bitmap);
        const Rect clip{coordinate(-5, 40), coordinate(-5, 35), coordinate(0, 65), coordinate(0, 55)};
        dc.IntersectClip(clip);
        dc.SetBkMode(trial % 2 == 0 ? BkMode::Opaque : BkMode::Transparent);
        dc.SetBkColor(0x00FF00);
        dc.SetRop2(static_cast<RasterOp>(coordinate(1, 16)));
        const int width = coordinate(1, 9);
        Pen pen = MakePen(static_cast<PenStyle>(coordinate(0, 4)), width, 0x0000FF);
        pen.endCap = static_cast<EndCap>(coordinate(0, 2));
        pen.join = static_cast<LineJoin>(coordinate(0, 2));
        dc.SetPen(pen);
        dc.SetBrush(Brush{static_cast<BrushStyle>(coordinate(0, 7)), 0xFF00FF, nullptr, false});
        for (int k = 0; k < 4; ++k) {
            dc.MoveTo(coordinate(-30, 90), coordinate(-30, 80));
            dc.LineTo(coordinate(-30, 90), coordinate(-30, 80));
        }
        dc.Rectangle(coordinate(-10, 70), coordinate(-10, 60), coordinate(-10, 70), coordinate(-10, 60));
        const Point polygon[] = {{coordinate(-20, 80), coordinate(-20, 70)},
                                 {coordinate(-20, 80), coordinate(-20, 70)},
                                 {coordinate(-20, 80), coordinate(-20, 70)},
                                 {coordinate(-20, 80), coordinate(-20, 70)}};
        dc.Polygon(polygon);
        dc.FillRect(Rect{coordinate(-10, 70), coordinate(-10, 60), coordinate(-10, 70), coordinate(-10, 60)});
        dc.SetPixel(coordinate(-2, 62), coordinate(-2, 52), 0xFFFFFF);
        dc.BitBlt(coordinate(-30, 60), coordinate(-20, 50), source);
        FontDesc font;
        font.height = -coordinate(8, 20);
        font.escapement = coordinate(0, 3600);
        font.underline = true;
        dc.SetFont(font);
        dc.SetTextAlign(static_cast<unsigned>(coordinate(0, 1)) * TA_CENTER);
        dc.TextOut(coordinate(-10, 70), coordinate(-10, 60), "Clip Wg");

        const Rect inside = Intersect(clip, bitmap.Bounds());
        for (int y = 0; y < 50; ++y)
            for (int x = 0; x < 60; ++x) {
                if (!inside.Contains(x, y)) {
                    ASSERT_EQ(bitmap.GetPixel(x, y), 0x00102030u)
                        << "trial " << trial << " at " << x << "," << y;
                }
            }
    }
}

TEST(Clip, NarrowSaveRestoreAndRemove) {
    Bitmap bitmap(20, 20);
    DeviceContext dc(bitmap);
    EXPECT_FALSE(dc.GetClip().has_value());
    dc.IntersectClip(Rect{2, 2, 15, 15});
    const std::optional<Rect> saved = dc.GetClip();
    dc.IntersectClip(Rect{10, 0, 30, 12});
    EXPECT_EQ(dc.GetClip(), (Rect{10, 2, 15, 12}));
    dc.SetClip(saved);
    EXPECT_EQ(dc.GetClip(), (Rect{2, 2, 15, 15}));
    dc.IntersectClip(Rect{16, 16, 18, 18}); // disjoint: nothing may be drawn at all
    dc.SetBrush(Brush{BrushStyle::Solid, 0, nullptr, false});
    dc.FillRect(Rect{0, 0, 20, 20});
    EXPECT_EQ(bitmap, Bitmap(20, 20));
    EXPECT_EQ(dc.GetPixel(3, 3), DeviceContext::CLR_INVALID);
    dc.RemoveClip();
    dc.FillRect(Rect{0, 0, 20, 20});
    EXPECT_EQ(bitmap, Bitmap(20, 20, 0));
}

} // namespace
} // namespace mouldview::raster
