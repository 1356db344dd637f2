// When the chart paints: the deferred request and its merging, the clean buffer served without
// layout, painting that requests nothing, resizes and colour changes, the loading state of the
// stored layout, and the window's bitmap lent to the chart.
#include "tests/panel/PanelTestSupport.h"
#include "tests/support/FixedMetricCanvas.h"

#include <gtest/gtest.h>

namespace mouldview::chart::test {
namespace {

// A chart that counts its full paints (layouts) and the window's invalidations.
struct CountingChart : TChart {
    CountingChart() {
        SetCanvas(std::make_unique<test_support::FixedMetricCanvas>(447, 202));
        SetSize(447, 202);
        SetOnInvalidate([this] { ++Invalidations; });
    }
    void DrawChartContent(const TRect& chartBounds) override {
        ++Layouts;
        TChart::DrawChartContent(chartBounds);
    }

    int Invalidations = 0;
    int Layouts = 0;
};

TEST(PaintCycle, ACleanBufferIsCopiedWithoutLayoutAndAnyChangeAsksForAFullPaint) {
    CountingChart c;
    raster::Bitmap window;
    c.UseWindowBitmap(&window);
    EXPECT_TRUE(c.PaintPending()) << "a new chart has a paint pending";
    c.HandlePaint();
    EXPECT_EQ(c.Layouts, 1);
    const raster::Bitmap first = window;
    // The window was covered: its pixels are gone, nothing in the chart changed.
    window.Fill(0x123456);
    c.HandlePaint();
    EXPECT_EQ(c.Layouts, 1);
    EXPECT_EQ(window, first);

    c.Title().SetText({"Changed"});
    EXPECT_TRUE(c.Canvas().BufferDirty());
    EXPECT_TRUE(c.PaintPending());
    c.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
}

TEST(PaintCycle, RequestsMergeIntoOnePaintAndPaintingItselfRequestsNone) {
    CountingChart c;
    c.HandlePaint();
    TLineSeries s;
    s.SetParentChart(&c);
    for (int i = 0; i < 500; ++i) {
        s.AddPoint(i, i % 7);
    }
    EXPECT_EQ(c.Layouts, 1) << "nothing is drawn at the request itself";
    c.HandlePaint();
    c.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);

    // Painting, ranges computed from the data included, asks for no further paint.
    c.RequestRepaint();
    const int before = c.Invalidations;
    c.HandlePaint();
    EXPECT_EQ(c.Invalidations, before);
    EXPECT_FALSE(c.Canvas().BufferDirty());
}

TEST(PaintCycle, AResizeOrAColourChangeEndsInAFullPaint) {
    CountingChart c;
    c.HandlePaint();
    EXPECT_EQ(At(c.WindowBitmap(), 5, 5), 0xF0F0F0U) << "the button face of the panel";
    c.SetAutoRepaint(false);
    c.SetSize(300, 100);
    c.SetAutoRepaint(true);
    EXPECT_TRUE(c.Canvas().BufferDirty()) << "a resize always ends in a full paint";
    c.HandlePaint();
    EXPECT_EQ(c.Layouts, 2);
    EXPECT_EQ(c.WindowBitmap().Width(), 300);
    EXPECT_EQ(c.ChartBounds(), (TRect{0, 0, 300, 100}));

    raster::SetSystemColor(raster::COLOR_BTNFACE, 0x336699);
    c.SystemColorsChanged();
    EXPECT_TRUE(c.PaintPending());
    c.HandlePaint();
    raster::ResetSystemColors();
    EXPECT_EQ(At(c.WindowBitmap(), 5, 5), 0x336699U);
}

TEST(PaintCycle, TheLoadingStateChangesTheAxisSetters) {
    CountingChart c;
    c.BeginLoading();
    c.LeftAxis()->SetAutomatic(false);
    EXPECT_TRUE(c.LeftAxis()->AutomaticMinimum()) << "while loading only Automatic changes";
    c.LeftAxis()->SetAutomaticMinimum(false);
    c.BeginLoading();
    c.EndLoading();
    EXPECT_TRUE(c.IsLoading()) << "loading nests";
    c.EndLoading();
    EXPECT_FALSE(c.IsLoading());
    EXPECT_FALSE(c.LeftAxis()->Automatic());
    EXPECT_FALSE(c.LeftAxis()->AutomaticMinimum());
    EXPECT_TRUE(c.LeftAxis()->AutomaticMaximum());
}

TEST(PaintCycle, TheChartPaintsIntoTheBitmapTheWindowLendsIt) {
    WindowChart w;
    w.Fill({0.5, 1.5, 2.0});
    const raster::Bitmap own = w.Paint();
    // The window's picture: another size at first, the chart's afterwards, and the frame lands in
    // it as it is.
    raster::Bitmap window(10, 10);
    w.Chart.UseWindowBitmap(&window);
    EXPECT_EQ(&w.Chart.WindowBitmap(), &window);
    EXPECT_TRUE(w.Chart.PaintPending());
    w.Chart.HandlePaint();
    EXPECT_EQ(window, own);
    // A resize by the window resizes its picture, and the next paint fills it.
    w.Chart.SetSize(300, 150);
    w.Chart.HandlePaint();
    EXPECT_EQ(window.Width(), 300);
    EXPECT_EQ(At(window, 1, 1), 0xF0F0F0U);
    w.Chart.UseWindowBitmap(nullptr);
    w.Chart.HandlePaint();
    EXPECT_EQ(w.Chart.WindowBitmap(), window) << "the clean frame is copied into the chart's own";
}

TEST(PaintCycle, SeriesOutliveTheirChart) {
    TLineSeries s;
    {
        TChart chart;
        s.SetParentChart(&chart);
        s.AddPoint(1, 1);
        chart.HandlePaint();
    }
    EXPECT_EQ(s.ParentChart(), nullptr);
    s.AddPoint(2, 2);
    EXPECT_EQ(s.PointCount(), 2);
}

} // namespace
} // namespace mouldview::chart::test
