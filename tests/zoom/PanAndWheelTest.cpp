// Panning with the right button and scrolling with the wheel on the painted window chart: the
// content follows the pointer exactly, leaving the plot or releasing any button ends a pan, and
// wheel notches move the vertical axis by 3 % without anything to undo.
#include "tests/zoom/ZoomTestSupport.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

bool IsBlue(const raster::Bitmap& bitmap, int x, int y) {
    return raster::FromPixel(bitmap.GetPixel(x, y)) == clBlue;
}

TEST(Pan, ARightDragMovesTheContentByExactlyThePointerMovement) {
    ZoomChart w;
    const TRect r = w.Chart.ChartRect();
    const raster::Bitmap before = w.Window();
    const double underPointer = w.Bottom().PixelToValue(150);
    const double delta = w.Bottom().PixelToValue(150) - w.Bottom().PixelToValue(200);
    ASSERT_LT(delta, 0);
    const int paints = w.Chart.FullPaints;

    w.Chart.MouseDown(mbRight, 150, 100);
    EXPECT_TRUE(w.Chart.PanningState().DragActive());
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Chart.MouseMove(200, 100);
    EXPECT_TRUE(w.Chart.PaintPending());
    // The bottom axis moves down by the values of 50 pixels; the vertical axes stay.
    EXPECT_EQ(w.Bottom().Minimum(), 1 + delta);
    EXPECT_EQ(w.Bottom().Maximum(), ZoomChart::PointCount + delta);
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{false, false, false}));
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_FALSE(w.Chart.ScalesRestored());
    w.Pump();
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
    ASSERT_EQ(w.Chart.ChartRect(), r);
    EXPECT_EQ(w.Bottom().ValueToPixel(underPointer), 200);

    // The curve's pixels moved 50 columns to the right (away from where clipping cuts segments).
    const raster::Bitmap& after = w.Window();
    int blue = 0;
    for (int y = r.Top + 1; y < r.Bottom; ++y) {
        for (int x = r.Left + 1 + 50 + 20; x < r.Right - 20; ++x) {
            EXPECT_EQ(IsBlue(after, x, y), IsBlue(before, x - 50, y)) << x << "," << y;
            blue += IsBlue(after, x, y) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 100);

    // Back to the left in small steps with paints between: the same value stays under the pointer.
    for (int x = 190; x >= 100; x -= 10) {
        w.Chart.MouseMove(x, 100);
        w.Pump();
        EXPECT_EQ(w.Bottom().ValueToPixel(underPointer), x);
    }
    w.Chart.MouseUp(mbRight, 100, 100);
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
}

TEST(Pan, ADownwardDragMovesTheVerticalAxesUp) {
    ZoomChart w;
    const double underPointer = w.Left().PixelToValue(80);
    const double delta = w.Left().PixelToValue(80) - w.Left().PixelToValue(130);
    ASSERT_GT(delta, 0);
    w.Chart.MouseDown(mbRight, 200, 80);
    w.Chart.MouseMove(200, 130);
    EXPECT_EQ(w.Left().Minimum(), 0 + delta);
    EXPECT_EQ(w.Left().Maximum(), 6 + delta);
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
    w.Pump();
    EXPECT_EQ(w.Left().ValueToPixel(underPointer), 130);
    w.Chart.MouseUp(mbRight, 200, 130);
    // Undo puts back the scales saved at the first pan step.
    w.Chart.UndoZoom();
    w.Pump();
    EXPECT_EQ(w.Left().Minimum(), 0);
    EXPECT_EQ(w.Left().Maximum(), 6);
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
}

TEST(Pan, LeavingThePlotStopsPanningForGood) {
    ZoomChart w;
    const TRect r = w.Chart.ChartRect();
    w.Chart.MouseDown(mbRight, 200, 100);
    // The edges still count as inside.
    w.Chart.MouseMove(r.Right, 100);
    EXPECT_TRUE(w.Chart.PanningState().DragActive());
    w.Pump();
    const double minimum = w.Bottom().Minimum();
    w.Chart.MouseMove(r.Right + 1, 100);
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
    EXPECT_FALSE(w.Chart.PaintPending());
    w.Chart.MouseMove(150, 100);
    w.Chart.MouseMove(120, 110);
    EXPECT_EQ(w.Bottom().Minimum(), minimum);
    EXPECT_FALSE(w.Chart.PaintPending());
    w.Chart.MouseUp(mbRight, 120, 110);
    EXPECT_EQ(w.Bottom().Minimum(), minimum);
}

TEST(Pan, AnyReleaseOrLeavingTheWindowEndsAPan) {
    ZoomChart w;
    w.Chart.MouseDown(mbRight, 200, 100);
    // The left press is ignored while the pan runs; its release ends the pan.
    w.Chart.MouseDown(mbLeft, 200, 100);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    EXPECT_EQ(w.Presentations, 0);
    w.Chart.MouseUp(mbLeft, 200, 100);
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
    w.Chart.MouseMove(230, 100);
    EXPECT_TRUE(w.Chart.ScalesRestored());

    w.Chart.MouseDown(mbRight, 200, 100);
    w.Chart.PointerLeaves();
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
}

TEST(Wheel, OneNotchScrollsTheVerticalAxisByThreePercentWithNothingToUndo) {
    ZoomChart w;
    w.Chart.MouseWheel(platform::WheelDirection::wdDown);
    EXPECT_DOUBLE_EQ(w.Left().Minimum(), 0.18);
    EXPECT_DOUBLE_EQ(w.Left().Maximum(), 6.18);
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, false}));
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
    EXPECT_TRUE(w.Chart.PaintPending());
    w.Pump();
    EXPECT_NEAR(w.Left().WorkMin(), 0.18, 1e-12);

    w.Chart.UndoZoom();
    w.Pump();
    EXPECT_DOUBLE_EQ(w.Left().Minimum(), 0.18);
    EXPECT_DOUBLE_EQ(w.Left().Maximum(), 6.18);

    w.Chart.MouseWheel(platform::WheelDirection::wdUp);
    EXPECT_NEAR(w.Left().Minimum(), 0, 1e-12);
    EXPECT_DOUBLE_EQ(w.Left().Maximum(), 6.0);
}

TEST(Wheel, NotchesAfterAZoomAreUndoneWithIt) {
    ZoomChart w;
    w.LeftDrag(100, 60, 300, 150);
    w.Chart.MouseWheel(platform::WheelDirection::wdDown);
    w.Chart.MouseWheel(platform::WheelDirection::wdUp);
    w.Chart.MouseWheel(platform::WheelDirection::wdUp);
    w.Chart.UndoZoom();
    EXPECT_EQ(w.Left().Minimum(), 0);
    EXPECT_EQ(w.Left().Maximum(), 6);
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
}

} // namespace
} // namespace mouldview::chart::test
