// The same chart-like picture drawn two ways must give the same pixels: through the off-screen
// buffer and straight onto the window, and through the forms at depth and the flat ones.
#include "CanvasTestSupport.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace mouldview::chart::test {
namespace {

// A miniature of what a chart paints: panel fill and bevel, a white back wall, a dotted grid, axis
// lines, labels, a rotated title and a clipped series line.
void PaintChartLike(TCanvas3D& canvas, const TRect& area, bool atDepth) {
    TChartBrush brush;
    canvas.ApplyBrush(brush, clBtnFace, clNone);
    canvas.FillRect(area);
    TRect frame = area;
    canvas.Pen().SetMode(pmCopy);
    canvas.BevelFrame(frame, clBtnHighlight, clBtnShadow, 1);

    const TRect wall{area.Left + 40, area.Top + 10, area.Right - 10, area.Bottom - 30};
    TChartPen wallPen;
    canvas.ApplyPen(wallPen, clBlack);
    canvas.ApplyBrush(brush, clWhite, clNone);
    if (atDepth) {
        canvas.RectangleWithZ(TRect{wall.Left, wall.Top, wall.Right - 1, wall.Bottom - 1}, 0);
    } else {
        const std::array<TPoint, 4> corners = {{{wall.Left, wall.Top},
                                                {wall.Right - 1, wall.Top},
                                                {wall.Right - 1, wall.Bottom - 1},
                                                {wall.Left, wall.Bottom - 1}}};
        canvas.Polygon(corners);
    }

    TDottedGrayPen grid;
    canvas.ApplyPen(grid, grid.Color());
    canvas.SetBackgroundMode(cbmTransparent);
    for (int y = wall.Top + 20; y < wall.Bottom; y += 20) {
        if (atDepth) {
            canvas.HorizLine3D(wall.Left + 1, wall.Right - 1, y, 0);
        } else {
            canvas.HorizontalLine(wall.Left + 1, wall.Right - 1, y);
        }
    }

    TChartFont labels;
    canvas.ApplyFont(labels);
    canvas.SetTextAlignment(TA_RIGHT | TA_TOP);
    for (int i = 0; i < 4; ++i) {
        canvas.TextOut(wall.Left - 4, wall.Bottom - 7 - i * 20, std::to_string(i));
    }
    canvas.SetTextAlignment(TA_CENTER | TA_TOP);
    canvas.TextOutRotated(area.Left + 8, (wall.Top + wall.Bottom) / 2, 90.0, "Mould index");
    canvas.SetTextAlignment(TA_CENTER | TA_TOP);
    if (atDepth) {
        canvas.TextOut3D((wall.Left + wall.Right) / 2, wall.Bottom + 12, 0, "Periods");
    } else {
        canvas.TextOut((wall.Left + wall.Right) / 2, wall.Bottom + 12, "Periods");
    }

    canvas.ClipToRect(TRect{wall.Left + 1, wall.Top + 1, wall.Right - 1, wall.Bottom - 1});
    TChartPen line;
    line.SetWidth(2);
    canvas.ApplyPen(line, clBlue);
    const std::array<TPoint, 6> curve = {{{wall.Left - 20, wall.Bottom + 20},
                                          {wall.Left + 30, wall.Bottom - 25},
                                          {wall.Left + 60, wall.Bottom - 20},
                                          {wall.Left + 90, wall.Top + 15},
                                          {wall.Left + 120, wall.Top + 40},
                                          {wall.Right + 30, wall.Top - 30}}};
    canvas.Polyline(curve);
    canvas.RemoveClip();
    canvas.ResetDrawingDefaults();
}

TEST(TwoWays, BufferedAndDirectFramesGiveTheSamePixels) {
    const TRect rect{0, 0, 220, 140};
    TBitmapCanvas bufferedWindow(220, 140);
    TChartCanvas3D buffered(bufferedWindow.Canvas());
    const TView3DOptions options;
    const TRect area = buffered.BeginFrame(bufferedWindow.Canvas(), &options, rect, false, clBtnFace);
    PaintChartLike(buffered, area, false);
    buffered.EndFrame(bufferedWindow.Canvas(), rect);

    TBitmapCanvas directWindow(220, 140);
    TChartCanvas3D direct(directWindow.Canvas());
    direct.SetUseBuffer(false);
    const TRect directArea = direct.BeginFrame(directWindow.Canvas(), &options, rect, false, clBtnFace);
    PaintChartLike(direct, directArea, true);
    direct.EndFrame(directWindow.Canvas(), rect);

    EXPECT_TRUE(bufferedWindow.Bitmap() == directWindow.Bitmap());
    std::filesystem::create_directories(CANVAS_TEST_OUTPUT_DIR);
    raster::WritePng(bufferedWindow.Bitmap(), std::string(CANVAS_TEST_OUTPUT_DIR) + "/chart-like.png");

    // The series line never leaves its clip, and the picture is not blank.
    for (int y = 0; y < 140; ++y) {
        for (int x = 0; x < 220; ++x) {
            const bool inside = x >= 41 && x < 209 && y >= 11 && y < 109;
            if (!inside) {
                ASSERT_NE(raster::FromPixel(bufferedWindow.Bitmap().GetPixel(x, y)), clBlue) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(raster::FromPixel(bufferedWindow.Bitmap().GetPixel(100, 0)), 0xFFFFFFU) << "bevel highlight";
    EXPECT_EQ(raster::FromPixel(bufferedWindow.Bitmap().GetPixel(219, 50)), 0xA0A0A0U) << "bevel shadow";
    EXPECT_EQ(raster::FromPixel(bufferedWindow.Bitmap().GetPixel(20, 120)), 0xF0F0F0U) << "button face";
}

} // namespace
} // namespace mouldview::chart::test
