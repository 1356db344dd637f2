// The sixteen raster operations against their truth tables, for pens and for brush fills, and the
// self-cancelling of not-xor drawing.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>
#include <random>

namespace mouldview::raster {
namespace {

// The operations as the platform documents them, D the destination and P the pen.
Pixel Expected(RasterOp op, Pixel p, Pixel d) {
    Pixel r = 0;
    switch (op) {
    case RasterOp::Black:
        r = 0;
        break;
    case RasterOp::NotMergePen:
        r = ~(p | d);
        break;
    case RasterOp::MaskNotPen:
        r = d & ~p;
        break;
    case RasterOp::NotCopyPen:
        r = ~p;
        break;
    case RasterOp::MaskPenNot:
        r = p & ~d;
        break;
    case RasterOp::Not:
        r = ~d;
        break;
    case RasterOp::XorPen:
        r = p ^ d;
        break;
    case RasterOp::NotMaskPen:
        r = ~(p & d);
        break;
    case RasterOp::MaskPen:
        r = p & d;
        break;
    case RasterOp::NotXorPen:
        r = ~(p ^ d);
        break;
    case RasterOp::Nop:
        r = d;
        break;
    case RasterOp::MergeNotPen:
        r = d | ~p;
        break;
    case RasterOp::CopyPen:
        r = p;
        break;
    case RasterOp::MergePenNot:
        r = p | ~d;
        break;
    case RasterOp::MergePen:
        r = p | d;
        break;
    case RasterOp::White:
        r = 0xFFFFFF;
        break;
    }
    return r & 0x00FFFFFFu;
}

TEST(RasterOp, EveryOperationFollowsItsTruthTableForPensAndFills) {
    std::mt19937 random(7);
    for (int code = 1; code <= 16; ++code) {
        const auto op = static_cast<RasterOp>(code);
        for (int trial = 0; trial < 20; ++trial) {
            const Pixel d = random() & 0x00FFFFFFu;
            const Pixel p = random() & 0x00FFFFFFu;
            EXPECT_EQ(ApplyRop(op, p, d), Expected(op, p, d)) << code;

            // Cosmetic pen, wide pen and brush fill all go through the operation once.
            Bitmap bitmap(12, 12, d);
            DeviceContext dc(bitmap);
            dc.SetRop2(op);
            dc.SetPen(MakePen(PenStyle::Solid, 1, FromPixel(p)));
            dc.MoveTo(0, 0);
            dc.LineTo(5, 0);
            dc.SetPen(MakePen(PenStyle::Solid, 3, FromPixel(p)));
            dc.MoveTo(1, 4);
            dc.LineTo(9, 4);
            dc.SetPen(MakePen(PenStyle::Clear, 1, 0));
            dc.SetBrush(Brush{BrushStyle::Solid, FromPixel(p), nullptr, false});
            dc.Rectangle(0, 8, 4, 12);
            const Pixel want = Expected(op, p, d);
            EXPECT_EQ(bitmap.GetPixel(2, 0), want) << "pen " << code;
            EXPECT_EQ(bitmap.GetPixel(4, 4), want) << "wide pen " << code;
            EXPECT_EQ(bitmap.GetPixel(4, 5), want) << "wide pen " << code;
            EXPECT_EQ(bitmap.GetPixel(1, 9), want) << "fill " << code;
            EXPECT_EQ(bitmap.GetPixel(11, 11), d) << code;
        }
    }
}

TEST(RasterOp, FillRectCopiesWhateverTheOperation) {
    Bitmap bitmap(4, 4, 0x00123456);
    DeviceContext dc(bitmap);
    dc.SetRop2(RasterOp::XorPen);
    dc.SetBrush(Brush{BrushStyle::Solid, 0x0000FF, nullptr, false});
    dc.FillRect(Rect{0, 0, 4, 4});
    EXPECT_EQ(bitmap, Bitmap(4, 4, 0xFF0000));
}

TEST(RasterOp, NotXorDrawnTwiceRestoresEveryPixel) {
    // A picture with varied content; the bands are drawn over it and then again.
    Bitmap original(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            original.SetPixel(x, y,
                              MakePixel(static_cast<unsigned>(x * 4), static_cast<unsigned>(y * 5), 77));
    Bitmap bitmap = original;
    DeviceContext dc(bitmap);
    dc.SetRop2(RasterOp::NotXorPen);
    dc.SetBrush(Brush{BrushStyle::Clear, 0, nullptr, false});

    auto drawBands = [&] {
        // The zoom rubber band: a dotted width-2 pen with round caps around a rectangle.
        Pen band = MakePen(PenStyle::Dot, 2, 0x0000FF ^ 0xFFFFFF);
        dc.SetPen(band);
        dc.Rectangle(5, 6, 40, 30);
        dc.Rectangle(20, 20, 21, 22); // degenerate bands too
        dc.SetPen(MakePen(PenStyle::Dash, 1, 0x00FF00));
        dc.Rectangle(10, 10, 60, 44);
        dc.Rectangle(30, 3, 31, 9);
        Pen wide = MakePen(PenStyle::Solid, 5, 0x808080);
        wide.join = LineJoin::Miter;
        wide.endCap = EndCap::Square;
        dc.SetPen(wide);
        const Point zigzag[] = {{3, 40}, {20, 25}, {25, 45}, {50, 20}, {52, 21}};
        dc.Polyline(zigzag);
        dc.SetPen(MakePen(PenStyle::Solid, 1, 0x111111));
        dc.Polyline(zigzag);
    };
    drawBands();
    EXPECT_NE(bitmap, original);
    test::SaveForInspection(bitmap, "notxor_bands");
    drawBands();
    EXPECT_EQ(bitmap, original);
}

} // namespace
} // namespace mouldview::raster
