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

// A 201 x 101 chart whose plotting rectangle is the whole control (no bevel, no margins, no axes
// shown), with both axes fixed at 0 .. 10 unless a test changes them.
struct PlotChart {
    PlotChart() {
        Chart.SetSize(201, 101);
        Chart.SetView3D(false);
        Chart.Legend().SetVisible(false);
        Chart.SetBevelOuter(bvNone);
        Chart.SetMarginUnits(muPixels);
        for (int i = 0; i < 4; ++i) {
            SetMargin(i);
        }
        Chart.SetAxisVisible(false);
        Chart.BottomAxis()->SetAxisRange(0, 10);
        Chart.LeftAxis()->SetAxisRange(0, 10);
        Series.SetSeriesColor(Ink);
        Series.SetParentChart(&Chart);
        // The axes' positions exist from here on, for the expected points.
        Paint();
    }

    void SetMargin(int side) {
        switch (side) {
        case 0:
            Chart.SetMarginLeft(0);
            break;
        case 1:
            Chart.SetMarginTop(0);
            break;
        case 2:
            Chart.SetMarginRight(0);
            break;
        default:
            Chart.SetMarginBottom(0);
        }
    }

    const raster::Bitmap& Paint() {
        Chart.Repaint();
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
    c.Series.AddPoint(2, 3, "", clDefault);
    EXPECT_EQ(CountOf(c.Paint(), Ink), 0);
    EXPECT_EQ(c.Series.FirstVisible(), 0);

    c.Series.AddPoint(7, 8, "", clDefault);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(2, 3), c.At(7, 8)}}, Ink));
    EXPECT_EQ(c.Series.PrevX(), c.At(7, 8).X);
    EXPECT_EQ(c.Series.PrevY(), c.At(7, 8).Y);
    EXPECT_EQ(c.Series.PrevColor(), Ink);
}

TEST(LineDrawing, SegmentsTakeTheSeriesColourNotThePoints) {
    PlotChart c;
    c.Series.SetSeriesColor(OtherInk);
    c.Series.AddPoint(1, 1, "", clRed);
    c.Series.AddPoint(5, 9, "", clRed);
    c.Series.AddPoint(9, 2, "", clRed);
    const raster::Bitmap& bitmap = c.Paint();
    EXPECT_EQ(CountOf(bitmap, clRed), 0);
    EXPECT_TRUE(SamePixels(
        bitmap, c.Reference({{c.At(1, 1), c.At(5, 9)}, {c.At(5, 9), c.At(9, 2)}}, OtherInk), OtherInk));

    // A series without its own colour draws in the free palette colour it got on joining: red.
    TLineSeries auto1;
    auto1.AddPoint(1, 5, "", clBlue);
    auto1.AddPoint(9, 5, "", clBlue);
    auto1.SetParentChart(&c.Chart);
    EXPECT_NE(auto1.AutoColor(), OtherInk);
    EXPECT_GT(CountOf(c.Paint(), auto1.AutoColor()), 0);
    EXPECT_EQ(CountOf(c.Chart.WindowBitmap(), clBlue), 0);
}

TEST(LineDrawing, ColorEachPointColoursEachSegmentByItsEnd) {
    PlotChart c;
    c.Series.SetColorEachPoint(true);
    c.Series.AddPoint(1, 1, "", clRed);
    c.Series.AddPoint(5, 5, "", OtherInk);
    c.Series.AddPoint(9, 1, "", Ink);
    const raster::Bitmap& bitmap = c.Paint();
    EXPECT_EQ(CountOf(bitmap, clRed), 0);
    EXPECT_TRUE(SamePixels(bitmap, c.Reference({{c.At(1, 1), c.At(5, 5)}}, OtherInk), OtherInk));
    EXPECT_TRUE(SamePixels(bitmap, c.Reference({{c.At(5, 5), c.At(9, 1)}}), Ink));

    // Without ColorEachLine every segment has the series colour again.
    c.Series.SetColorEachLine(false);
    c.Series.SetSeriesColor(clRed);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(1, 1), c.At(5, 5)}, {c.At(5, 5), c.At(9, 1)}}, clRed));
}

TEST(LineDrawing, NullPointLeavesAGapOfTwoSegments) {
    PlotChart c;
    const double y[] = {2, 6, 3, 8, 4};
    for (int i = 0; i < 5; ++i) {
        c.Series.AddPoint(1 + 2 * i, y[i], "", i == 2 ? clNone : clDefault);
    }
    ASSERT_TRUE(c.Series.IsNull(2));
    EXPECT_TRUE(DrawsExactly(c, {{c.At(1, 2), c.At(3, 6)}, {c.At(7, 8), c.At(9, 4)}}, Ink));

    // A null last point leaves PrevColor clNone for the next paint, which then starts afresh.
    c.Series.AddPoint(9.5, 1, "", clNone);
    c.Paint();
    EXPECT_EQ(c.Series.PrevColor(), clNone);
    EXPECT_TRUE(DrawsExactly(c, {{c.At(1, 2), c.At(3, 6)}, {c.At(7, 8), c.At(9, 4)}}, Ink));
}

TEST(LineDrawing, ScrolledLineEntersAtTheInterpolatedHeightOnTheLeftEdge) {
    PlotChart c;
    for (int i = 0; i < 10; ++i) {
        c.Series.AddPoint(i, 0.1 * i * i, "", clDefault);
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

TEST(LineDrawing, LogarithmicAxisInterpolatesTheEntryGeometrically) {
    PlotChart c;
    c.Chart.LeftAxis()->SetAxisRange(0, 100);
    c.Chart.LeftAxis()->SetLogarithmic(true);
    c.Series.AddPoint(4, 1, "", clDefault);
    c.Series.AddPoint(6, 100, "", clDefault);
    c.Chart.BottomAxis()->SetAxisRange(5, 10);
    c.Paint();
    const TRect r = c.Chart.ChartRect();
    // Halfway in x between 1 and 100 on a logarithmic scale is 10 (not 50.5).
    const TPoint entry{r.Left, c.Chart.LeftAxis()->ValueToPixel(10.0)};
    EXPECT_TRUE(SamePixels(c.Chart.WindowBitmap(), c.Reference({{entry, c.At(6, 100)}}), Ink));
}

TEST(LineDrawing, StairsDrawStepsHorizontalOrVerticalFirst) {
    PlotChart c;
    c.Series.AddPoint(1, 2, "", clDefault);
    c.Series.AddPoint(6, 8, "", clDefault);
    c.Series.SetStairs(true);
    const TPoint a = c.At(1, 2);
    const TPoint b = c.At(6, 8);
    EXPECT_TRUE(DrawsExactly(c, {{a, {b.X, a.Y}}, {{b.X, a.Y}, b}}, Ink));
    c.Series.SetInvertedStairs(true);
    EXPECT_TRUE(DrawsExactly(c, {{a, {a.X, b.Y}}, {{a.X, b.Y}, b}}, Ink));
}

TEST(LineDrawing, InvertedAxisDrawsBackwards) {
    PlotChart c;
    c.Chart.BottomAxis()->SetInverted(true);
    c.Series.AddPoint(1, 2, "", clDefault);
    c.Series.AddPoint(5, 8, "", clDefault);
    c.Series.AddPoint(9, 3, "", clDefault);
    EXPECT_FALSE(c.Series.DrawValuesForward());
    // Each segment runs from the point drawn before, the higher index.
    EXPECT_TRUE(DrawsExactly(c, {{c.At(9, 3), c.At(5, 8)}, {c.At(5, 8), c.At(1, 2)}}, Ink));
    EXPECT_EQ(c.Series.PrevX(), c.At(1, 2).X);
}

TEST(LineDrawing, PatternedPensRestartOnEverySegment) {
    PlotChart c;
    c.Series.LinePen().SetStyle(psDash);
    c.Series.AddPoint(1, 1, "", clDefault);
    c.Series.AddPoint(4, 9, "", clDefault);
    c.Series.AddPoint(9, 2, "", clDefault);
    const raster::Bitmap drawn = c.Paint();
    raster::Bitmap expected(drawn.Width(), drawn.Height());
    raster::DeviceContext dc(expected);
    const TRect r = c.Chart.ChartRect();
    dc.IntersectClip(raster::Rect{r.Left, r.Top, r.Right + 1, r.Bottom + 1});
    dc.SetPen(raster::MakePen(raster::PenStyle::Dash, 1, Ink));
    for (const auto& [from, to] : std::vector<Segment>{{c.At(1, 1), c.At(4, 9)}, {c.At(4, 9), c.At(9, 2)}}) {
        dc.MoveTo(from.X, from.Y);
        dc.LineTo(to.X, to.Y);
    }
    EXPECT_TRUE(SamePixels(drawn, expected, Ink));
}

TEST(LineDrawing, ShadowAndOutlineGoUnderTheLine) {
    PlotChart c;
    c.Series.AddPoint(1, 5, "", clDefault);
    c.Series.AddPoint(9, 5, "", clDefault);
    c.Series.Shadow().SetColor(OtherInk);
    c.Series.Shadow().SetHorizSize(3);
    c.Series.Shadow().SetVertSize(4);
    const raster::Bitmap shadowed = c.Paint();
    const TPoint a = c.At(1, 5);
    const TPoint b = c.At(9, 5);
    EXPECT_TRUE(SamePixels(shadowed, c.Reference({{a, b}}), Ink));
    EXPECT_TRUE(
        SamePixels(shadowed, c.Reference({{{a.X + 3, a.Y + 4}, {b.X + 3, b.Y + 4}}}, OtherInk), OtherInk));

    c.Series.Shadow().SetHorizSize(0);
    c.Series.Shadow().SetVertSize(0);
    c.Series.OutLine().SetVisible(true);
    c.Series.OutLine().SetColor(OtherInk);
    const raster::Bitmap outlined = c.Paint();
    EXPECT_TRUE(SamePixels(outlined, c.Reference({{a, b}}), Ink));
    // The outline is 2 x 1 + 1 + 1 = 4 pixels wide: two rows above the line and one below show.
    const int mid = (a.X + b.X) / 2;
    EXPECT_EQ(At(outlined, mid, a.Y - 2), OtherInk);
    EXPECT_EQ(At(outlined, mid, a.Y - 1), OtherInk);
    EXPECT_EQ(At(outlined, mid, a.Y + 1), OtherInk);
    EXPECT_NE(At(outlined, mid, a.Y + 2), OtherInk);
}

TEST(LineDrawing, FarPointsAreCutAtTheFrame) {
    PlotChart c;
    c.Series.AddPoint(-1e9, -1e9, "", clDefault);
    c.Series.AddPoint(5, 5, "", clDefault);
    c.Series.AddPoint(1e12, 1e15, "", clDefault);
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

TEST(LineDrawing, MarginsFollowPointerStairsOutlineAndMarks) {
    TLineSeries s;
    int a = -1;
    int b = -1;
    s.HorizMargins(a, b);
    EXPECT_EQ(a + b, 0);
    s.Pointer().SetVisible(true);
    s.HorizMargins(a, b);
    EXPECT_EQ(a, 5);
    EXPECT_EQ(b, 5);
    s.VertMargins(a, b);
    EXPECT_EQ(a, 5);
    s.Pointer().SetInflateMargins(false);
    s.HorizMargins(a, b);
    EXPECT_EQ(a + b, 0);
    s.Pointer().SetVisible(false);
    s.LinePen().SetWidth(3);
    s.SetStairs(true);
    s.HorizMargins(a, b);
    EXPECT_EQ(a, 2);
    s.SetStairs(false);
    s.Marks().SetVisible(true);
    s.VertMargins(a, b);
    EXPECT_EQ(a, s.Marks().ArrowLength());
    EXPECT_EQ(b, 0);
}

} // namespace
} // namespace mouldview::chart::test
