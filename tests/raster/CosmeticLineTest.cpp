// 1-pixel lines: the pixels of a reference line in all octants (ties towards the start), never the
// end pixel, joints painted once, the platform's dash patterns carried along a polyline, and the
// alternate pen.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <vector>

namespace mouldview::raster {
namespace {

using test::PaintedPixels;
using test::PixelSet;

// The reference: for each step along the major axis, the pixel nearest to the exact line, a tie
// resolved towards the start, computed independently per pixel from the exact rational offset.
PixelSet ReferenceLine(int x0, int y0, int x1, int y1) {
    PixelSet pixels;
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int n = xMajor ? std::abs(dx) : std::abs(dy);
    for (int i = 0; i < n; ++i) {
        // offset = i * minor / n exactly; nearest integer with halves rounded towards zero.
        const long long minor = xMajor ? dy : dx;
        const long long twice = 2LL * i * std::llabs(minor);
        long long offset = twice / (2LL * n);
        const long long remainder = twice % (2LL * n);
        if (remainder > n)
            ++offset;
        const long long signedOffset = minor < 0 ? -offset : offset;
        const int major = (xMajor ? (dx > 0 ? 1 : -1) : (dy > 0 ? 1 : -1)) * i;
        if (xMajor)
            pixels.insert({x0 + major, static_cast<int>(y0 + signedOffset)});
        else
            pixels.insert({static_cast<int>(x0 + signedOffset), y0 + major});
    }
    return pixels;
}

TEST(CosmeticLine, RandomLinesInAllOctantsMatchTheReferenceAndSkipTheEndPixel) {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coordinate(0, 39);
    int octantsSeen = 0;
    for (int trial = 0; trial < 2000; ++trial) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        Bitmap bitmap(40, 40);
        DeviceContext dc(bitmap);
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
        const PixelSet painted = PaintedPixels(bitmap);
        ASSERT_EQ(painted, ReferenceLine(x0, y0, x1, y1)) << x0 << "," << y0 << " -> " << x1 << "," << y1;
        ASSERT_EQ(painted.count({x1, y1}), 0u);
        if (x0 != x1 || y0 != y1) {
            ASSERT_EQ(painted.count({x0, y0}), 1u);
        }
        const int octant =
            (x1 >= x0 ? 0 : 1) | (y1 >= y0 ? 0 : 2) | (std::abs(x1 - x0) >= std::abs(y1 - y0) ? 0 : 4);
        octantsSeen |= 1 << octant;
    }
    EXPECT_EQ(octantsSeen, 0xFF);
}

TEST(CosmeticLine, LongLinesClippedToTheBitmapPaintTheSamePixels) {
    // Far-away end points exercise the closed-form start inside the clip.
    Bitmap clipped(50, 50);
    DeviceContext dc(clipped);
    dc.MoveTo(-100000, -99990);
    dc.LineTo(100000, 100037);
    const PixelSet expected = ReferenceLine(-100000, -99990, 100000, 100037);
    PixelSet inside;
    for (const auto& p : expected)
        if (p.first >= 0 && p.first < 50 && p.second >= 0 && p.second < 50)
            inside.insert(p);
    EXPECT_FALSE(inside.empty());
    EXPECT_EQ(PaintedPixels(clipped), inside);
}

TEST(CosmeticLine, LinesEndingJustInsideOrOutsideARandomClipPaintTheReferenceInsideIt) {
    // Lines with both ends inside the clip step from their start directly; the others enter the
    // clip in closed form. Ends within a pixel or two of the clip's edges try both and the border.
    std::mt19937 random(777);
    std::uniform_int_distribution<int> edge(5, 55);
    std::uniform_int_distribution<int> near(-2, 2);
    std::uniform_int_distribution<int> pick(0, 3);
    for (int trial = 0; trial < 3000; ++trial) {
        const int a = edge(random), b = edge(random), c = edge(random), d = edge(random);
        const Rect clip{std::min(a, b), std::min(c, d), std::max(a, b) + 1, std::max(c, d) + 1};
        const auto coordinate = [&](int lo, int hi) {
            const int choice = pick(random);
            if (choice == 0)
                return lo + near(random);
            if (choice == 1)
                return hi - 1 + near(random);
            return std::uniform_int_distribution<int>(lo - 3, hi + 2)(random);
        };
        const int x0 = coordinate(clip.left, clip.right), y0 = coordinate(clip.top, clip.bottom);
        const int x1 = coordinate(clip.left, clip.right), y1 = coordinate(clip.top, clip.bottom);
        Bitmap bitmap(64, 64);
        DeviceContext dc(bitmap);
        dc.IntersectClip(clip);
        dc.MoveTo(x0, y0);
        dc.LineTo(x1, y1);
        PixelSet expected;
        for (const auto& p : ReferenceLine(x0, y0, x1, y1))
            if (clip.Contains(p.first, p.second))
                expected.insert(p);
        ASSERT_EQ(PaintedPixels(bitmap), expected) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(CosmeticLine, EndPointsAtTheEdgesOfThe32BitPlaneStayExact) {
    // Lengths near 2^32: every painted pixel lies within half a pixel of the exact line, one per
    // column.
    const long long x0 = -2000000000, y0 = -1999999993, x1 = 2000000000, y1 = 1999999999;
    Bitmap bitmap(50, 50);
    DeviceContext dc(bitmap);
    dc.MoveTo(static_cast<int>(x0), static_cast<int>(y0));
    dc.LineTo(static_cast<int>(x1), static_cast<int>(y1));
    const PixelSet painted = PaintedPixels(bitmap);
    ASSERT_FALSE(painted.empty());
    std::set<int> columns;
    for (const auto& [x, y] : painted) {
        const long double exact = static_cast<long double>(y0) + static_cast<long double>(x - x0) *
                                                                     static_cast<long double>(y1 - y0) /
                                                                     static_cast<long double>(x1 - x0);
        EXPECT_LE(std::fabs(static_cast<long double>(y) - exact), 0.5L) << x << "," << y;
        columns.insert(x);
    }
    EXPECT_EQ(columns.size(), painted.size());
}

TEST(CosmeticLine, PolylineJointsArePaintedOnceAndItsLastPointNot) {
    Bitmap bitmap(20, 20, 0);
    DeviceContext dc(bitmap);
    dc.SetPen(MakePen(PenStyle::Solid, 1, 0xFFFFFF));
    dc.SetRop2(RasterOp::XorPen);
    const Point points[] = {{2, 2}, {12, 2}, {12, 12}, {2, 12}, {2, 3}};
    dc.Polyline(points);
    // With XOR a pixel painted twice would be black again: every stroked pixel must be white.
    const PixelSet painted = PaintedPixels(bitmap, 0);
    EXPECT_EQ(painted.size(), 10u + 10u + 10u + 9u);
    EXPECT_EQ(painted.count({2, 3}), 0u);
    EXPECT_EQ(painted.count({12, 2}), 1u);
}

// The painted/unpainted sequence of a horizontal line, one flag per pixel.
std::vector<bool> RowPattern(const Bitmap& bitmap, int y, int x0, int x1) {
    std::vector<bool> flags;
    for (int x = x0; x < x1; ++x)
        flags.push_back(bitmap.GetPixel(x, y) != test::white);
    return flags;
}

std::vector<bool> Runs(std::initializer_list<int> runs, int length) {
    std::vector<bool> flags;
    while (static_cast<int>(flags.size()) < length) {
        bool on = true;
        for (int run : runs) {
            for (int k = 0; k < run && static_cast<int>(flags.size()) < length; ++k)
                flags.push_back(on);
            on = !on;
        }
    }
    return flags;
}

TEST(CosmeticLine, PlatformPatternsStartWithAPaintedRun) {
    struct Case {
        PenStyle style;
        std::initializer_list<int> runs;
    };
    const Case cases[] = {{PenStyle::Dash, {18, 6}},
                          {PenStyle::Dot, {3, 3}},
                          {PenStyle::DashDot, {9, 6, 3, 6}},
                          {PenStyle::DashDotDot, {9, 3, 3, 3, 3, 3}},
                          {PenStyle::Alternate, {1, 1}}};
    for (const Case& c : cases) {
        Bitmap bitmap(100, 3);
        DeviceContext dc(bitmap);
        dc.SetBkMode(BkMode::Transparent);
        dc.SetPen(MakePen(c.style, 1, 0));
        dc.MoveTo(0, 1);
        dc.LineTo(100, 1);
        EXPECT_EQ(RowPattern(bitmap, 1, 0, 100), Runs(c.runs, 100)) << static_cast<int>(c.style);
    }
}

TEST(CosmeticLine, ThePatternCarriesOnAcrossPolylineSegmentsAndLineToCalls) {
    // Along a right angle the pattern continues with the next step rather than restarting.
    Bitmap polyline(40, 40);
    DeviceContext dc(polyline);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetPen(MakePen(PenStyle::Dot, 1, 0));
    const Point points[] = {{0, 0}, {10, 0}, {10, 20}};
    dc.Polyline(points);
    std::vector<bool> along = RowPattern(polyline, 0, 0, 10);
    for (int y = 0; y < 20; ++y)
        along.push_back(polyline.GetPixel(10, y) != test::white);
    EXPECT_EQ(along, Runs({3, 3}, 30));

    Bitmap lines(40, 40);
    DeviceContext dc2(lines);
    dc2.SetBkMode(BkMode::Transparent);
    dc2.SetPen(MakePen(PenStyle::Dot, 1, 0));
    dc2.MoveTo(0, 0);
    dc2.LineTo(10, 0);
    dc2.LineTo(10, 20);
    EXPECT_EQ(lines, polyline);
}

TEST(CosmeticLine, GapsArePaintedInOpaqueModeOnly) {
    Bitmap bitmap(12, 2);
    DeviceContext dc(bitmap);
    dc.SetPen(MakePen(PenStyle::Dot, 1, 0x0000FF));
    dc.SetBkMode(BkMode::Opaque);
    dc.SetBkColor(0x00FF00);
    dc.MoveTo(0, 0);
    dc.LineTo(12, 0);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_EQ(bitmap.GetPixel(3, 0), 0x00FF00u);
    dc.SetBkMode(BkMode::Transparent);
    dc.MoveTo(0, 1);
    dc.LineTo(12, 1);
    EXPECT_EQ(bitmap.GetPixel(3, 1), test::white);
}

TEST(CosmeticLine, UserStyleAndClearPen) {
    Bitmap bitmap(20, 2);
    DeviceContext dc(bitmap);
    dc.SetBkMode(BkMode::Transparent);
    Pen pen = MakePen(PenStyle::UserStyle, 1, 0);
    pen.userDashes = {2, 1};
    dc.SetPen(pen);
    dc.MoveTo(0, 0);
    dc.LineTo(20, 0);
    EXPECT_EQ(RowPattern(bitmap, 0, 0, 20), Runs({2, 1}, 20));
    dc.SetPen(MakePen(PenStyle::Clear, 1, 0));
    dc.MoveTo(0, 1);
    dc.LineTo(20, 1);
    EXPECT_EQ(PaintedPixels(bitmap).size(), 14u);
}

} // namespace
} // namespace mouldview::raster
