// The result window's form without a window: the stored settings it is created with, what its
// creation handler puts into the two series, and the chart following the client size.
#include "ui/Form1.h"

#include <gtest/gtest.h>

namespace mouldview::ui {
namespace {

using namespace chart;

// A computed model state with the given mould indices for periods 1, 2, ...; PeriodCount is one
// more than their number, and the element at PeriodCount is set too (the computation never
// evaluates it, so the window must not show it).
model::TModelState StateWith(const std::vector<float>& indices) {
    model::TModelState state;
    state.DatasetCount = 1;
    state.PeriodCount = static_cast<std::int32_t>(indices.size()) + 1;
    state.PeriodCapacity = state.PeriodCount;
    std::vector<float>& mould = state.MouldIndex[1];
    mould.resize(indices.size() + 2);
    for (std::size_t k = 0; k < indices.size(); ++k) {
        mould[k + 1] = indices[k];
    }
    mould[indices.size() + 1] = 5.5f;
    return state;
}

TEST(Form1, StoredSettingsOfTheWindowChartAndSeries) {
    const model::TModelState state = StateWith({0.25f});
    TForm1 form(state);
    EXPECT_EQ(form.Caption(), "Output Ardune Tevo model");
    EXPECT_EQ(form.ClientWidth(), 447);
    EXPECT_EQ(form.ClientHeight(), 202);

    TChart& z = form.z();
    EXPECT_TRUE(z.AutoRepaint()) << "construction and loading have ended";
    EXPECT_FALSE(z.IsLoading());
    EXPECT_EQ(z.Width(), 447);
    EXPECT_EQ(z.Height(), 202);
    EXPECT_EQ(z.Title().Text(), std::vector<std::string>{"Dose-response (Tevo) model, Ardune University"});
    EXPECT_EQ(z.BottomAxis()->Title().Caption(), "12 hour periods");
    EXPECT_EQ(z.LeftAxis()->Title().Caption(), "Mould index");

    // Loaded, Automatic false left AutomaticMaximum on: the axis starts at 0, its top follows
    // the data. The bottom axis keeps every default.
    const TChartAxis& left = *z.LeftAxis();
    EXPECT_FALSE(left.Automatic());
    EXPECT_FALSE(left.AutomaticMinimum());
    EXPECT_TRUE(left.AutomaticMaximum());
    EXPECT_EQ(left.Minimum(), 0.0);
    const TChartAxis& bottom = *z.BottomAxis();
    EXPECT_TRUE(bottom.Automatic());
    EXPECT_TRUE(bottom.AutomaticMinimum());
    EXPECT_TRUE(bottom.AutomaticMaximum());

    EXPECT_EQ(z.Zoom().Pen().Color(), clRed);
    EXPECT_EQ(z.Zoom().Pen().Style(), psDot);
    EXPECT_EQ(z.Zoom().Pen().Width(), 2);

    // Series2 was stored first: it comes first in the list (drawn first, under Series1) and took
    // the first free palette colour.
    EXPECT_EQ(z.SeriesList(), (std::vector<TChartSeries*>{&form.Series2(), &form.Series1()}));
    EXPECT_EQ(form.Series2().SeriesColor(), clDefault) << "not stored";
    EXPECT_EQ(form.Series2().EffectiveColor(), clRed);
    EXPECT_EQ(form.Series1().SeriesColor(), clBlue);
    for (TLineSeries* series : {&form.Series1(), &form.Series2()}) {
        EXPECT_EQ(series->XValues().Name(), "X");
        EXPECT_EQ(series->XValues().Order(), loAscending);
        EXPECT_EQ(series->YValues().Name(), "Y");
        EXPECT_EQ(series->YValues().Order(), loNone);
        EXPECT_EQ(series->BoundHorizAxis(), z.BottomAxis());
        EXPECT_EQ(series->BoundVertAxis(), z.LeftAxis());
    }
}

TEST(Form1, FormCreateFillsTheEvaluatedPeriods) {
    // The worked example's three periods; PeriodCount is 4.
    const std::vector<float> indices = {0.06799509f, 0.1359902f, 0.2039853f};
    TForm1 form(StateWith(indices));
    const TLineSeries& reference = form.Series2();
    const TLineSeries& mould = form.Series1();
    ASSERT_EQ(reference.PointCount(), 3);
    ASSERT_EQ(mould.PointCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reference.X(i), i + 1);
        EXPECT_EQ(reference.Y(i), 1.0);
        EXPECT_EQ(mould.X(i), i + 1);
        // Widened from single precision: exactly the stored float, not a rounded decimal.
        EXPECT_EQ(mould.Y(i), static_cast<double>(indices[static_cast<std::size_t>(i)]));
    }

    // Running the handler again replaces the points rather than adding to them.
    form.FormCreate(StateWith({2.0f}));
    EXPECT_EQ(form.Series2().PointCount(), 1);
    ASSERT_EQ(form.Series1().PointCount(), 1);
    EXPECT_EQ(form.Series1().Y(0), 2.0);
}

TEST(Form1, NoEvaluatedPeriodLeavesBothSeriesEmpty) {
    // A climate file of 7 to 23 lines: PeriodCount 1.
    TForm1 form(StateWith({}));
    EXPECT_EQ(form.Series1().PointCount(), 0);
    EXPECT_EQ(form.Series2().PointCount(), 0);
    EXPECT_EQ(form.Caption(), "Output Ardune Tevo model");
    // The chart still paints: title and empty axes.
    const raster::Bitmap& picture = form.PaintClientArea();
    EXPECT_EQ(picture.Width(), 447);
    EXPECT_EQ(picture.Height(), 202);
}

TEST(Form1, TheChartFollowsTheClientSizeAndTheAxisTopTheData) {
    TForm1 form(StateWith({0.5f, 1.5f, 2.75f, 2.0f}));
    form.SetClientSize(900, 500);
    EXPECT_EQ(form.z().Width(), 900);
    EXPECT_EQ(form.z().Height(), 500);
    const raster::Bitmap& picture = form.PaintClientArea();
    EXPECT_EQ(picture.Width(), 900);
    EXPECT_EQ(picture.Height(), 500);
    EXPECT_EQ(form.z().ChartBounds().Right, 900);
    EXPECT_EQ(form.z().LeftAxis()->Minimum(), 0.0);
    EXPECT_EQ(form.z().LeftAxis()->Maximum(), 2.75);
    EXPECT_EQ(form.z().BottomAxis()->Minimum(), 1.0);
    EXPECT_EQ(form.z().BottomAxis()->Maximum(), 4.0);

    // Below the reference line the axis still reaches up to 1, the reference line's height.
    TForm1 low(StateWith({0.1f, 0.2f}));
    low.PaintClientArea();
    EXPECT_EQ(low.z().LeftAxis()->Maximum(), 1.0);
}

} // namespace
} // namespace mouldview::ui
