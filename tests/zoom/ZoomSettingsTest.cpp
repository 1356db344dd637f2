// The zoom settings and their effect on drags (direction, key shift, threshold, button, upward
// zooming), the band's pen and brush that exist only once read, cursor requests, and the click
// events with the cancel-mouse rule.
#include "tests/zoom/ZoomTestSupport.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

TEST(ZoomSettings, DefaultsAndTheLazyPenAndBrush) {
    TChartZoom zoom;
    EXPECT_TRUE(zoom.Allow());
    EXPECT_FALSE(zoom.Animated());
    EXPECT_EQ(zoom.AnimatedSteps(), 8);
    EXPECT_EQ(zoom.Direction(), tzdBoth);
    EXPECT_TRUE(zoom.KeyShift().Empty());
    EXPECT_EQ(TShiftState::FromBits(0x0C), ssLeft | ssCtrl);
    EXPECT_TRUE(TShiftState::FromBits(0xFF).ContainsAll(ssShift | ssDouble));
    EXPECT_FALSE(TShiftState(ssLeft).ContainsAll(ssLeft | ssShift));
    EXPECT_EQ(zoom.MinimumPixels(), 16);
    EXPECT_EQ(zoom.MouseButton(), mbLeft);
    EXPECT_FALSE(zoom.UpLeftZooms());
    EXPECT_FALSE(zoom.DragActive());
    EXPECT_EQ(zoom.BrushIfCreated(), nullptr);
    EXPECT_EQ(zoom.PenIfCreated(), nullptr);
    EXPECT_EQ(zoom.Brush().Color(), clWhite);
    EXPECT_EQ(zoom.Brush().Style(), bsClear);
    EXPECT_EQ(zoom.Pen().Color(), clWhite);
    EXPECT_EQ(zoom.Pen().DefaultColor(), clWhite);
    EXPECT_EQ(zoom.Pen().Mode(), pmCopy);
    zoom.SetBrush(nullptr);
    EXPECT_EQ(zoom.BrushIfCreated(), nullptr);
    TChartPen red;
    red.SetColor(clRed);
    red.SetWidth(2);
    zoom.SetPen(nullptr);
    zoom.SetPen(&red);
    ASSERT_NE(zoom.PenIfCreated(), nullptr);
    EXPECT_EQ(zoom.Pen().Color(), clRed);
    EXPECT_EQ(zoom.Pen().Width(), 2);

    zoom.BeginDrag(30, 40);
    EXPECT_TRUE(zoom.DragActive());
    EXPECT_EQ(zoom.EndX(), 30);
    EXPECT_EQ(zoom.EndY(), 40);
    zoom.SetEndX(10);
    zoom.SetEndY(50);
    zoom.NormalizeCorners();
    EXPECT_EQ(zoom.StartX(), 10);
    EXPECT_EQ(zoom.EndX(), 30);
    EXPECT_EQ(zoom.StartY(), 40);
    EXPECT_EQ(zoom.EndY(), 50);

    TChart chart;
    EXPECT_EQ(chart.AllowPanning(), pmBoth);
    EXPECT_EQ(chart.ScrollMouseButton(), mbRight);
    EXPECT_TRUE(chart.ScalesRestored());
    EXPECT_FALSE(chart.CancelMouse());
    EXPECT_EQ(chart.Cursor(), crDefault);
    EXPECT_EQ(chart.InitialCursor(), crDefault);
    EXPECT_FALSE(chart.PanningState().DragActive());
    // Settings of older stored layouts land in Zoom.
    chart.SetAllowZoom(false);
    chart.SetAnimatedZoom(true);
    chart.SetAnimatedZoomSteps(3);
    EXPECT_FALSE(chart.Zoom().Allow());
    EXPECT_TRUE(chart.Zoom().Animated());
    EXPECT_EQ(chart.Zoom().AnimatedSteps(), 3);
}

TEST(ZoomSettings, ThePenAsksForAPaintButDrawingTheBandDoesNot) {
    ZoomChart w;
    ASSERT_FALSE(w.Chart.PaintPending());
    w.Chart.Zoom().Pen().SetColor(clBlue);
    EXPECT_TRUE(w.Chart.PaintPending());
    w.Pump();
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseMove(ssLeft, 200, 100);
    EXPECT_EQ(w.Chart.Zoom().Pen().Mode(), pmNotXor);
    EXPECT_FALSE(w.Chart.PaintPending());
}

TEST(ZoomSettings, OneDirectionZoomsSpanThePlotTheOtherWay) {
    ZoomChart w;
    const TRect r = w.Chart.ChartRect();
    w.Chart.Zoom().SetDirection(tzdHorizontal);
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_EQ(w.Chart.Zoom().StartY(), r.Top);
    EXPECT_EQ(w.Chart.Zoom().EndY(), r.Bottom);
    w.Chart.MouseMove(ssLeft, 300, 62);
    EXPECT_EQ(w.Chart.Zoom().EndY(), r.Bottom);
    const double low = w.Left().PixelToValue(r.Bottom);
    const double high = w.Left().PixelToValue(r.Top);
    const double at300 = w.Bottom().PixelToValue(300);
    // Only the horizontal span counts.
    w.Chart.MouseUp(mbLeft, TShiftState(), 300, 62);
    EXPECT_EQ(w.Bottom().Maximum(), at300);
    EXPECT_EQ(w.Left().Minimum(), low);
    EXPECT_EQ(w.Left().Maximum(), high);
    w.Chart.UndoZoom();
    w.Pump();

    w.Chart.Zoom().SetDirection(tzdVertical);
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_EQ(w.Chart.Zoom().StartX(), r.Left);
    EXPECT_EQ(w.Chart.Zoom().EndX(), r.Right);
    // Upwards undoes (nothing saved), downwards zooms; the horizontal span does not count.
    w.Chart.MouseUp(mbLeft, TShiftState(), 100, 30);
    EXPECT_TRUE(w.Chart.ScalesRestored());
    const double at150 = w.Left().PixelToValue(150);
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    w.Chart.MouseUp(mbLeft, TShiftState(), 101, 150);
    EXPECT_FALSE(w.Chart.ScalesRestored());
    EXPECT_EQ(w.Left().Minimum(), at150);
}

TEST(ZoomSettings, ButtonKeysThresholdAndUpwardZooming) {
    ZoomChart w;
    w.Chart.Zoom().SetKeyShift(ssShift);
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), 100, 60);
    w.Chart.MouseDown(mbLeft, ssLeft | ssShift, 100, 60);
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, ssShift, 100, 60);
    w.Chart.Zoom().SetKeyShift(TShiftState());

    w.Chart.Zoom().SetUpLeftZooms(true);
    const double at100 = w.Bottom().PixelToValue(100);
    w.LeftDrag(300, 150, 100, 60);
    EXPECT_EQ(w.Bottom().Minimum(), at100);
    w.Chart.UndoZoom();
    w.Pump();
    w.Chart.Zoom().SetUpLeftZooms(false);

    w.Chart.Zoom().SetMinimumPixels(0);
    const double at101 = w.Bottom().PixelToValue(101);
    w.LeftDrag(100, 60, 101, 61);
    EXPECT_EQ(w.Bottom().Maximum(), at101);
    w.Chart.UndoZoom();
    w.Pump();

    const int presentations = w.Presentations;
    w.Chart.Zoom().SetMouseButton(mbMiddle);
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), 100, 60);
    w.Chart.Zoom().SetAllow(false);
    w.Chart.MouseDown(mbMiddle, ssMiddle, 100, 60);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbMiddle, TShiftState(), 100, 60);
    EXPECT_EQ(w.Presentations, presentations);
}

TEST(ZoomSettings, CursorRequests) {
    ZoomChart w;
    w.Chart.SetCursor(crCross);
    ASSERT_EQ(w.CursorRequests, std::vector<TCursor>{crCross});
    // A drag starts with the initial cursor.
    w.Chart.MouseDown(mbLeft, ssLeft, 100, 60);
    EXPECT_EQ(w.CursorRequests.back(), crDefault);
    w.Chart.MouseUp(mbLeft, TShiftState(), 100, 60);
    w.Chart.SetCursor(crHandPoint);
    // With no drag and no series claiming the pointer, a move shows the initial cursor.
    w.Chart.MouseMove(TShiftState(), 150, 100);
    EXPECT_EQ(w.CursorRequests.back(), crDefault);
    w.Chart.SetCursor(crSizeAll);
    w.Chart.PointerLeaves();
    EXPECT_EQ(w.Chart.Cursor(), crDefault);
    EXPECT_EQ(w.CursorRequests.size(), 6u);
}

TEST(ZoomSettings, ClickEventsAndTheCancelRule) {
    ZoomChart w;
    const TChartAxis& left = w.Left();
    std::vector<std::string> calls;
    bool keepCancelled = true;
    w.Chart.OnClickAxis = [&](TChartAxis& axis, TMouseButton, TShiftState, int, int) {
        calls.push_back(&axis == w.Chart.LeftAxis() ? "left axis" : "other axis");
        EXPECT_TRUE(w.Chart.CancelMouse());
        if (!keepCancelled) {
            w.Chart.SetCancelMouse(false);
        }
    };
    w.Chart.OnClickBackground = [&](TMouseButton, TShiftState, int, int) { calls.push_back("background"); };
    w.Chart.OnClickTitle = [&](TChartTitle&, TMouseButton, TShiftState, int, int) {
        calls.push_back("title");
        w.Chart.SetCancelMouse(false);
    };

    // A handler that leaves the flag set stops the press; the press then counts as a background click.
    w.Chart.MouseDown(mbLeft, ssLeft, left.AxisLinePos(), 100);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    EXPECT_FALSE(w.Chart.CancelMouse());
    w.Chart.MouseUp(mbLeft, TShiftState(), left.AxisLinePos(), 100);
    keepCancelled = false;
    w.Chart.MouseDown(mbLeft, ssLeft, left.AxisLinePos(), 100);
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), left.AxisLinePos(), 100);
    EXPECT_EQ(calls, (std::vector<std::string>{"left axis", "background", "left axis"}));

    // The plot: the background event stops the press and is not reported twice.
    calls.clear();
    w.Chart.MouseDown(mbLeft, ssLeft, 200, 100);
    EXPECT_FALSE(w.Chart.Zoom().DragActive());
    w.Chart.MouseUp(mbLeft, TShiftState(), 200, 100);
    // The margin: nothing is hit, so only the background hears of it.
    w.Chart.MouseDown(mbLeft, ssLeft, 3, 100);
    w.Chart.MouseUp(mbLeft, TShiftState(), 3, 100);
    const TRect title = w.Chart.Title().ShapeBounds();
    w.Chart.MouseDown(mbRight, ssRight, title.Left + 2, title.Top + 2);
    EXPECT_TRUE(w.Chart.PanningState().DragActive());
    w.Chart.MouseUp(mbRight, TShiftState(), title.Left + 2, title.Top + 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"background", "background", "title"}));

    // A press the mouse-down notification cancels reaches no part at all.
    calls.clear();
    w.Chart.OnMouseDown = [&](TMouseButton, TShiftState, int, int) { w.Chart.SetCancelMouse(true); };
    w.Chart.MouseDown(mbLeft, ssLeft, 3, 100);
    EXPECT_TRUE(calls.empty());
}

TEST(ZoomSettings, AMoveTheListenersCancelIsNotFollowed) {
    ZoomChart w;
    bool cancel = true;
    w.Chart.OnMouseMove = [&](TShiftState, int, int) { w.Chart.SetCancelMouse(cancel); };
    w.Chart.MouseDown(mbRight, ssRight, 200, 100);
    w.Chart.MouseMove(ssRight, 230, 100);
    EXPECT_TRUE(w.Chart.ScalesRestored());
    EXPECT_EQ(w.Chart.PanningState().EndX(), 200);
    cancel = false;
    w.Chart.MouseMove(ssRight, 230, 100);
    EXPECT_FALSE(w.Chart.ScalesRestored());
    EXPECT_EQ(w.Chart.PanningState().EndX(), 230);
}

TEST(ZoomSettings, SeriesClicksFindThePointUnderThePointer) {
    ZoomChart w;
    // Without a listener series are not searched: the press is on the plot.
    const int x = w.Bottom().ValueToPixel(10);
    const int y = w.Left().ValueToPixel(w.Series1.Y(9));
    EXPECT_EQ(w.Chart.ClickedPart(x, y).Part, cpChartRect);
    std::vector<int> points;
    w.Chart.OnClickSeries = [&](TChartSeries& series, int index, TMouseButton, TShiftState, int, int) {
        EXPECT_EQ(&series, &w.Series1);
        points.push_back(index);
        w.Chart.SetCancelMouse(false);
    };
    const TChartClickedPart part = w.Chart.ClickedPart(x + 2, y - 2);
    EXPECT_EQ(part.Part, cpSeries);
    EXPECT_EQ(part.ASeries, &w.Series1);
    EXPECT_EQ(part.PointIndex, 9);
    // Between two points, on the line, the earlier point of the segment is reported.
    const int xMid = w.Bottom().ValueToPixel(10.5);
    const int yMid = w.Left().ValueToPixel((w.Series1.Y(9) + w.Series1.Y(10)) / 2);
    EXPECT_EQ(w.Chart.ClickedPart(xMid, yMid).PointIndex, 9);
    EXPECT_EQ(w.Chart.ClickedPart(xMid, yMid + 30).Part, cpChartRect);
    w.Chart.MouseDown(mbLeft, ssLeft, x, y);
    EXPECT_EQ(points, std::vector<int>{9});
    EXPECT_TRUE(w.Chart.Zoom().DragActive());
}

} // namespace
} // namespace mouldview::chart::test
