// The chart's pen, brush, font, shadow and gradient objects: construction defaults that the chart
// elements rely on, change reporting, and sub-objects that exist only once asked for.
#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartGradient.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/ChartShadow.h"

#include <gtest/gtest.h>

namespace mouldview::chart {
namespace {

TEST(ChartPen, DefaultsOfThePresetPens) {
    const TChartPen plain;
    EXPECT_EQ(plain.Color(), clBlack);
    EXPECT_EQ(plain.Width(), 1);
    EXPECT_EQ(plain.Style(), psSolid);
    EXPECT_EQ(plain.Mode(), pmCopy);
    EXPECT_EQ(plain.EndStyle(), esRound);
    EXPECT_FALSE(plain.SmallDots());
    EXPECT_EQ(plain.SmallSpace(), 0);
    EXPECT_TRUE(plain.Visible());

    const TChartHiddenPen hidden;
    EXPECT_FALSE(hidden.Visible());
    EXPECT_FALSE(hidden.DefaultVisible());
    EXPECT_EQ(hidden.Color(), clBlack);

    const TDottedGrayPen grid;
    EXPECT_EQ(grid.Color(), clGray);
    EXPECT_EQ(grid.Style(), psDot);
    EXPECT_TRUE(grid.Visible());

    EXPECT_EQ(TDarkGrayPen().Color(), clGray);
    EXPECT_EQ(TDarkGrayPen().Style(), psSolid);
    EXPECT_EQ(TWhitePen().Color(), clWhite);

    const TChartZoomPen zoom;
    EXPECT_EQ(zoom.Color(), clWhite);
    EXPECT_EQ(zoom.DefaultColor(), clWhite);
}

TEST(ChartPen, EverySetterThatChangesAValueReportsOnceAndOnlyThen) {
    int changes = 0;
    TChartPen pen([&changes] { ++changes; });
    pen.SetColor(clRed);
    pen.SetWidth(2);
    pen.SetStyle(psDash);
    pen.SetMode(pmXor);
    pen.SetEndStyle(esFlat);
    pen.SetSmallDots(true);
    pen.SetSmallSpace(3);
    pen.SetVisible(false);
    EXPECT_EQ(changes, 8);

    pen.SetColor(clRed);
    pen.SetWidth(2);
    pen.SetVisible(false);
    pen.SetEndStyle(esFlat);
    EXPECT_EQ(changes, 8);

    // Building a preset reports nothing to its owner.
    int presetChanges = 0;
    const TChartHiddenPen hidden([&presetChanges] { ++presetChanges; });
    EXPECT_EQ(presetChanges, 0);
}

TEST(ChartPen, AssignCopiesChartFieldsFromChartPensAndFrameworkFieldsFromAnyPen) {
    TChartPen source;
    source.SetColor(clBlue);
    source.SetWidth(3);
    source.SetEndStyle(esSquare);
    source.SetSmallDots(true);
    source.SetVisible(false);

    int changes = 0;
    TChartPen copy([&changes] { ++changes; });
    copy.Assign(source);
    EXPECT_EQ(copy.Color(), clBlue);
    EXPECT_EQ(copy.Width(), 3);
    EXPECT_EQ(copy.EndStyle(), esSquare);
    EXPECT_TRUE(copy.SmallDots());
    EXPECT_FALSE(copy.Visible());
    EXPECT_GT(changes, 0);

    TPen framework;
    framework.SetColor(clGreen);
    copy.Assign(framework);
    EXPECT_EQ(copy.Color(), clGreen);
    EXPECT_EQ(copy.Width(), 1);
    EXPECT_FALSE(copy.Visible()) << "a framework pen has no visibility to copy";
}

TEST(ChartBrush, DefaultColourAndImageCreatedOnFirstAccess) {
    TChartBrush brush;
    EXPECT_EQ(brush.Color(), clDefault);
    EXPECT_EQ(brush.Style(), bsSolid);
    EXPECT_FALSE(brush.HasImage());
    EXPECT_EQ(brush.ImageIfCreated(), nullptr);
    EXPECT_FALSE(brush.Image().HasGraphic());
    EXPECT_TRUE(brush.HasImage());

    EXPECT_EQ(TBrush().Color(), clWhite);
}

TEST(ChartFont, DefaultsAreArialEightPointsBlack) {
    const TChartFont font;
    EXPECT_EQ(font.Name(), "Arial");
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Height(), -11) << "8 points at 96 pixels per inch";
    EXPECT_EQ(font.Color(), clBlack);
    EXPECT_EQ(font.Style(), 0U);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.InterCharSize(), 0);
}

TEST(ChartFont, SizeAndHeightConvertAsThePlatformRounds) {
    TFont font;
    font.SetSize(10);
    EXPECT_EQ(font.Height(), -13); // 13.33
    font.SetSize(9);
    EXPECT_EQ(font.Height(), -12);
    font.SetHeight(-16);
    EXPECT_EQ(font.Size(), 12);
    font.SetPixelsPerInch(72);
    EXPECT_EQ(font.Size(), 16);
    EXPECT_EQ(MulDiv(-21, 1, 2), -11) << "halves round away from zero";
    EXPECT_EQ(MulDiv(21, 1, 2), 11);
}

TEST(ChartFont, SubObjectsExistOnlyOnceAskedForAndReportThroughTheFont) {
    int changes = 0;
    TChartFont font([&changes] { ++changes; });
    EXPECT_EQ(font.ShadowIfCreated(), nullptr);
    EXPECT_EQ(font.OutLineIfCreated(), nullptr);
    EXPECT_EQ(font.GradientIfCreated(), nullptr);

    TChartShadow& shadow = font.Shadow();
    EXPECT_EQ(font.ShadowIfCreated(), &shadow);
    EXPECT_EQ(shadow.Color(), clSilver);
    EXPECT_EQ(shadow.HorizSize(), 0);
    EXPECT_TRUE(shadow.Smooth());
    EXPECT_EQ(changes, 0) << "creating a sub-object changes nothing drawn";
    shadow.SetHorizSize(-3);
    EXPECT_EQ(changes, 1);

    EXPECT_FALSE(font.OutLine().Visible());
    const TChartFontGradient& gradient = font.Gradient();
    EXPECT_FALSE(gradient.Visible());
    EXPECT_EQ(gradient.Direction(), gdTopBottom);
    EXPECT_EQ(gradient.StartColor(), clWhite);
    EXPECT_EQ(gradient.EndColor(), clYellow);
    EXPECT_EQ(gradient.MidColor(), clNone);
    EXPECT_EQ(gradient.Balance(), 50);
}

TEST(ChartShadow, SizeIsTheLargerOffsetAndTransparencyStaysAPercentage) {
    TChartShadow shadow;
    shadow.SetHorizSize(2);
    shadow.SetVertSize(5);
    EXPECT_EQ(shadow.Size(), 5);
    shadow.SetVertSize(-7);
    EXPECT_EQ(shadow.Size(), 2);
    shadow.SetTransparency(140);
    EXPECT_EQ(shadow.Transparency(), 100);
    shadow.SetTransparency(-1);
    EXPECT_EQ(shadow.Transparency(), 0);
}

} // namespace
} // namespace mouldview::chart
