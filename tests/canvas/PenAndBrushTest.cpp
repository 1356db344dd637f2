// Pens and brushes as the surface realises them, checked pixel by pixel: hidden pens, the 1-pixel
// dot pattern against the wide dotted pen, small dots, raster modes, the hatch visibility rule and
// monochrome mode.
#include "CanvasTestSupport.h"

#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <random>
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

// Columns where a painted run of row y starts.
std::vector<int> RunStarts(const std::string& row) {
    std::vector<int> starts;
    for (std::size_t x = 1; x < row.size(); ++x) {
        if (row[x] == '#' && row[x - 1] == '.') {
            starts.push_back(static_cast<int>(x));
        }
    }
    return starts;
}

TEST(ApplyPen, HiddenPenStrokesNothingWhateverItsColourAndWidth) {
    for (const int width : {1, 2, 5}) {
        Surface s;
        TChartHiddenPen pen;
        pen.SetColor(clRed);
        pen.SetWidth(width);
        s.Canvas.ApplyPen(pen, clRed);
        s.Canvas.Line(2, 10, 30, 10);
        s.Canvas.Line(5, 2, 5, 18);
        s.Canvas.Brush().SetStyle(bsClear);
        s.Canvas.Rectangle(8, 3, 20, 15);
        EXPECT_TRUE(s.AllWhite()) << "width " << width;
    }
}

TEST(ApplyPen, HidingAWidePenAfterShowingItStopsItsStroke) {
    Surface s;
    TChartPen pen;
    pen.SetWidth(3);
    s.Canvas.ApplyPen(pen, clBlue);
    pen.SetVisible(false);
    s.Canvas.ApplyPen(pen, clBlue);
    s.Canvas.Line(2, 10, 30, 10);
    EXPECT_TRUE(s.AllWhite());
}

TEST(ApplyPen, ThinDottedPenUsesThePlatformsThreeOnThreeOffPattern) {
    Surface s;
    TDottedGrayPen pen;
    s.Canvas.ApplyPen(pen, clBlack);
    s.Canvas.Line(0, 5, 24, 5);
    EXPECT_EQ(RowPattern(s, 5, 0, 26), "###...###...###...###.....");
    EXPECT_EQ(RowPattern(s, 4, 0, 26), std::string(26, '.'));
    EXPECT_EQ(RowPattern(s, 6, 0, 26), std::string(26, '.'));
}

TEST(ApplyPen, WideDottedPenHasRoundDotsThatScaleWithTheWidth) {
    Surface s(60, 20);
    TChartPen pen;
    pen.SetStyle(psDot);
    pen.SetWidth(2);
    s.Canvas.ApplyPen(pen, clRed);
    s.Canvas.Line(4, 10, 44, 10);
    s.SavePng("dotted-width-2");

    // Along the stroke painted and unpainted runs alternate with a period of 4 pixels (one width
    // on, one off, each dot grown by its round caps).
    const std::string row = RowPattern(s, 10, 0, 60);
    const std::vector<int> starts = RunStarts(row);
    ASSERT_GE(starts.size(), 8U) << row;
    EXPECT_LE(starts.size(), 11U) << row;
    for (std::size_t i = 1; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i] - starts[i - 1], 4) << row;
    }

    // Round ends: a dot is wider in its middle rows than in its outermost row.
    int middle = 0;
    int outer = 0;
    for (int x = starts[2] - 1; x < starts[2] + 3; ++x) {
        middle += s.At(x, 10) == clRed ? 1 : 0;
        outer += (s.At(x, 8) == clRed ? 1 : 0) + (s.At(x, 12) == clRed ? 1 : 0);
    }
    EXPECT_GT(middle, 0);
    EXPECT_LE(outer, middle) << "no square corners";

    // The same pen at width 4: period 8.
    Surface wide(80, 20);
    pen.SetWidth(4);
    wide.Canvas.ApplyPen(pen, clRed);
    wide.Canvas.Line(4, 10, 68, 10);
    const std::string wideRow = RowPattern(wide, 10, 0, 80);
    const std::vector<int> wideStarts = RunStarts(wideRow);
    ASSERT_GE(wideStarts.size(), 4U) << wideRow;
    for (std::size_t i = 1; i < wideStarts.size(); ++i) {
        EXPECT_EQ(wideStarts[i] - wideStarts[i - 1], 8) << wideRow;
    }
}

TEST(ApplyPen, EndStyleShapesTheEndsOfWideStrokes) {
    // Width 4 from (10, 10) to (30, 10): the body covers columns 10..29 and rows 8..11.
    const auto stroke = [](TPenEndStyle endStyle) {
        auto s = std::make_unique<Surface>(40, 20);
        TChartPen pen;
        pen.SetWidth(4);
        pen.SetEndStyle(endStyle);
        s->Canvas.ApplyPen(pen, clBlack);
        s->Canvas.Line(10, 10, 30, 10);
        return s;
    };
    const auto flat = stroke(esFlat);
    EXPECT_EQ(flat->CountOf(clBlack), 20 * 4);
    EXPECT_EQ(RowPattern(*flat, 9, 6, 34), "....####################....");

    const auto square = stroke(esSquare);
    EXPECT_EQ(RowPattern(*square, 9, 6, 34), "..########################..") << "half a width further";
    EXPECT_EQ(RowPattern(*square, 8, 6, 34), RowPattern(*square, 11, 6, 34));

    // Round: each end is a round blob, thinner at its outermost column than the stroke's body.
    const auto round = stroke(esRound);
    const auto columnCount = [](const Surface& s, int x) {
        int count = 0;
        for (int y = 0; y < 20; ++y) {
            count += s.At(x, y) == clBlack ? 1 : 0;
        }
        return count;
    };
    int outermost = 0;
    while (outermost < 10 && columnCount(*round, outermost) == 0) {
        ++outermost;
    }
    EXPECT_LT(outermost, 10) << "the round end reaches beyond the flat one";
    EXPECT_LT(columnCount(*round, outermost), columnCount(*round, 20));
    EXPECT_EQ(columnCount(*round, 20), 4);
}

TEST(ApplyPen, SmallDotsPaintEveryOtherPixelOrOneDotEverySpacePlusOnePixels) {
    Surface s;
    TChartPen pen;
    pen.SetSmallDots(true);
    s.Canvas.ApplyPen(pen, clBlue);
    s.Canvas.Line(0, 3, 20, 3);
    EXPECT_EQ(RowPattern(s, 3, 0, 22), "#.#.#.#.#.#.#.#.#.#...");

    pen.SetSmallSpace(3);
    s.Canvas.ApplyPen(pen, clBlue);
    s.Canvas.Line(0, 8, 21, 8);
    EXPECT_EQ(RowPattern(s, 8, 0, 24), "#...#...#...#...#...#...");
    EXPECT_EQ(RowPattern(s, 7, 0, 24), std::string(24, '.')) << "small dots are one pixel";
    EXPECT_EQ(RowPattern(s, 9, 0, 24), std::string(24, '.'));

    // Small dots win over the pen's own width and style.
    pen.SetWidth(4);
    pen.SetStyle(psDash);
    pen.SetSmallSpace(0);
    s.Canvas.ApplyPen(pen, clBlue);
    s.Canvas.Line(0, 14, 10, 14);
    EXPECT_EQ(RowPattern(s, 14, 0, 12), "#.#.#.#.#...");
    EXPECT_EQ(RowPattern(s, 13, 0, 12), std::string(12, '.'));
}

TEST(ApplyPen, ThePensColourGivesWayToTheGivenOneAndItsModeIsApplied) {
    Surface s;
    TChartPen pen;
    pen.SetColor(clRed);
    s.Canvas.ApplyPen(pen, clGreen);
    s.Canvas.Line(0, 0, 10, 0);
    EXPECT_EQ(s.At(3, 0), clGreen);

    pen.SetMode(pmNot);
    s.Canvas.ApplyPen(pen, clGreen);
    s.Canvas.Line(0, 1, 10, 1);
    EXPECT_EQ(s.At(3, 1), clBlack) << "not of white";

    // A framework pen is copied as it is and takes the given colour.
    TPen framework;
    framework.SetStyle(psDot);
    framework.SetWidth(1);
    s.Canvas.ApplyPen(framework, clBlue);
    s.Canvas.Line(0, 2, 12, 2);
    EXPECT_EQ(RowPattern(s, 2, 0, 12), "###...###...");
    EXPECT_EQ(s.At(0, 2), clBlue);
}

TEST(ApplyPen, NotXorBandDrawnTwiceRestoresEveryPixel) {
    // The zoom band: red, dotted, width 2, round ends, drawn with pmNotXor over a busy background.
    Surface s(60, 40);
    TChartBrush brush;
    brush.SetStyle(bsDiagCross);
    s.Canvas.ApplyBrush(brush, clBlue, clYellow);
    s.Canvas.FillRect(TRect{0, 0, 60, 40});
    const raster::Bitmap before = s.Window.Bitmap();

    TChartZoomPen pen;
    pen.SetColor(clRed);
    pen.SetStyle(psDot);
    pen.SetWidth(2);
    pen.SetMode(pmNotXor);
    s.Canvas.ApplyPen(pen, clRed);
    s.Canvas.Brush().SetStyle(bsClear);
    s.Canvas.Rectangle(7, 5, 50, 33);
    EXPECT_FALSE(s.Window.Bitmap() == before);
    s.Canvas.Rectangle(7, 5, 50, 33);
    EXPECT_TRUE(s.Window.Bitmap() == before);
}

TEST(ApplyPen, AnyPenDrawnTwiceInNotXorModeRestoresEveryPixel) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-5, 45);
    const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot, psAlternate, psInsideFrame};
    const TPenEndStyle ends[] = {esRound, esSquare, esFlat};
    for (int round = 0; round < 120; ++round) {
        Surface s(40, 40);
        TChartBrush background;
        background.SetStyle(bsFDiagonal);
        s.Canvas.ApplyBrush(background, clTeal, clYellow);
        s.Canvas.FillRect(TRect{0, 0, 40, 40});
        const raster::Bitmap before = s.Window.Bitmap();

        TChartPen pen;
        pen.SetWidth(round % 6 + 1);
        pen.SetStyle(styles[static_cast<std::size_t>(round) % std::size(styles)]);
        pen.SetEndStyle(ends[static_cast<std::size_t>(round / 7) % std::size(ends)]);
        pen.SetSmallDots(round % 11 == 0);
        pen.SetSmallSpace(round % 3);
        pen.SetMode(pmNotXor);
        s.Canvas.ApplyPen(pen, clRed);
        s.Canvas.Brush().SetStyle(bsClear);
        const TPoint points[] = {{coordinate(random), coordinate(random)},
                                 {coordinate(random), coordinate(random)},
                                 {coordinate(random), coordinate(random)},
                                 {coordinate(random), coordinate(random)}};
        const TRect box{coordinate(random), coordinate(random), coordinate(random), coordinate(random)};
        for (int pass = 0; pass < 2; ++pass) {
            s.Canvas.Polyline(points);
            s.Canvas.Rectangle(box);
        }
        ASSERT_TRUE(s.Window.Bitmap() == before) << "round " << round;
    }
}

TEST(ApplyBrush, HatchGapsArePaintedInTheBackgroundOrLeftAlone) {
    Surface s(16, 16);
    s.Canvas.Brush().SetColor(clGray);
    s.Canvas.FillRect(TRect{0, 0, 16, 16});

    TChartBrush brush;
    brush.SetStyle(bsHorizontal);
    s.Canvas.ApplyBrush(brush, clRed, clNone);
    EXPECT_EQ(s.Canvas.BackgroundMode(), cbmTransparent);
    s.Canvas.FillRect(TRect{0, 0, 8, 8});
    EXPECT_EQ(s.At(2, 3), clRed);
    EXPECT_EQ(s.At(2, 2), clGray) << "transparent gaps keep what was there";

    s.Canvas.ApplyBrush(brush, clRed, clYellow);
    EXPECT_EQ(s.Canvas.BackgroundMode(), cbmOpaque);
    EXPECT_EQ(s.Canvas.BackgroundColor(), clYellow);
    s.Canvas.FillRect(TRect{8, 0, 16, 8});
    EXPECT_EQ(s.At(10, 3), clRed);
    EXPECT_EQ(s.At(10, 2), clYellow);
}

TEST(ApplyBrush, HatchVisibilityRuleNeverLetsHatchLinesVanish) {
    EXPECT_EQ(HatchVisibleColor(bsCross, clWhite, clWhite), clBlack);
    EXPECT_EQ(HatchVisibleColor(bsCross, clBlack, clBlack), clWhite);
    EXPECT_EQ(HatchVisibleColor(bsCross, clRed, clWhite), clRed);
    EXPECT_EQ(HatchVisibleColor(bsSolid, clWhite, clWhite), clWhite) << "solid fills are left alone";

    Surface s(16, 16);
    TChartBrush brush;
    brush.SetStyle(bsCross);
    s.Canvas.ApplyBrushVisible(brush, clWhite, clWhite);
    s.Canvas.FillRect(TRect{0, 0, 8, 8});
    EXPECT_EQ(s.At(4, 3), clBlack) << "hatch line";
    EXPECT_EQ(s.At(1, 1), clWhite) << "gap in the background colour";

    s.Canvas.ApplyBrushVisible(brush, clBlack, clBlack);
    s.Canvas.FillRect(TRect{8, 8, 16, 16});
    EXPECT_EQ(s.At(12, 11), clWhite) << "hatch line on black";
    EXPECT_EQ(s.At(9, 9), clBlack);
}

TEST(ApplyBrush, AnImageWithAGraphicFillsAsAPattern) {
    Surface s(16, 16);
    auto tile = std::make_shared<raster::Bitmap>(2, 2, raster::MakePixel(0, 0, 255));
    tile->SetPixel(1, 1, raster::MakePixel(255, 0, 0));
    TChartBrush brush;
    brush.Image().SetGraphic(tile);
    s.Canvas.ApplyBrush(brush, clGreen, clWhite);
    s.Canvas.FillRect(TRect{0, 0, 4, 4});
    EXPECT_EQ(s.At(0, 0), clBlue);
    EXPECT_EQ(s.At(1, 1), clRed);
    EXPECT_EQ(s.At(3, 3), clRed);
    EXPECT_EQ(s.At(4, 4), clWhite);
}

TEST(Monochrome, EveryPenDrawsBlackEveryBrushFillsWhiteAndTextIsBlack) {
    Surface s(60, 30);
    s.Canvas.Brush().SetColor(clGray);
    s.Canvas.FillRect(TRect{0, 0, 60, 30});

    int repaints = 0;
    s.Canvas.SetOnRepaintRequest([&repaints] { ++repaints; });
    s.Canvas.SetMonochrome(true);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(s.Canvas.BufferDirty());
    s.Canvas.SetMonochrome(true);
    EXPECT_EQ(repaints, 1) << "no change, no repaint";

    TChartPen pen;
    pen.SetColor(clRed);
    s.Canvas.ApplyPen(pen, clRed);
    s.Canvas.Line(0, 1, 20, 1);
    EXPECT_EQ(s.At(5, 1), clBlack);

    pen.SetWidth(3);
    s.Canvas.ApplyPen(pen, clBlue);
    s.Canvas.Line(0, 5, 20, 5);
    EXPECT_EQ(s.At(5, 5), clBlack);

    TChartBrush brush;
    s.Canvas.ApplyBrush(brush, clRed, clNone);
    s.Canvas.FillRect(TRect{25, 0, 35, 10});
    EXPECT_EQ(s.At(30, 5), clWhite);

    TChartFont font;
    font.SetColor(clRed);
    s.Canvas.ApplyFont(font);
    s.Canvas.SetBackgroundMode(cbmTransparent);
    s.Canvas.TextOut(2, 12, "WWW");
    EXPECT_GT(s.CountOf(clBlack), 60);
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 60; ++x) {
            const TColor c = s.At(x, y);
            const bool grey = (c & 0xFFU) == ((c >> 8) & 0xFFU) && (c & 0xFFU) == ((c >> 16) & 0xFFU);
            ASSERT_TRUE(grey) << "colour " << std::hex << c << " at " << std::dec << x << "," << y;
        }
    }
}

} // namespace
} // namespace mouldview::chart::test
