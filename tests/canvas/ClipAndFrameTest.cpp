// One-level clipping with its single saved clip, and frames through the off-screen buffer: a clean
// buffer is only copied, an invalidated one is drawn again, a resized one never stretched.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace mouldview::chart::test {
namespace {

raster::Rect RasterRect(int l, int t, int r, int b) {
    return raster::Rect{l, t, r, b};
}

TEST(Clip, TwoClipsAndTwoRemovalsLeaveNoClip) {
    Surface s(40, 40);
    raster::DeviceContext& dc = *s.Canvas.Handle();
    s.Canvas.ClipToRect(TRect{5, 5, 30, 30});
    EXPECT_EQ(dc.GetClip(), RasterRect(5, 5, 30, 30));
    s.Canvas.ClipToRect(TRect{10, 0, 40, 20});
    EXPECT_EQ(dc.GetClip(), RasterRect(10, 5, 30, 20)) << "the new clip lies within the old one";
    s.Canvas.RemoveClip();
    EXPECT_EQ(dc.GetClip(), RasterRect(5, 5, 30, 30)) << "the first removal restores the first clip";
    s.Canvas.RemoveClip();
    EXPECT_FALSE(dc.GetClip().has_value());

    s.Canvas.Brush().SetColor(clRed);
    s.Canvas.FillRect(TRect{0, 0, 40, 40});
    EXPECT_EQ(s.CountOf(clRed), 40 * 40);
}

TEST(Clip, TheSavedClipIsSharedByEverySurface) {
    Surface a(20, 20);
    Surface b(20, 20);
    a.Canvas.ClipToRect(TRect{0, 0, 10, 10});
    a.Canvas.ClipToRect(TRect{2, 2, 8, 8});
    // b has no clip of its own, so clipping it replaces what a saved: one level for the process.
    b.Canvas.ClipToRect(TRect{1, 1, 5, 5});
    a.Canvas.RemoveClip();
    EXPECT_FALSE(a.Canvas.Handle()->GetClip().has_value());
    b.Canvas.RemoveClip();
    EXPECT_FALSE(b.Canvas.Handle()->GetClip().has_value());
}

TEST(Clip, RandomClipsAreNeverCrossedByAnyOperation) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> coordinate(-10, 70);
    for (int round = 0; round < 60; ++round) {
        Surface s(60, 60);
        TRect clip{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        s.Canvas.ClipToRect(clip);
        TChartPen pen;
        pen.SetWidth(round % 4 + 1);
        pen.SetStyle(round % 3 == 0 ? psDot : psSolid);
        s.Canvas.ApplyPen(pen, clBlue);
        TChartBrush brush;
        brush.SetStyle(round % 2 == 0 ? bsSolid : bsCross);
        s.Canvas.ApplyBrush(brush, clRed, clYellow);
        s.Canvas.Line(coordinate(random), coordinate(random), coordinate(random), coordinate(random));
        s.Canvas.Rectangle(coordinate(random), coordinate(random), coordinate(random), coordinate(random));
        s.Canvas.FillRect(
            TRect{coordinate(random), coordinate(random), coordinate(random), coordinate(random)});
        const TPoint triangle[] = {{coordinate(random), coordinate(random)},
                                   {coordinate(random), coordinate(random)},
                                   {coordinate(random), coordinate(random)}};
        s.Canvas.Polygon(triangle);
        TChartFont font;
        s.Canvas.ApplyFont(font);
        s.Canvas.TextOut(coordinate(random), coordinate(random), "W8");
        s.Canvas.TextOutRotated(coordinate(random), coordinate(random), 90.0, "W8");
        s.Canvas.RemoveClip();
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                const bool inside = x >= clip.Left && x < clip.Right && y >= clip.Top && y < clip.Bottom;
                if (!inside) {
                    ASSERT_EQ(s.At(x, y), clWhite) << "round " << round << " pixel " << x << "," << y;
                }
            }
        }
    }
}

// A window canvas with a surface on it, and a frame drawn the way the chart panel draws one.
struct Window {
    Window() : Pixels(30, 20), Canvas(Pixels.Canvas()) {}

    // Fills the frame with `color`, through the buffer when buffering is on.
    void DrawFrame(TColor color, TRect rect = TRect{0, 0, 30, 20}) {
        const TRect area = Canvas.BeginFrame(Pixels.Canvas(), &Options, rect, false, clBtnFace);
        Canvas.Brush().SetColor(color);
        Canvas.FillRect(area);
        Canvas.ResetDrawingDefaults();
        Canvas.EndFrame(Pixels.Canvas(), rect);
    }

    TColor At(int x, int y) const { return raster::FromPixel(Pixels.Bitmap().GetPixel(x, y)); }

    TBitmapCanvas Pixels;
    TChartCanvas3D Canvas;
    TView3DOptions Options;
};

TEST(Frame, BufferedFrameIsDrawnOffScreenAndCopiedInOneBlock) {
    Window w;
    EXPECT_TRUE(w.Canvas.UseBuffer());
    EXPECT_TRUE(w.Canvas.BufferDirty());
    EXPECT_EQ(w.Canvas.Buffer(), nullptr);
    EXPECT_FALSE(w.Canvas.RepaintFromBuffer()) << "nothing to copy before the first frame";

    const TRect area =
        w.Canvas.BeginFrame(w.Pixels.Canvas(), &w.Options, TRect{0, 0, 30, 20}, false, clBtnFace);
    EXPECT_EQ(area, (TRect{0, 0, 30, 20}));
    ASSERT_NE(w.Canvas.Buffer(), nullptr);
    EXPECT_EQ(&w.Canvas.Target().Target(), w.Canvas.Buffer());
    w.Canvas.Brush().SetColor(clRed);
    w.Canvas.FillRect(area);
    EXPECT_EQ(w.At(5, 5), clWhite) << "the window is untouched until the frame ends";
    w.Canvas.EndFrame(w.Pixels.Canvas(), TRect{0, 0, 30, 20});
    EXPECT_EQ(w.At(5, 5), clRed);
    EXPECT_FALSE(w.Canvas.BufferDirty());
    EXPECT_EQ(&w.Canvas.Target(), &w.Pixels.Canvas()) << "between frames the window is the target";
}

TEST(Frame, CleanBufferIsOnlyCopiedAndInvalidationForcesAFullFrame) {
    Window w;
    w.DrawFrame(clRed);
    // Something covers the window; uncovering it with nothing changed only copies the buffer.
    w.Pixels.Canvas().Brush().SetColor(clBlack);
    w.Pixels.Canvas().RealizeBrush();
    w.Pixels.Canvas().Handle().FillRect(RasterRect(0, 0, 30, 20));
    EXPECT_TRUE(w.Canvas.RepaintFromBuffer());
    EXPECT_EQ(w.At(29, 19), clRed);

    w.Canvas.MarkDirty();
    EXPECT_TRUE(w.Canvas.BufferDirty());
    EXPECT_FALSE(w.Canvas.RepaintFromBuffer()) << "a dirty buffer is drawn again, not copied";
    w.DrawFrame(clBlue);
    EXPECT_EQ(w.At(29, 19), clBlue);
    EXPECT_FALSE(w.Canvas.BufferDirty());
}

TEST(Frame, ResizedFrameResizesTheBufferAndKeepsItOtherwise) {
    Window w;
    w.DrawFrame(clRed);
    const raster::Bitmap* buffer = w.Canvas.Buffer();
    w.Canvas.BeginFrame(w.Pixels.Canvas(), &w.Options, TRect{0, 0, 30, 20}, false, clBtnFace);
    EXPECT_EQ(w.Canvas.Buffer(), buffer);
    EXPECT_EQ(raster::FromPixel(buffer->GetPixel(3, 3)), clRed) << "an unchanged size keeps the content";
    w.Canvas.EndFrame(w.Pixels.Canvas(), TRect{0, 0, 30, 20});

    w.DrawFrame(clGreen, TRect{5, 4, 15, 10});
    EXPECT_EQ(w.Canvas.Buffer()->Width(), 10);
    EXPECT_EQ(w.Canvas.Buffer()->Height(), 6);
    EXPECT_EQ(w.Canvas.Bounds(), (TRect{5, 4, 15, 10}));
    EXPECT_EQ(w.At(5, 4), clGreen);
    EXPECT_EQ(w.At(14, 9), clGreen);
    EXPECT_EQ(w.At(15, 9), clRed);
    EXPECT_EQ(w.At(4, 4), clRed);
}

TEST(Frame, ZeroSizeFrameCopiesNothingAndAFailedFrameStaysDirty) {
    Window w;
    w.DrawFrame(clRed);
    w.DrawFrame(clBlue, TRect{3, 3, 3, 10});
    EXPECT_TRUE(w.Canvas.Buffer()->IsEmpty());
    EXPECT_EQ(w.At(3, 5), clRed);

    w.Canvas.MarkDirty();
    w.Canvas.BeginFrame(w.Pixels.Canvas(), &w.Options, TRect{0, 0, 30, 20}, false, clBtnFace);
    // The frame fails part-way and never reaches EndFrame.
    EXPECT_TRUE(w.Canvas.BufferDirty());
    EXPECT_FALSE(w.Canvas.RepaintFromBuffer());
}

TEST(Frame, WithoutBufferingTheFrameGoesStraightToTheWindow) {
    Window w;
    w.DrawFrame(clRed);
    w.Canvas.SetUseBuffer(false);
    EXPECT_EQ(w.Canvas.Buffer(), nullptr);
    EXPECT_TRUE(w.Canvas.BufferDirty());
    const TRect area =
        w.Canvas.BeginFrame(w.Pixels.Canvas(), &w.Options, TRect{2, 2, 12, 12}, false, clBtnFace);
    EXPECT_EQ(area, (TRect{2, 2, 12, 12}));
    w.Canvas.Brush().SetColor(clBlue);
    w.Canvas.FillRect(area);
    EXPECT_EQ(w.At(2, 2), clBlue) << "drawn on the window at once";
    w.Canvas.EndFrame(w.Pixels.Canvas(), TRect{2, 2, 12, 12});
    EXPECT_TRUE(w.Canvas.BufferDirty());
    EXPECT_FALSE(w.Canvas.RepaintFromBuffer());
}

TEST(Frame, FontZoomComesFromTheOptionsAtEachFrame) {
    Window w;
    w.Options.SetFontZoom(150.0);
    w.Canvas.BeginFrame(w.Pixels.Canvas(), &w.Options, TRect{0, 0, 30, 20}, false, clBtnFace);
    EXPECT_EQ(w.Canvas.FontZoom(), 150.0);
    TChartFont font;
    w.Canvas.ApplyFont(font);
    EXPECT_EQ(w.Canvas.Font().Size(), 12);
    EXPECT_EQ(w.Canvas.CurrentChartFont(), &font);
    w.Canvas.ResetDrawingDefaults();
    EXPECT_EQ(w.Canvas.CurrentChartFont(), nullptr);
    EXPECT_EQ(w.Canvas.BackgroundMode(), cbmTransparent);
    EXPECT_EQ(w.Canvas.TextAlignment(), TA_LEFT | TA_TOP);
    w.Canvas.EndFrame(w.Pixels.Canvas(), TRect{0, 0, 30, 20});
}

} // namespace
} // namespace mouldview::chart::test
