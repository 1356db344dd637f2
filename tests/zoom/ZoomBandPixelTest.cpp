// The zoom band's pixels on the window: red over the chart's back colour, the exclusive-or rule
// over everything else, the window restored bit for bit when the band is taken away, and the band
// kept paired with the screen across a full repaint in the middle of a drag.
#include "tests/zoom/ZoomTestSupport.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

TEST(ZoomBandPixels, TheBandIsRedOverTheBackColourAndXorElsewhere) {
    ZoomChart w;
    const raster::Bitmap before = w.Window();
    const TColor back = raster::ResolveColor(clBtnFace);
    w.Chart.MouseDown(mbLeft, 100, 60);
    // A band of no size draws nothing.
    EXPECT_EQ(w.Window(), before);
    w.Chart.MouseMove(300, 150);
    const raster::Bitmap& after = w.Window();

    int changed = 0;
    int redOverBack = 0;
    for (int y = 0; y < after.Height(); ++y) {
        for (int x = 0; x < after.Width(); ++x) {
            const TColor was = raster::FromPixel(before.GetPixel(x, y));
            const TColor now = raster::FromPixel(after.GetPixel(x, y));
            if (was == now) {
                continue;
            }
            ++changed;
            // Only pixels near the band's outline change (a 2-pixel pen with round dots).
            const bool nearVertical =
                (std::abs(x - 100) <= 2 || std::abs(x - 299) <= 2) && y >= 58 && y <= 151;
            const bool nearHorizontal =
                (std::abs(y - 60) <= 2 || std::abs(y - 149) <= 2) && x >= 98 && x <= 301;
            EXPECT_TRUE(nearVertical || nearHorizontal) << x << "," << y;
            // Every changed pixel took pen ^ back ^ old.
            EXPECT_EQ(now, (clRed ^ back ^ was) & 0xFFFFFFU) << x << "," << y;
            if (was == back) {
                EXPECT_EQ(now, clRed);
                ++redOverBack;
            }
        }
    }
    // Round dots about 3 pixels across, 4 pixels apart, along an outline of 2 x (200 + 90) pixels.
    EXPECT_GT(redOverBack, 300);
    EXPECT_LT(changed, 3 * 2 * (200 + 90));
    // The plot's inside is not filled: the band has no brush.
    EXPECT_EQ(after.GetPixel(200, 100), before.GetPixel(200, 100));
}

TEST(ZoomBandPixels, DrawingTheBandTwiceRestoresTheWindowBitForBit) {
    ZoomChart w;
    const raster::Bitmap before = w.Window();
    const int paints = w.Chart.FullPaints;
    // Moves in every direction, outside the plot and the window too, then a release too small to act.
    w.Chart.MouseDown(mbLeft, 200, 100);
    for (const auto& p : {TPoint{300, 150}, TPoint{20, 5}, TPoint{-30, 250}, TPoint{500, 30},
                          TPoint{201, 101}, TPoint{420, 190}, TPoint{210, 110}}) {
        w.Chart.MouseMove(p.X, p.Y);
        EXPECT_NE(w.Window(), before);
    }
    w.Chart.MouseUp(mbLeft, 210, 110);
    EXPECT_EQ(w.Window(), before);
    EXPECT_EQ(w.Chart.FullPaints, paints);
}

TEST(ZoomBandPixels, AFullRepaintDuringADragKeepsTheBandPaired) {
    ZoomChart w;
    const raster::Bitmap clean = w.Window();
    w.Chart.MouseDown(mbLeft, 100, 60);
    w.Chart.MouseMove(300, 150);
    const raster::Bitmap withBand = w.Window();

    // Something asks for a paint in the middle of the drag: the frame carries the band.
    w.Chart.RequestRepaint();
    w.Pump();
    EXPECT_EQ(w.Window(), withBand);
    // An uncovered window is served from the buffer, band included.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), withBand);

    // The next move takes the band away and draws the new one; the release removes that one.
    w.Chart.MouseMove(250, 170);
    w.Chart.MouseMove(105, 65);
    const raster::Bitmap movedBand = w.Window();
    // Uncovering the window now copies a buffer that holds the older band; the band on screen
    // must still be the one the drag has.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), movedBand);
    EXPECT_EQ(w.Chart.FullPaints, 2);
    w.Chart.MouseUp(mbLeft, 105, 65);
    EXPECT_EQ(w.Window(), clean);
    // Nor does the older band come back with a later copy once the drag is over.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), clean);
}

TEST(ZoomBandPixels, UncoveringTheWindowDuringADragKeepsTheBand) {
    ZoomChart w;
    const raster::Bitmap clean = w.Window();
    w.Chart.MouseDown(mbLeft, 100, 60);
    w.Chart.MouseMove(300, 150);
    const raster::Bitmap withBand = w.Window();
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), withBand);
    w.Chart.MouseMove(200, 120);
    w.Chart.MouseUp(mbLeft, 110, 70);
    EXPECT_EQ(w.Window(), clean);
    EXPECT_EQ(w.Chart.FullPaints, 1);
}

TEST(ZoomBandPixels, ThePenAsksForAPaintButDrawingTheBandDoesNot) {
    ZoomChart w;
    w.Chart.Zoom().Pen().SetColor(clLime);
    EXPECT_TRUE(w.Chart.PaintPending());
    w.Pump();
    w.Chart.MouseDown(mbLeft, 40, 30);
    w.Chart.MouseMove(300, 150);
    EXPECT_FALSE(w.Chart.PaintPending());
    // Over the button face the band shows in the pen's own colour.
    int lime = 0;
    for (int y = 28; y <= 152; ++y) {
        lime += w.At(40, y) == clLime ? 1 : 0;
    }
    EXPECT_GT(lime, 20);
}

} // namespace
} // namespace mouldview::chart::test
