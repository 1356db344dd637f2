// Line series drawn through the real chart: the pixels of each case are compared with the same
// segments drawn straight on a raster device context, clipped to ChartRect with its frame.
#include "tests/panel/PanelTestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace mouldview::chart::test {
namespace {

constexpr TColor Ink = 0x3366CC;
constexpr TColor OtherInk = 0x22AA44;
using Segment = std::pair<TPoint, TPoint>;

// A 401 x 201 chart without titles, both axes fixed at 0 .. 10 unless a test changes them.
struct PlotChart {
    PlotChart() {
        Chart.SetSize(401, 201);
        Chart.BottomAxis()->SetAxisRange(0, 10);
        Chart.LeftAxis()->SetAxisRange(0, 10);
        Series.SetSeriesColor(Ink);
        Series.SetParentChart(&Chart);
        // The axes' positions exist from here on, for the expected points.
        Paint();
    }

    const raster::Bitmap& Paint() {
        Chart.RequestRepaint();
        Chart.HandlePaint();
        return Chart.WindowBitmap();
    }

    TPoint At(double x, double y) const {
        return TPoint{Chart.BottomAxis()->ValueToPixel(x), Chart.LeftAxis()->ValueToPixel(y)};
    }

    // The segments drawn straight on a bitmap of the same size, clipped as the series are.
    raster::Bitmap Reference(const std::vector<Segment>& segments, TColor color = Ink) const {
        raster::Bitmap bitmap(Chart.Width(), Chart.Height());
        raster::DeviceContext dc(bitmap);
        const TRect r = Chart.ChartRect();
        dc.IntersectClip(raster::Rect{r.Left, r.Top, r.Right + 1, r.Bottom + 1});
        dc.SetPen(raster::MakePen(raster::PenStyle::Solid, 1, color));
        for (const auto& [from, to] : segments) {
            dc.MoveTo(from.X, from.Y);
            dc.LineTo(to.X, to.Y);
        }
        return bitmap;
    }

    TChart Chart;
    TLineSeries Series;
};

// The pixels of `color` are the same in both bitmaps (and there are some).
::testing::AssertionResult SamePixels(const raster::Bitmap& drawn, const raster::Bitmap& expected,
                                      TColor color) {
    int count = 0;
    for (int y = 0; y < drawn.Height(); ++y) {
        for (int x = 0; x < drawn.Width(); ++x) {
            const bool a = At(drawn, x, y) == color;
            const bool b = At(expected, x, y) == color;
            if (a != b) {
                return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") drawn " << a;
            }
            count += a ? 1 : 0;
        }
    }
    if (count == 0) {
        return ::testing::AssertionFailure() << "no pixel of the colour at all";
    }
    return ::testing::AssertionSuccess();
}

// Paints the chart, then compares its pixels of `color` with the segments drawn straight.
::testing::AssertionResult DrawsExactly(PlotChart& c, const std::vector<Segment>& segments,
                                        TColor color = Ink) {
    const raster::Bitmap drawn = c.Paint();
    return SamePixels(drawn, c.Reference(segments, color), color);
}

TEST(LineDrawing, OnePointDrawsNothingTwoPointsOneSegment) {
    PlotChart c;
    c.Series.AddPoint(2, 3);
    EXPECT_EQ(CountOf(c.Paint(), Ink), 0);
    EXPECT_EQ(c.Series.FirstVisible(), 0);

    c.Series.AddPoint(7, 8);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(2, 3), c.At(7, 8)}}, Ink));
}

TEST(LineDrawing, SegmentsTakeTheSeriesColourOrTheFreePaletteColour) {
    PlotChart c;
    c.Series.SetSeriesColor(OtherInk);
    c.Series.AddPoint(1, 1);
    c.Series.AddPoint(5, 9);
    c.Series.AddPoint(9, 2);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(1, 1), c.At(5, 9)}, {c.At(5, 9), c.At(9, 2)}}, OtherInk));

    // A series without its own colour draws in the free palette colour it got on joining: red.
    TLineSeries reference;
    reference.AddPoint(1, 5);
    reference.AddPoint(9, 5);
    reference.SetParentChart(&c.Chart);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(1, 5), c.At(9, 5)}}, clRed));
}

TEST(LineDrawing, ALongSeriesIsOneUnbrokenLine) {
    // Far more segments than one polyline call takes.
    PlotChart c;
    std::vector<Segment> segments;
    for (int i = 0; i <= 9000; ++i) {
        c.Series.AddPoint(i / 900.0, 5 + 4 * std::sin(i * 0.01));
    }
    c.Paint();
    for (int i = 0; i < 9000; ++i) {
        segments.push_back({c.At(c.Series.X(i), c.Series.Y(i)), c.At(c.Series.X(i + 1), c.Series.Y(i + 1))});
    }
    EXPECT_TRUE(DrawsExactly(c, segments));
}

TEST(LineDrawing, ScrolledLineEntersAtTheInterpolatedHeightOnTheLeftEdge) {
    PlotChart c;
    for (int i = 0; i < 10; ++i) {
        c.Series.AddPoint(i, 0.1 * i * i);
    }
    // Points 0 to 4 lie left of the axis minimum 4.5.
    c.Chart.BottomAxis()->SetAxisRange(4.5, 9.5);
    const raster::Bitmap& bitmap = c.Paint();
    EXPECT_EQ(c.Series.FirstVisible(), 5);
    const TRect r = c.Chart.ChartRect();
    // The straight line from point 4 to point 5 at the value of the left edge.
    const double xe = c.Chart.BottomAxis()->PixelToValue(r.Left);
    const double ye = 1.6 + (xe - 4) * (2.5 - 1.6);
    const TPoint entry{r.Left, c.Chart.LeftAxis()->ValueToPixel(ye)};
    std::vector<Segment> segments = {{entry, c.At(5, 2.5)}};
    for (int i = 5; i < 9; ++i) {
        segments.push_back({c.At(i, 0.1 * i * i), c.At(i + 1, 0.1 * (i + 1) * (i + 1))});
    }
    EXPECT_TRUE(SamePixels(bitmap, c.Reference(segments), Ink));
    // The frame's own column already carries the line, at the entry height.
    int row = -1;
    for (int y = r.Top; y <= r.Bottom; ++y) {
        row = At(bitmap, r.Left, y) == Ink ? y : row;
    }
    EXPECT_NEAR(row, entry.Y, 1);
}

TEST(LineDrawing, FarPointsAreCutAtTheFrame) {
    PlotChart c;
    c.Series.AddPoint(-1e9, -1e9);
    c.Series.AddPoint(5, 5);
    c.Series.AddPoint(1e12, 1e15);
    const raster::Bitmap& bitmap = c.Paint();
    const TRect r = c.Chart.ChartRect();
    EXPECT_GT(CountOf(bitmap, Ink), 0);
    EXPECT_EQ(CountOf(bitmap, Ink, TRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1}), CountOf(bitmap, Ink));
    // The frame stays black but where a line crosses it: the last segment leaves through the top
    // row at about 45 degrees (both far ends are clamped to the same pixel limit), the first one
    // enters below the picture and never meets the left column.
    int crossings = 0;
    for (int x = r.Left; x < r.Right; ++x) {
        const TColor color = At(bitmap, x, r.Top);
        ASSERT_TRUE(color == clBlack || color == Ink) << x;
        crossings += color == Ink ? 1 : 0;
    }
    EXPECT_GE(crossings, 1);
    EXPECT_LE(crossings, 2);
    for (int y = r.Top; y < r.Bottom; ++y) {
        ASSERT_EQ(At(bitmap, r.Left, y), clBlack);
    }
}

} // namespace
} // namespace mouldview::chart::test
