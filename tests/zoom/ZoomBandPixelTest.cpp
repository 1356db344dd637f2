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
    const TColor back = ColorToRGB(w.Chart.BackColor());
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    // A band of no size draws nothing.
    EXPECT_EQ(w.Window(), before);
    w.Chart.MouseMove(ssLeft, 300, 150);
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
    SavePng(after, "zoom-band");
    // The plot's inside is not filled: the band has no brush.
    EXPECT_EQ(w.Chart.Zoom().BrushIfCreated(), nullptr);
    EXPECT_EQ(after.GetPixel(200, 100), before.GetPixel(200, 100));
}

TEST(ZoomBandPixels, DrawingTheBandTwiceRestoresTheWindowBitForBit) {
    ZoomChart w;
    const raster::Bitmap before = w.Window();
    const int paints = w.Chart.FullPaints;
    // Moves in every direction, outside the plot and the window too, then a release too small to act.
    w.Chart.MouseDown(mbLeft, ssLeft, 200, 100);
    for (const auto& p : {TPoint{300, 150}, TPoint{20, 5}, TPoint{-30, 250}, TPoint{500, 30},
                          TPoint{201, 101}, TPoint{420, 190}, TPoint{210, 110}}) {
        w.Chart.MouseMove(ssLeft, p.X, p.Y);
        EXPECT_NE(w.Window(), before);
    }
    w.Chart.MouseUp(mbLeft, TShiftState(), 210, 110);
    EXPECT_EQ(w.Window(), before);
    EXPECT_EQ(w.Chart.FullPaints, paints);

    // With a brush the band is filled as well, and still undoes itself.
    w.Chart.Zoom().Brush().SetStyle(bsDiagCross);
    w.Chart.Zoom().Brush().SetColor(clGreen);
    w.Pump();
    const raster::Bitmap filled = w.Window();
    w.Chart.MouseDown(mbLeft, ssLeft, 120, 40);
    w.Chart.MouseMove(ssLeft, 330, 170);
    int filledInside = 0;
    for (int x = 150; x < 300; ++x) {
        filledInside += w.Window().GetPixel(x, 100) != filled.GetPixel(x, 100) ? 1 : 0;
    }
    EXPECT_GT(filledInside, 20);
    w.Chart.MouseMove(ssLeft, 140, 180);
    w.Chart.MouseUp(mbLeft, TShiftState(), 130, 50);
    EXPECT_EQ(w.Window(), filled);
}

TEST(ZoomBandPixels, AFullRepaintDuringADragKeepsTheBandPaired) {
    ZoomChart w;
    const raster::Bitmap clean = w.Window();
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseMove(ssLeft, 300, 150);
    const raster::Bitmap withBand = w.Window();
    const int bands = w.Chart.BandsDrawn;

    // Something asks for a paint in the middle of the drag: the frame carries the band.
    w.Chart.RequestRepaint();
    w.Pump();
    EXPECT_EQ(w.Chart.BandsDrawn, bands + 1);
    EXPECT_EQ(w.Window(), withBand);
    // An uncovered window is served from the buffer, band included.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), withBand);

    // The next move takes the band away and draws the new one; the release removes that one.
    w.Chart.MouseMove(ssLeft, 250, 170);
    w.Chart.MouseMove(ssLeft, 105, 65);
    const raster::Bitmap movedBand = w.Window();
    // Uncovering the window now copies a buffer that holds the older band; the band on screen
    // must still be the one the drag has.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), movedBand);
    EXPECT_EQ(w.Chart.FullPaints, 2);
    w.Chart.MouseUp(mbLeft, TShiftState(), 105, 65);
    EXPECT_EQ(w.Window(), clean);
    // Nor does the older band come back with a later copy once the drag is over.
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), clean);
}

TEST(ZoomBandPixels, UncoveringTheWindowDuringADragKeepsTheBand) {
    ZoomChart w;
    const raster::Bitmap clean = w.Window();
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseMove(ssLeft, 300, 150);
    const raster::Bitmap withBand = w.Window();
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Window(), withBand);
    w.Chart.MouseMove(ssLeft, 200, 120);
    w.Chart.MouseUp(mbLeft, TShiftState(), 110, 70);
    EXPECT_EQ(w.Window(), clean);
    EXPECT_EQ(w.Chart.FullPaints, 1);
}

TEST(ZoomBandPixels, TheBandShowsInThePenColourOverAnyBackColour) {
    ZoomChart w;
    w.Chart.SetColor(0x336699);
    w.Chart.Zoom().Pen().SetColor(clLime);
    w.Pump();
    const raster::Bitmap before = w.Window();
    ASSERT_EQ(w.At(50, 100), 0x336699U);
    w.Chart.MouseDown(mbLeft, ssLeft, 40, 30);
    w.Chart.MouseMove(ssLeft, 300, 150);
    int lime = 0;
    for (int y = 28; y <= 152; ++y) {
        const TColor was = raster::FromPixel(before.GetPixel(40, y));
        const TColor now = w.At(40, y);
        if (was == 0x336699U && now != was) {
            EXPECT_EQ(now, clLime);
            ++lime;
        }
    }
    EXPECT_GT(lime, 40);
}

} // namespace
} // namespace mouldview::chart::test
