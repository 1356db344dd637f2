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

TEST(ZoomDrag, BandFromTopLeftToBottomRightZoomsAllFourAxesToTheValuesUnderIt) {
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
    const Range top{w.Top().PixelToValue(100), w.Top().PixelToValue(300)};
    const Range right{w.Right().PixelToValue(150), w.Right().PixelToValue(60)};
    // The values at those pixels by the plain linear mapping of the plot rectangle.
    EXPECT_DOUBLE_EQ(bottom.Minimum, 1 + (100.0 - r.Left) * (ZoomChart::PointCount - 1) / (r.Right - r.Left));
    EXPECT_DOUBLE_EQ(left.Maximum, 6 - (60.0 - r.Top) * 6 / (r.Bottom - r.Top));

    const int paints = w.Chart.FullPaints;
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseMove(ssLeft, 300, 150);
    EXPECT_FALSE(w.Chart.PaintPending());
    w.Chart.MouseUp(mbLeft, TShiftState(), 300, 150);
    EXPECT_TRUE(w.Chart.PaintPending());
    EXPECT_EQ(RangeOf(w.Bottom()), bottom);
    EXPECT_EQ(RangeOf(w.Left()), left);
    // The top and right axes carry no series and showed the range 0..0: they are zoomed as well
    // and widened to the smallest span.
    ASSERT_EQ(top, (Range{0, 0}));
    ASSERT_EQ(right, (Range{0, 0}));
    EXPECT_EQ(RangeOf(w.Top()), (Range{0, TChartAxis::MinRangeSpan}));
    EXPECT_EQ(RangeOf(w.Right()), (Range{0, TChartAxis::MinRangeSpan}));
    for (TChartAxis* axis : {&w.Left(), &w.Bottom(), &w.Top(), &w.Right()}) {
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
        w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
        w.Chart.MouseMove(ssLeft, end.X, end.Y);
        w.Chart.MouseUp(mbLeft, TShiftState(), end.X, end.Y);
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
    const std::vector<TAxisScale> saved = w.Chart.SavedAxisScales();
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[2].Automatic, false);
    EXPECT_EQ(saved[2].AutomaticMinimum, false);
    EXPECT_EQ(saved[2].AutomaticMaximum, true);
    EXPECT_EQ(saved[2].Maximum, 6);

    w.LeftDrag(150, 80, 250, 120);
    w.Chart.MouseDown(mbRight, ssRight, 200, 100);
    w.Chart.MouseMove(ssRight, 220, 110);
    w.Chart.MouseUp(mbRight, TShiftState(), 220, 110);
    w.Pump();
    // Later zooms and pans leave the first saved state alone.
    EXPECT_EQ(w.Chart.SavedAxisScales()[2].Maximum, 6);
    EXPECT_EQ(w.Chart.SavedAxisScales()[0].Minimum, bottom.Minimum);

    int undoEvents = 0;
    w.Chart.OnUndoZoom = [&] { ++undoEvents; };
    w.Chart.UndoZoom();
    EXPECT_EQ(undoEvents, 1);
    EXPECT_TRUE(w.Chart.ScalesRestored());
    EXPECT_TRUE(w.Chart.SavedAxisScales().empty());
    EXPECT_EQ(FlagsOf(w.Left()), (Flags{false, false, true}));
    EXPECT_EQ(FlagsOf(w.Bottom()), (Flags{true, true, true}));
    EXPECT_EQ(FlagsOf(w.Top()), (Flags{true, true, true}));
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
    // Left margin, right margin, below the bottom axis title, above the title (where the unshown
    // top axis and the empty sub-title have no place either): no part is hit.
    for (const auto& p :
         {TPoint{3, 100}, TPoint{440, 100}, TPoint{200, 199}, TPoint{2, 2}, TPoint{0, 0}, TPoint{200, 2}}) {
        EXPECT_EQ(w.Chart.ClickedPart(p.X, p.Y).Part, cpNone) << p.X << "," << p.Y;
        w.Chart.MouseDown(mbLeft, ssLeft, p.X, p.Y);
        EXPECT_FALSE(w.Chart.Zoom().DragActive());
        w.Chart.MouseUp(mbLeft, TShiftState(), p.X, p.Y);
        w.Chart.MouseDown(mbRight, ssRight, p.X, p.Y);
        EXPECT_FALSE(w.Chart.PanningState().DragActive());
        w.Chart.MouseUp(mbRight, TShiftState(), p.X, p.Y);
    }
    EXPECT_EQ(w.Presentations, 0);

    // The left axis: from its labels' inner edge to 3 pixels past its line, along its length.
    EXPECT_EQ(w.Chart.ClickedPart(left.LabelsPos(), 100).Part, cpAxis);
    EXPECT_EQ(w.Chart.ClickedPart(left.LabelsPos(), 100).Axis, &left);
    EXPECT_EQ(w.Chart.ClickedPart(left.LabelsPos() - 1, 100).Part, cpNone);
    EXPECT_EQ(w.Chart.ClickedPart(left.AxisLinePos() + 3, 100).Axis, &left);
    EXPECT_EQ(w.Chart.ClickedPart(left.AxisLinePos() + 4, 100).Part, cpChartRect);
    EXPECT_EQ(w.Chart.ClickedPart(left.LabelsPos(), left.EndPos() + 1).Part, cpNone);
    // The bottom axis is tested first where the two meet.
    EXPECT_EQ(w.Chart.ClickedPart(r.Left, r.Bottom).Axis, &w.Bottom());
    EXPECT_EQ(w.Chart.ClickedPart(r.Right, r.Top).Part, cpChartRect);
    EXPECT_EQ(w.Chart.ClickedPart(r.Right + 1, r.Top).Part, cpNone);

    const TRect title = w.Chart.Title().ShapeBounds();
    EXPECT_EQ(w.Chart.ClickedPart(title.Left, title.Top).Part, cpTitle);
    EXPECT_EQ(w.Chart.ClickedPart(title.Left, title.Top).Title, &w.Chart.Title());

    // A press on the axis starts a drag at the raw press point, outside ChartRect.
    w.Chart.MouseDown(mbLeft, ssLeft, left.LabelsPos(), 100);
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    EXPECT_EQ(w.Chart.Zoom().StartX(), left.LabelsPos());
    w.Chart.MouseUp(mbLeft, TShiftState(), left.LabelsPos(), 100);
    w.Chart.MouseDown(mbRight, ssRight, title.Left + 1, title.Top + 1);
    EXPECT_TRUE(w.Chart.PanningState().DragActive());
    w.Chart.MouseUp(mbRight, TShiftState(), title.Left + 1, title.Top + 1);
}

TEST(ZoomDrag, APlotWithoutActiveSeriesIsNotAPartToPress) {
    ZoomChart w;
    w.Series1.SetActive(false);
    w.Series2.SetActive(false);
    w.Pump();
    const TRect r = w.Chart.ChartRect();
    const int x = (r.Left + r.Right) / 2;
    const int y = (r.Top + r.Bottom) / 2;
    EXPECT_EQ(w.Chart.ClickedPart(x, y).Part, cpNone);
    w.Chart.MouseDown(mbLeft, ssLeft, x, y);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
}

TEST(ZoomDrag, EachMoveCostsTwoBandsAndNoPaint) {
    ZoomChart w;
    const int paints = w.Chart.FullPaints;
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_EQ(w.Chart.BandsDrawn, 1);
    EXPECT_EQ(w.Presentations, 1);
    for (int i = 1; i <= 50; ++i) {
        w.Chart.MouseMove(ssLeft, 100 + 3 * i, 60 + i);
        EXPECT_EQ(w.Chart.BandsDrawn, 1 + 2 * i);
        EXPECT_EQ(w.Presentations, 1 + i);
        EXPECT_FALSE(w.Chart.PaintPending());
        w.Pump();
    }
    // A move to where the band already ends draws nothing.
    w.Chart.MouseMove(ssLeft, 250, 110);
    EXPECT_EQ(w.Chart.BandsDrawn, 101);
    // The pointer may leave the window; the band follows it.
    w.Chart.MouseMove(ssLeft, 600, -40);
    EXPECT_EQ(w.Chart.Zoom().EndX(), 600);
    EXPECT_EQ(w.Chart.Zoom().EndY(), -40);
    EXPECT_EQ(w.Chart.FullPaints, paints);
    w.Chart.PointerLeaves();
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), 600, -40);
    EXPECT_EQ(w.Chart.BandsDrawn, 104);
    // The surface pen draws plainly again.
    EXPECT_EQ(w.Chart.Canvas().Pen().Mode(), pmCopy);
    w.Pump();
    EXPECT_EQ(w.Chart.FullPaints, paints + 1);
}

TEST(ZoomDrag, APressDuringADragIsIgnored) {
    ZoomChart w;
    int presses = 0;
    w.Chart.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { ++presses; };
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseDown(mbRight, ssLeft | ssRight, 120, 70);
    EXPECT_EQ(presses, 2);
    EXPECT_FALSE(w.Chart.PanningState().DragActive());
    EXPECT_EQ(w.Chart.Zoom().StartX(), 100);
    // Releasing the other button ends no zoom drag.
    w.Chart.MouseUp(mbRight, ssLeft, 120, 70);
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), 300, 150);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    EXPECT_FALSE(w.Chart.ScalesRestored());
}

TEST(ZoomDrag, AnimatedZoomShowsEachStepAndEndsOnTheTarget) {
    ZoomChart w;
    w.Chart.Zoom().SetAnimated(true);
    w.Chart.Zoom().SetAnimatedSteps(4);
    const double target = w.Bottom().PixelToValue(100);
    const double start = w.Bottom().Minimum();
    std::vector<double> shown;
    w.Chart.OnAfterDraw = [&] { shown.push_back(w.Bottom().Minimum()); };
    const int paints = w.Chart.FullPaints;
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseMove(ssLeft, 300, 150);
    w.Chart.MouseUp(mbLeft, TShiftState(), 300, 150);
    // Three steps are painted at once, each a third of the remaining way.
    EXPECT_EQ(w.Chart.FullPaints, paints + 3);
    ASSERT_EQ(shown.size(), 3u);
    double expected = start;
    for (const double value : shown) {
        expected += (target - expected) / 3;
        EXPECT_DOUBLE_EQ(value, expected);
    }
    EXPECT_EQ(w.Bottom().Minimum(), target);
    w.Pump();
    EXPECT_EQ(w.Chart.FullPaints, paints + 4);
}

} // namespace
} // namespace mouldview::chart::test
