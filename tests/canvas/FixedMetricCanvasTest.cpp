// The fixed-metric test surface that layout tests of other layers build on: its metrics, and its
// record of text output in place of glyphs.
#include "tests/support/FixedMetricCanvas.h"

#include <gtest/gtest.h>

namespace mouldview::test_support {
namespace {

TEST(FixedMetricCanvas, MeasuresWithChosenMetricsAndTheShadowRule) {
    FixedMetricCanvas canvas;
    EXPECT_EQ(canvas.TextHeight("W"), 13);
    EXPECT_EQ(canvas.TextWidth("1.25"), 24);
    EXPECT_EQ(canvas.TextWidth(""), 0);
    canvas.SetCharWidth(7);
    canvas.SetTextWidthOf("10", 11);
    EXPECT_EQ(canvas.TextWidth("10"), 11);
    EXPECT_EQ(canvas.TextWidth("100"), 21);
    EXPECT_EQ(canvas.TextWidth("\xC2\xB0"
                               "C"),
              14)
        << "characters, not bytes";

    chart::TChartFont font;
    font.Shadow().SetHorizSize(-2);
    font.Shadow().SetVertSize(3);
    canvas.ApplyFont(font);
    EXPECT_EQ(canvas.TextWidth(""), 2);
    EXPECT_EQ(canvas.TextHeight("W"), 16);
}

TEST(FixedMetricCanvas, RecordsTextInsteadOfDrawingIt) {
    FixedMetricCanvas canvas(50, 40);
    chart::TChartFont font;
    font.SetColor(chart::clRed);
    canvas.ApplyFont(font);
    canvas.SetTextAlignment(chart::TA_RIGHT | chart::TA_TOP);
    canvas.TextOut(30, 4, "2.5");
    canvas.TextOutRotated(10, 35, 90.0, "Mould index");
    ASSERT_EQ(canvas.TextCalls().size(), 2U);
    const auto& label = canvas.TextCalls()[0];
    EXPECT_EQ(label.X, 30);
    EXPECT_EQ(label.Y, 4);
    EXPECT_EQ(label.Text, "2.5");
    EXPECT_EQ(label.Alignment, chart::TA_RIGHT | chart::TA_TOP);
    EXPECT_EQ(label.Color, chart::clRed);
    EXPECT_EQ(label.FontName, "Arial");
    EXPECT_EQ(label.Orientation, 0);
    EXPECT_EQ(canvas.TextCalls()[1].Orientation, 900);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 50; ++x) {
            ASSERT_EQ(canvas.WindowBitmap().GetPixel(x, y), 0x00FFFFFFU);
        }
    }
}

} // namespace
} // namespace mouldview::test_support
