// When the chart paints: AutoRepaint during construction and painting, the deferred request and
// its merging, the clean buffer served without layout, the immediate repaint, the erase answer and
// the loading state of the stored layout.
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/FixedMetricCanvas.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

struct CountingChart {
    CountingChart() {
        auto surface = std::make_unique<test_support::FixedMetricCanvas>(447, 202);
        Chart.SetCanvas(std::move(surface));
        Chart.SetSize(447, 202);
        Chart.SetOnInvalidate([this] { ++Invalidations; });
        Chart.OnBeforeDrawChart = [this] { ++Layouts; };
    }

    TChart Chart;
    int Invalidations = 0;
    int Layouts = 0;
};

TEST(PaintCycle, ConstructionLeavesAutoRepaintOnAndTheBufferDirty) {
    TChart chart;
    EXPECT_TRUE(chart.AutoRepaint());
    EXPECT_EQ(chart.Width(), TCustomChartPanel::DefaultWidth);
    EXPECT_EQ(chart.Height(), TCustomChartPanel::DefaultHeight);
    EXPECT_TRUE(chart.Canvas().BufferDirty());
    EXPECT_TRUE(chart.PaintPending());
    // The class defaults the stored layout relies on.
    EXPECT_TRUE(chart.View3D());
    EXPECT_EQ(chart.Color(), clBtnFace);
    EXPECT_EQ(chart.BevelOuter(), bvRaised);
    EXPECT_EQ(chart.BevelInner(), bvNone);
    EXPECT_EQ(chart.MarginUnits(), muPercent);
    EXPECT_TRUE(chart.AxisBehind());
    EXPECT_TRUE(chart.ClipPoints());
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_TRUE(chart.BackWall().Transparent());
    EXPECT_EQ(chart.BackWall().Color(), clSilver);
    EXPECT_FALSE(chart.RightWall().Visible());
    EXPECT_EQ(chart.LeftWall().Color(), 0x80FFFFU);
    EXPECT_EQ(chart.Foot().Font().Style(), static_cast<TFontStyles>(fsItalic));
    EXPECT_EQ(chart.Foot().Font().Color(), clRed);
    EXPECT_EQ(chart.Title().Font().Color(), clBlue);
    EXPECT_EQ(chart.Title().Font().Name(), DefaultChartFontName());
    EXPECT_TRUE(chart.Title().Text().empty());
    EXPECT_EQ(chart.BackColor(), clBtnFace);
    chart.BackWall().SetTransparent(false);
    EXPECT_EQ(chart.BackColor(), clSilver);
}

TEST(PaintCycle, CleanBufferIsCopiedWithoutLayout) {
    CountingChart c;
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 1);
    EXPECT_FALSE(c.Chart.Canvas().BufferDirty());
    const raster::Bitmap first = c.Chart.WindowBitmap();

    // The window was covered: its pixels are gone, nothing in the chart changed.
    const_cast<raster::Bitmap&>(c.Chart.WindowBitmap()).Fill(0x123456);
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 1);
    EXPECT_EQ(c.Chart.WindowBitmap(), first);

    // Any change asks for a full paint.
    c.Chart.Title().SetText({"Changed"});
    EXPECT_TRUE(c.Chart.Canvas().BufferDirty());
    EXPECT_TRUE(c.Chart.PaintPending());
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
}

TEST(PaintCycle, WithoutTheBufferEveryPaintDrawsOnTheWindow) {
    CountingChart c;
    c.Chart.Canvas().SetUseBuffer(false);
    c.Chart.HandlePaint();
    const raster::Bitmap first = c.Chart.WindowBitmap();
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
    EXPECT_EQ(c.Chart.WindowBitmap(), first);
    EXPECT_EQ(At(first, 0, 0), 0xFFFFFFU);
}

TEST(PaintCycle, RequestsMergeIntoOnePaint) {
    CountingChart c;
    c.Chart.HandlePaint();
    TLineSeries s;
    s.SetParentChart(&c.Chart);
    const int before = c.Invalidations;
    for (int i = 0; i < 500; ++i) {
        s.AddPoint(i, i % 7, "", clDefault);
    }
    EXPECT_GE(c.Invalidations - before, 500);
    EXPECT_EQ(c.Layouts, 1) << "nothing is drawn at the request itself";
    c.Chart.HandlePaint();
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
}

TEST(PaintCycle, PaintingItselfRequestsNoPaint) {
    CountingChart c;
    TLineSeries s;
    s.AddPoint(1, 2, "", clDefault);
    s.AddPoint(2, 3, "", clDefault);
    s.SetParentChart(&c.Chart);
    c.Chart.HandlePaint();
    // A handler that changes settings while the chart paints.
    c.Chart.OnBeforeDrawSeries = [&c] { c.Chart.LeftAxis()->Title().SetCaption("during"); };
    c.Chart.RequestRepaint();
    const int before = c.Invalidations;
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Invalidations, before);
    EXPECT_FALSE(c.Chart.Canvas().BufferDirty());
    EXPECT_TRUE(c.Chart.AutoRepaint());
    // With AutoRepaint off nothing is requested at all.
    c.Chart.SetAutoRepaint(false);
    c.Chart.Title().SetText({"quiet"});
    EXPECT_EQ(c.Invalidations, before);
    EXPECT_FALSE(c.Chart.Canvas().BufferDirty());
}

TEST(PaintCycle, ImmediateRepaintPaintsBeforeReturning) {
    CountingChart c;
    c.Chart.HandlePaint();
    c.Chart.Repaint();
    EXPECT_EQ(c.Layouts, 2);
    EXPECT_FALSE(c.Chart.PaintPending());
    // With a window, the window paints (and presents) in the callback.
    int windowPaints = 0;
    c.Chart.SetOnUpdate([&] {
        ++windowPaints;
        c.Chart.HandlePaint();
    });
    c.Chart.Repaint();
    EXPECT_EQ(windowPaints, 1);
    EXPECT_EQ(c.Layouts, 3);
}

TEST(PaintCycle, EraseDrawsNothingAndResizeDirtiesTheBuffer) {
    CountingChart c;
    c.Chart.HandlePaint();
    const raster::Bitmap first = c.Chart.WindowBitmap();
    EXPECT_TRUE(c.Chart.HandleEraseBackground());
    EXPECT_EQ(c.Chart.WindowBitmap(), first);

    c.Chart.SetAutoRepaint(false);
    c.Chart.SetSize(300, 100);
    c.Chart.SetAutoRepaint(true);
    EXPECT_TRUE(c.Chart.Canvas().BufferDirty()) << "a resize always ends in a full paint";
    c.Chart.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
    EXPECT_EQ(c.Chart.WindowBitmap().Width(), 300);
    EXPECT_EQ(c.Chart.ChartBounds(), (TRect{0, 0, 300, 100}));
}

TEST(PaintCycle, SystemColourChangeRepaintsInTheNewColours) {
    CountingChart c;
    c.Chart.HandlePaint();
    EXPECT_EQ(At(c.Chart.WindowBitmap(), 5, 5), 0xF0F0F0U);
    raster::SetSystemColor(raster::COLOR_BTNFACE, 0x336699);
    c.Chart.SystemColorsChanged();
    EXPECT_TRUE(c.Chart.PaintPending());
    c.Chart.HandlePaint();
    raster::ResetSystemColors();
    EXPECT_EQ(c.Layouts, 2);
    EXPECT_EQ(At(c.Chart.WindowBitmap(), 5, 5), 0x336699U);
}

TEST(PaintCycle, LoadingStateChangesTheAxisSetters) {
    CountingChart c;
    c.Chart.BeginLoading();
    EXPECT_TRUE(c.Chart.IsLoading());
    c.Chart.LeftAxis()->SetAutomatic(false);
    EXPECT_TRUE(c.Chart.LeftAxis()->AutomaticMinimum()) << "while loading only Automatic changes";
    c.Chart.LeftAxis()->SetAutomaticMinimum(false);
    c.Chart.BeginLoading();
    c.Chart.EndLoading();
    EXPECT_TRUE(c.Chart.IsLoading()) << "loading nests";
    c.Chart.EndLoading();
    EXPECT_FALSE(c.Chart.IsLoading());
    EXPECT_FALSE(c.Chart.LeftAxis()->Automatic());
    EXPECT_FALSE(c.Chart.LeftAxis()->AutomaticMinimum());
    EXPECT_TRUE(c.Chart.LeftAxis()->AutomaticMaximum());
    EXPECT_TRUE(c.Chart.PaintPending());

    // Outside loading, Automatic switches both ends.
    c.Chart.BottomAxis()->SetAutomatic(false);
    EXPECT_FALSE(c.Chart.BottomAxis()->AutomaticMinimum());
    EXPECT_FALSE(c.Chart.BottomAxis()->AutomaticMaximum());
}

TEST(PaintCycle, SeriesOutliveTheirChart) {
    TLineSeries s;
    {
        TChart chart;
        s.SetParentChart(&chart);
        s.AddPoint(1, 1, "", clDefault);
        chart.HandlePaint();
    }
    EXPECT_EQ(s.ParentChart(), nullptr);
    s.AddPoint(2, 2, "", clDefault);
    EXPECT_EQ(s.PointCount(), 2);
}

} // namespace
} // namespace mouldview::chart::test
