// The result window's chart under extreme results and extreme zooms and pans. Every case paints
// the window's own form and demands that the red reference line and the blue index curve show
// only inside the plot or on the frame around it (the blue title has its own box), and, where a
// line lies inside the axis ranges or on one of their ends, that it shows at all.
#include "platform/raster/Colors.h"
#include "ui/Form1.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <memory>

namespace mouldview::ui {
namespace {

using namespace chart;

// A computed state whose periods 1 .. periods hold index(k).
std::unique_ptr<model::TModelState> StateWith(std::int32_t periods,
                                              const std::function<float(std::int32_t)>& index) {
    auto state = std::make_unique<model::TModelState>();
    state->DatasetCount = 1;
    state->PeriodCount = periods + 1;
    state->PeriodCapacity = periods + 1;
    model::TFloatArray& mould = state->MouldIndex[1];
    mould.SetLength(static_cast<std::size_t>(periods) + 2);
    for (std::int32_t k = 1; k <= periods; ++k) {
        mould[static_cast<std::size_t>(k)] = index(k);
    }
    return state;
}

struct TSeriesPixels {
    int InsideRed = 0;
    int InsideBlue = 0;
    int Outside = 0; // red or blue pixels outside the frame, the title's box aside
};

TSeriesPixels Paint(TForm1& form) {
    TChart& chart = form.z();
    const raster::Bitmap& picture = form.PaintClientArea();
    const TRect frame = chart.ChartRect();
    const TRect title = chart.Title().ShapeBounds();
    TSeriesPixels pixels;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const TColor color = raster::FromPixel(picture.GetPixel(x, y));
            if (color != clRed && color != clBlue) {
                continue;
            }
            if (x >= frame.Left && x <= frame.Right && y >= frame.Top && y <= frame.Bottom) {
                ++(color == clRed ? pixels.InsideRed : pixels.InsideBlue);
            } else if (color == clRed || x < title.Left || x >= title.Right || y < title.Top ||
                       y >= title.Bottom) {
                ++pixels.Outside;
            }
        }
    }
    return pixels;
}

// A zoom drag of the window's left button from one point to another.
void LeftDrag(TForm1& form, int x0, int y0, int x1, int y1) {
    TChart& chart = form.z();
    chart.MouseDown(mbLeft, ssLeft, x0, y0);
    chart.MouseMove(ssLeft, x1, y1);
    chart.MouseUp(mbLeft, TShiftState(), x1, y1);
}

TEST(ExtremeInputs, AllValuesEqual) {
    // 0 and 6 lie on the ends of the vertical axis, and so does the reference line at 1 when the
    // index stays at or below it: each must still show, on the frame.
    for (const float value : {0.0f, 0.5f, 1.0f, 3.25f, 6.0f}) {
        SCOPED_TRACE(value);
        const auto state = StateWith(500, [&](std::int32_t) { return value; });
        TForm1 form(*state);
        TSeriesPixels pixels = Paint(form);
        EXPECT_EQ(pixels.Outside, 0);
        TChartAxis& left = *form.z().LeftAxis();
        EXPECT_EQ(left.Minimum(), 0.0);
        EXPECT_GT(left.Maximum(), left.Minimum()) << "a flat result still gets a range";
        EXPECT_TRUE(std::isfinite(left.PixelToValue(100)));
        EXPECT_GT(pixels.InsideBlue, 300) << "the index curve";
        if (value != 1.0f) {
            EXPECT_GT(pixels.InsideRed, 300) << "the reference line (at 1 it lies under the curve)";
        }
        // Zoomed around the flat curve, it shows in full.
        left.SetAxisRange(value - 1, value + 1);
        pixels = Paint(form);
        EXPECT_EQ(pixels.Outside, 0);
        EXPECT_GT(pixels.InsideBlue, 300);
    }
}

TEST(ExtremeInputs, OnePeriod) {
    const auto state = StateWith(1, [](std::int32_t) { return 0.5f; });
    TForm1 form(*state);
    EXPECT_EQ(Paint(form).Outside, 0);
    // A zoom and a pan of the single point's axes, painted.
    LeftDrag(form, 100, 60, 300, 150);
    EXPECT_EQ(Paint(form).Outside, 0);
    form.z().MouseDown(mbRight, ssRight, 200, 100);
    form.z().MouseMove(ssRight, 260, 140);
    form.z().MouseUp(mbRight, TShiftState(), 260, 140);
    EXPECT_EQ(Paint(form).Outside, 0);
}

// One form for the long series, built once: filling it is the costly part.
TEST(ExtremeInputs, TenMillionPeriods) {
    constexpr std::int32_t Periods = 10'000'000;
    const auto state =
        StateWith(Periods, [](std::int32_t k) { return static_cast<float>(k % 1000) * 0.006f; });
    TForm1 form(*state);
    EXPECT_EQ(form.Series1().PointCount(), Periods);
    TSeriesPixels pixels = Paint(form);
    EXPECT_EQ(pixels.Outside, 0);
    EXPECT_GT(pixels.InsideBlue, 1000) << "ten thousand saw teeth fill the plot";
    EXPECT_EQ(form.z().BottomAxis()->Maximum(), Periods);

    // Zoomed to about a thousand periods in the middle, then the whole again at a larger size.
    form.z().BottomAxis()->SetAxisRange(5'000'000, 5'001'000);
    pixels = Paint(form);
    EXPECT_EQ(pixels.Outside, 0);
    EXPECT_GT(pixels.InsideBlue, 100);
    form.z().UndoZoom();
    form.SetClientSize(1920, 1080);
    pixels = Paint(form);
    EXPECT_EQ(pixels.Outside, 0);
    EXPECT_GT(pixels.InsideBlue, 1000);
}

TEST(ExtremeInputs, ValuesNearTheFloatLimits) {
    constexpr float Max = std::numeric_limits<float>::max();
    constexpr float Tiny = std::numeric_limits<float>::denorm_min();
    const std::function<float(std::int32_t)> cases[] = {
        [](std::int32_t) { return Max; },
        [](std::int32_t k) { return k % 2 == 0 ? Max : -Max; },
        [](std::int32_t k) { return k % 3 == 0   ? Max
                                    : k % 3 == 1 ? 0.0f
                                                 : Tiny; },
        [](std::int32_t k) { return k % 2 == 0 ? Tiny : std::numeric_limits<float>::min(); },
        [](std::int32_t) { return -Max; },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const auto state = StateWith(100, cases[i]);
        TForm1 form(*state);
        EXPECT_EQ(Paint(form).Outside, 0);
        // Zoomed into the middle, and scrolled by the wheel in both directions.
        LeftDrag(form, 150, 70, 250, 130);
        EXPECT_EQ(Paint(form).Outside, 0);
        form.z().MouseWheelDown(TShiftState(), 200, 100);
        form.z().MouseWheelUp(TShiftState(), 200, 100);
        form.z().MouseWheelUp(TShiftState(), 200, 100);
        EXPECT_EQ(Paint(form).Outside, 0);
        for (const TChartAxis* axis : {form.z().LeftAxis(), form.z().BottomAxis()}) {
            EXPECT_TRUE(std::isfinite(axis->Minimum()) && std::isfinite(axis->Maximum()));
        }
    }
}

TEST(ExtremeInputs, ZoomToTheSmallestSpan) {
    const auto state = StateWith(730, [](std::int32_t k) { return static_cast<float>(k) / 730.0f * 6.0f; });
    TForm1 form(*state);
    ASSERT_EQ(Paint(form).Outside, 0);
    TChartAxis& bottom = *form.z().BottomAxis();
    TChartAxis& left = *form.z().LeftAxis();
    // Each drag of 17 pixels on a plot some 400 pixels wide narrows the ranges twentyfold; the
    // axes stop at a span of 1e-10.
    for (int zoom = 0; zoom < 14; ++zoom) {
        const TRect r = form.z().ChartRect();
        const int x = (r.Left + r.Right) / 2;
        const int y = (r.Top + r.Bottom) / 2;
        LeftDrag(form, x, y - 9, x + 17, y + 9);
        EXPECT_EQ(Paint(form).Outside, 0) << "zoom " << zoom;
    }
    EXPECT_NEAR(bottom.Maximum() - bottom.Minimum(), 1e-10, 1e-12);
    EXPECT_NEAR(left.Maximum() - left.Minimum(), 1e-10, 1e-12);

    // A span of 1e-10 where the values themselves are far larger, set directly on both axes.
    bottom.SetAxisRange(365.25, 365.25 + 1e-10);
    left.SetAxisRange(3.0, 3.0 + 1e-10);
    EXPECT_EQ(Paint(form).Outside, 0);

    form.z().UndoZoom();
    const TSeriesPixels restored = Paint(form);
    EXPECT_EQ(restored.Outside, 0);
    EXPECT_GT(restored.InsideBlue, 100);
}

TEST(ExtremeInputs, PansOf1e30) {
    const auto state = StateWith(730, [](std::int32_t k) { return static_cast<float>(k % 100) * 0.06f; });
    TForm1 form(*state);
    ASSERT_EQ(Paint(form).Outside, 0);
    TChartAxis& bottom = *form.z().BottomAxis();
    TChartAxis& left = *form.z().LeftAxis();

    // A pan of one pixel with the right button saves the scales for the undo below.
    const TRect plot = form.z().ChartRect();
    form.z().MouseDown(mbRight, ssRight, plot.Left + 50, plot.Top + 50);
    form.z().MouseMove(ssRight, plot.Left + 51, plot.Top + 50);
    form.z().MouseUp(mbRight, TShiftState(), plot.Left + 51, plot.Top + 50);
    ASSERT_FALSE(form.z().ScalesRestored());

    // Scrolled 1e30 away, the curve is out of view; scrolled back, the ends have lost every digit
    // below 1e14 and the span may be gone entirely.
    for (const double delta : {1e30, -1e30, -1e30, 1e30}) {
        bottom.ScrollAxisBy(delta, false);
        left.ScrollAxisBy(delta, false);
        EXPECT_EQ(Paint(form).Outside, 0) << delta;
    }
    form.z().UndoZoom();
    EXPECT_GT(Paint(form).InsideBlue, 100);

    // A pan with the right button over ranges where one pixel is worth about 1e30.
    bottom.SetAxisRange(-2e32, 2e32);
    left.SetAxisRange(-1e32, 1e32);
    ASSERT_EQ(Paint(form).Outside, 0);
    const TRect r = form.z().ChartRect();
    form.z().MouseDown(mbRight, ssRight, r.Left + 10, r.Top + 10);
    form.z().MouseMove(ssRight, r.Right - 10, r.Bottom - 10);
    EXPECT_EQ(Paint(form).Outside, 0);
    form.z().MouseMove(ssRight, r.Left + 10, r.Top + 10);
    form.z().MouseUp(mbRight, TShiftState(), r.Left + 10, r.Top + 10);
    EXPECT_EQ(Paint(form).Outside, 0);
    EXPECT_GT(bottom.Maximum() - bottom.Minimum(), 1e32);
}

} // namespace
} // namespace mouldview::ui
