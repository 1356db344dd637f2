// The drawing surface pixel by pixel: pens (the 1-pixel dot pattern against the wide dotted pen),
// bevel frames, one-level clipping, and frames through the off-screen buffer. Lines and rectangles
// go to the device context unchanged and are tested there.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>

namespace mouldview::chart::test {
namespace {

// The painted (non-white) pattern of row y from x0 to x1-1, '#' painted, '.' not.
std::string RowPattern(const Surface& s, int y, int x0, int x1) {
    std::string row;
    for (int x = x0; x < x1; ++x) {
        row += s.At(x, y) == clWhite ? '.' : '#';
    }
    return row;
}

// Columns where a painted run of a row pattern starts.
std::vector<int> RunStarts(const std::string& row) {
    std::vector<int> starts;
    for (std::size_t x = 1; x < row.size(); ++x) {
        if (row[x] == '#' && row[x - 1] == '.') {
            starts.push_back(static_cast<int>(x));
        }
    }
    return starts;
}

TEST(ApplyPen, ThinDotsAreThreeOnThreeOffAndWideDotsScaleWithTheWidth) {
    Surface thin;
    thin.Canvas.ApplyPen(clGray, 1, psDot);
    thin.Canvas.Line(0, 5, 24, 5);
    EXPECT_EQ(RowPattern(thin, 5, 0, 26), "###...###...###...###.....");
    EXPECT_EQ(RowPattern(thin, 4, 0, 26), std::string(26, '.'));
    EXPECT_EQ(thin.At(0, 5), clGray);

    // Width w: runs of w on and w off, each dot grown by its round caps, so a period of 2w.
    for (const int width : {2, 4}) {
        Surface wide(80, 20);
        wide.Canvas.ApplyPen(clRed, width, psDot);
        wide.Canvas.Line(4, 10, 68, 10);
        const std::string row = RowPattern(wide, 10, 0, 80);
        const std::vector<int> starts = RunStarts(row);
        ASSERT_GE(starts.size(), 4U) << row;
        for (std::size_t i = 1; i < starts.size(); ++i) {
            EXPECT_EQ(starts[i] - starts[i - 1], 2 * width) << row;
        }
    }
}

TEST(Shapes, BevelFramePaintsExactlyTheEdgesAndLeavesTheInnerRectangle) {
    Surface s(100, 50);
    s.Canvas.ApplyPen(clGreen, 4, psDot);
    TRect r{0, 0, 100, 50};
    s.Canvas.BevelFrame(r, clRed, clBlue, 1);
    EXPECT_EQ(r, (TRect{1, 1, 99, 49}));
    // Top and left edge in the first colour, right and bottom (their corners included) in the
    // second, solid and one pixel wide whatever pen was applied before.
    EXPECT_EQ(RowPattern(s, 0, 0, 100), std::string(100, '#'));
    EXPECT_EQ(s.CountOf(clRed), 99 + 48);
    EXPECT_EQ(s.CountOf(clBlue), 50 + 99);
    EXPECT_EQ(s.At(99, 0), clBlue);
    EXPECT_EQ(s.At(0, 49), clBlue);
    EXPECT_EQ(s.CountOf(clWhite), 98 * 48);

    Surface two(20, 10);
    TRect nested{0, 0, 20, 10};
    two.Canvas.BevelFrame(nested, clRed, clBlue, 2);
    EXPECT_EQ(nested, (TRect{2, 2, 18, 8}));
    EXPECT_EQ(two.At(1, 1), clRed);
    EXPECT_EQ(two.At(18, 1), clBlue);
    EXPECT_EQ(two.At(2, 2), clWhite);

    Surface none(20, 10);
    TRect same{3, 3, 15, 8};
    none.Canvas.BevelFrame(same, clRed, clBlue, 0);
    EXPECT_EQ(same, (TRect{3, 3, 15, 8}));
    EXPECT_TRUE(none.AllWhite());
}

TEST(Shapes, AnAbsurdBevelWidthEndsOnceTheFramesHaveCrossedTheRectangle) {
    Surface huge(120, 70);
    TRect r{10, 10, 110, 60};
    huge.Canvas.BevelFrame(r, clRed, clBlue, std::numeric_limits<int>::max());
    EXPECT_EQ(r.Left, std::numeric_limits<int>::max());
    EXPECT_EQ(r.Right, 110 - std::numeric_limits<int>::max());
    Surface enough(120, 70);
    TRect same{10, 10, 110, 60};
    enough.Canvas.BevelFrame(same, clRed, clBlue, 100);
    EXPECT_TRUE(huge.Window == enough.Window);
    EXPECT_EQ(huge.At(5, 5), clWhite);
}

TEST(Clip, TwoClipsAndTwoRemovalsLeaveNoClip) {
    Surface s(40, 40);
    const raster::DeviceContext& dc = s.Canvas.Target();
    s.Canvas.ClipToRect(TRect{5, 5, 30, 30});
    s.Canvas.ClipToRect(TRect{10, 0, 40, 20});
    EXPECT_EQ(dc.GetClip(), (raster::Rect{10, 5, 30, 20})) << "the new clip lies within the old one";
    s.Canvas.RemoveClip();
    EXPECT_EQ(dc.GetClip(), (raster::Rect{5, 5, 30, 30})) << "the first removal restores the first clip";
    s.Canvas.RemoveClip();
    EXPECT_FALSE(dc.GetClip().has_value());
    s.Canvas.SetSolidBrush(clRed);
    s.Canvas.FillRect(TRect{0, 0, 40, 40});
    EXPECT_EQ(s.CountOf(clRed), 40 * 40);
}

// A frame filled with one colour, drawn the way the chart panel draws one.
void DrawFrame(Surface& s, TColor color, TRect rect) {
    const TRect area = s.Canvas.BeginFrame(rect);
    s.Canvas.SetSolidBrush(color);
    s.Canvas.FillRect(area);
    s.Canvas.ResetDrawingDefaults();
    s.Canvas.EndFrame(rect);
}

TEST(Frame, AFrameIsDrawnOffScreenAndCopiedInOneBlock) {
    Surface s(30, 20);
    EXPECT_TRUE(s.Canvas.BufferDirty());
    EXPECT_FALSE(s.Canvas.RepaintFromBuffer()) << "nothing to copy before the first frame";
    const TRect area = s.Canvas.BeginFrame(TRect{0, 0, 30, 20});
    EXPECT_EQ(area, (TRect{0, 0, 30, 20}));
    EXPECT_TRUE(s.Canvas.InFrame());
    s.Canvas.SetSolidBrush(clRed);
    s.Canvas.FillRect(area);
    EXPECT_TRUE(s.AllWhite()) << "the window is untouched until the frame ends";
    s.Canvas.EndFrame(TRect{0, 0, 30, 20});
    EXPECT_EQ(s.CountOf(clRed), 30 * 20);
    EXPECT_FALSE(s.Canvas.BufferDirty());
    EXPECT_FALSE(s.Canvas.InFrame());
}

TEST(Frame, ACleanBufferIsOnlyCopiedAndInvalidationForcesAFullFrame) {
    Surface s(30, 20);
    DrawFrame(s, clRed, TRect{0, 0, 30, 20});
    // Something covers the window; uncovering it with nothing changed only copies the buffer.
    s.Window.Fill(0);
    EXPECT_TRUE(s.Canvas.RepaintFromBuffer());
    EXPECT_EQ(s.CountOf(clRed), 30 * 20);
    s.Canvas.MarkDirty();
    EXPECT_FALSE(s.Canvas.RepaintFromBuffer()) << "a dirty buffer is drawn again, not copied";
    DrawFrame(s, clBlue, TRect{0, 0, 30, 20});
    EXPECT_EQ(s.CountOf(clBlue), 30 * 20);
}

TEST(Frame, TheBufferTakesTheFramesSizeAndAFailedFrameStaysDirty) {
    Surface s(30, 20);
    DrawFrame(s, clRed, TRect{0, 0, 30, 20});
    DrawFrame(s, clGreen, TRect{5, 4, 15, 10});
    EXPECT_EQ(s.CountOf(clGreen), 10 * 6);
    EXPECT_EQ(s.At(5, 4), clGreen);
    EXPECT_EQ(s.At(15, 9), clRed);
    // A frame without pixels copies nothing.
    DrawFrame(s, clBlue, TRect{3, 3, 3, 10});
    EXPECT_EQ(s.CountOf(clBlue), 0);

    s.Canvas.MarkDirty();
    s.Canvas.BeginFrame(TRect{0, 0, 30, 20});
    // The frame fails part-way and never reaches EndFrame.
    EXPECT_TRUE(s.Canvas.BufferDirty());
}

} // namespace
} // namespace mouldview::chart::test
