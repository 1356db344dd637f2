// Zoom drags with the left button on the painted window chart: the values the axes take, the size
// threshold, zoom or undo by the drag's direction, one level of undo, presses that start nothing,
// and what a move costs while the band follows the pointer.
#include "tests/zoom/ZoomTestSupport.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

struct Range {
    double Minimum;
    double Maximum;
    friend bool operator==(const Range&, const Range&) = default;
};

Range RangeOf(const TChartAxis& axis) {
    return Range{axis.Minimum(), axis.Maximum()};
}

TEST(ZoomDrag, BandFromTopLeftToBottomRightZoomsBothAxesToTheValuesUnderIt) {
    ZoomChart w;
    const TRect r = w.Chart.ChartRect();
    ASSERT_LT(r.Left, 100);
    ASSERT_GT(r.Right, 300);
    ASSERT_LT(r.Top, 60);
    ASSERT_GT(r.Bottom, 150);
    // The layout of the first paint: left axis 0..6 fixed at 0, bottom axis over the periods.
    ASSERT_EQ(RangeOf(w.Left()), (Range{0, 6}));
    ASSERT_EQ(RangeOf(w.Bottom()), (Range{1, ZoomChart::PointCount}));
    ASSERT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));

    const Range bottom{w.Bottom().PixelToValue(100), w.Bottom().PixelToValue(300)};
    const Range left{w.Left().PixelToValue(150), w.Left().PixelToValue(60)};
    // The values at those pixels by the plain linear mapping of the plot rectangle.
    EXPECT_DOUBLE_EQ(bottom.Minimum, 1 + (100.0 - r.Left) * (ZoomChart::PointCount - 1) / (r.Right - r.Left));
    EXPECT_DOUBLE_EQ(left.Maximum, 6 - (60.0 - r.Top) * 6 / (r.Bottom - r.Top));

    const int paints = w.Chart.FullPaints;
    w.Chart.MouseDown(mbLeft, 100, 60);
    w.Chart.MouseMove(300, 150);
    EXPECT_FALSE(w.Chart.PaintPending());
    w.Chart.MouseUp(mbLeft, 300, 150);
    EXPECT_TRUE(w.Chart.PaintPending());
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), left);
    for (TChartAxis* axis : {&w.Left(), &w.Bottom()}) {
        EXPECT_EQ(FlagsOf(*axis), (Flags{false, false, false}));
    }
    EXPECT_FALSE(w.Chart.ScalesRestored());
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Pump();
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
    // The next paint shows exactly the band's values across the plot.
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_DOUBLE_EQ(w.Bottom().WorkMin(), bottom.Minimum);
    EXPECT_DOUBLE_EQ(w.Left().WorkMax(), left.Maximum);
}

TEST(ZoomDrag, ADragMustSpanMoreThanSixteenPixelsEachWay) {
    ZoomChart w;
    const Range bottom = RangeOf(w.Bottom());
    const Range left = RangeOf(w.Left());
    const int paints = w.Chart.FullPaints;
    for (const auto& end : {TPoint{116, 150}, TPoint{300, 76}, TPoint{84, 44}, TPoint{100, 60}}) {
        w.Chart.MouseDown(mbLeft, 100, 60);
        w.Chart.MouseMove(end.X, end.Y);
        w.Chart.MouseUp(mbLeft, end.X, end.Y);
        EXPECT_FALSE(w.Chart.PaintPending()) << end.X << "," << end.Y;
        w.Pump();
    }
    EXPECT_EQ(w.Chart.FullPaints, paints);
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), left);
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_TRUE(w.Chart.ScalesRestored());

    const double at100 = w.Bottom().PixelToValue(100);
    const double at117 = w.Bottom().PixelToValue(117);
    w.LeftDrag(100, 60, 117, 77);
    EXPECT_EQ(RangeOf(w.Bottom()), (Range{at100, at117}));
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
}

TEST(ZoomDrag, OnlyTheHorizontalSenseDecidesBetweenZoomAndUndo) {
    ZoomChart w;
    const Range bottom = RangeOf(w.Bottom());
    const Range left = RangeOf(w.Left());

    // Towards the top right: zoom, although the drag went up.
    const Range expected{w.Bottom().PixelToValue(100), w.Bottom().PixelToValue(300)};
    const Range expectedLeft{w.Left().PixelToValue(150), w.Left().PixelToValue(60)};
    w.LeftDrag(100, 150, 300, 60);
    EXPECT_EQ(RangeOf(w.Bottom()), expected);
    EXPECT_EQ(RangeOf(w.Left()), expectedLeft);

    // Towards the top left: undo.
    w.LeftDrag(300, 150, 100, 60);
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), left);
    EXPECT_TRUE(w.Chart.ScalesRestored());

    // Towards the bottom left: undo as well.
    w.LeftDrag(100, 60, 300, 150);
    ASSERT_FALSE(w.Chart.ScalesRestored());
    w.LeftDrag(300, 60, 100, 150);
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), left);
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
}

TEST(ZoomDrag, UndoAfterTwoZoomsAndAPanRestoresTheScalesOfBeforeTheFirst) {
    ZoomChart w;
    const Range bottom = RangeOf(w.Bottom());
    w.LeftDrag(100, 60, 300, 150);
    w.LeftDrag(150, 80, 250, 120);
    w.Chart.MouseDown(mbRight, 200, 100);
    w.Chart.MouseMove(220, 110);
    w.Chart.MouseUp(mbRight, 220, 110);
    w.Pump();
    // Later zooms and pans leave the first saved state alone.
    w.Chart.UndoZoom();
    EXPECT_TRUE(w.Chart.ScalesRestored());
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
    EXPECT_EQ(RangeOf(w.Left()), (Range{0, 6}));
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    w.Pump();
    // The automatic ends follow the data again.
    EXPECT_EQ(RangeOf(w.Left()), (Range{0, 6}));
    EXPECT_EQ(RangeOf(w.Bottom()), (Range{1, ZoomChart::PointCount}));
}

TEST(ZoomDrag, UndoWithNothingSavedOnlyRepaints) {
    ZoomChart w;
    const Range bottom = RangeOf(w.Bottom());
    const int paints = w.Chart.FullPaints;
    w.LeftDrag(300, 150, 100, 60);
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), (Range{0, 6}));
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
    EXPECT_TRUE(w.Chart.ScalesRestored());
}

TEST(ZoomDrag, PressesInTheMarginStartNothingButAxesAndTitleDo) {
    ZoomChart w;
    const TRect r = w.Chart.ChartRect();
    const TChartAxis& left = w.Left();
    const TRect title = w.Chart.Title().ShapeBounds();
    const auto startsZoom = [&w](int x, int y) {
        w.Chart.MouseDown(mbLeft, x, y);
        const bool started = w.Chart.Zoom().DragActive();
        w.Chart.MouseUp(mbLeft, x, y);
        return started;
    };
    // Left margin, right margin, below the bottom axis title, above the title: no part is hit.
    for (const auto& p :
         {TPoint{3, 100}, TPoint{440, 100}, TPoint{200, 199}, TPoint{2, 2}, TPoint{0, 0}, TPoint{200, 2}}) {
        EXPECT_FALSE(startsZoom(p.X, p.Y)) << p.X << "," << p.Y;
        w.Chart.MouseDown(mbRight, p.X, p.Y);
        EXPECT_FALSE(w.Chart.PanningState().DragActive());
        w.Chart.MouseUp(mbRight, p.X, p.Y);
    }
    EXPECT_EQ(w.Presentations, 0);
    // The left axis: from its labels' inner edge to 3 pixels past its line, along its length.
    EXPECT_TRUE(startsZoom(left.LabelsPos(), 100));
    EXPECT_FALSE(startsZoom(left.LabelsPos() - 1, 100));
    EXPECT_TRUE(startsZoom(left.LabelsPos(), left.EndPos()));
    EXPECT_FALSE(startsZoom(left.LabelsPos(), left.EndPos() + 1));
    // The plot, edges included, and the title.
    EXPECT_TRUE(startsZoom(r.Right, r.Top));
    EXPECT_FALSE(startsZoom(r.Right + 1, r.Top));
    EXPECT_TRUE(startsZoom(title.Left, title.Top));
    EXPECT_FALSE(startsZoom(title.Left - 1, title.Top));

    // A press on the axis starts a drag at the raw press point, outside ChartRect.
    w.Chart.MouseDown(mbLeft, left.LabelsPos(), 100);
    EXPECT_EQ(w.Chart.Zoom().StartX(), left.LabelsPos());
    w.Chart.MouseUp(mbLeft, left.LabelsPos(), 100);
    w.Chart.MouseDown(mbRight, title.Left + 1, title.Top + 1);
    EXPECT_TRUE(w.Chart.PanningState().DragActive());
    w.Chart.MouseUp(mbRight, title.Left + 1, title.Top + 1);
}

TEST(ZoomDrag, EachMoveCostsTwoBandsAndNoPaintAndTheReleaseLeavesNothingBehind) {
    ZoomChart w;
    const raster::Bitmap before = w.Window();
    const int paints = w.Chart.FullPaints;
    w.Chart.MouseDown(mbLeft, 100, 60);
    EXPECT_EQ(w.Presentations, 1);
    for (int i = 1; i <= 50; ++i) {
        w.Chart.MouseMove(100 + 3 * i, 60 + i);
        EXPECT_EQ(w.Presentations, 1 + i);
        EXPECT_FALSE(w.Chart.PaintPending());
        w.Pump();
    }
    // A move to where the band already ends draws nothing; the pointer may leave the window.
    w.Chart.MouseMove(250, 110);
    EXPECT_EQ(w.Presentations, 51);
    w.Chart.MouseMove(600, -40);
    EXPECT_EQ(w.Chart.Zoom().EndX(), 600);
    EXPECT_EQ(w.Chart.Zoom().EndY(), -40);
    EXPECT_EQ(w.Chart.FullPaints, paints);
    w.Chart.PointerLeaves();
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    // The band drawn twice restores the window; the drag towards the upper right then zooms.
    w.Chart.MouseUp(mbLeft, 600, -40);
    EXPECT_EQ(w.Window(), before);
    w.Pump();
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
}

TEST(ZoomDrag, APressDuringADragIsIgnored) {
    ZoomChart w;
    w.Chart.MouseDown(mbLeft, 100, 60);
    w.Chart.MouseDown(mbRight, 120, 70);
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
    EXPECT_EQ(w.Chart.Zoom().StartX(), 100);
    // Releasing the other button ends no zoom drag.
    w.Chart.MouseUp(mbRight, 120, 70);
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, 300, 150);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    EXPECT_FALSE(w.Chart.ScalesRestored());
}

} // namespace
} // namespace mouldview::chart::test
