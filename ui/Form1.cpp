// The result window's life outside the layout: creation from the stored layout, the creation
// handler that copies the model's results into the series, and the client size the chart follows.
#include "ui/Form1.h"

#include <cstddef>
#include <cstdint>

namespace mouldview::ui {

namespace {

constexpr const char* VisibleCaption = "Output Ardune Tevo model";

} // namespace

TForm1::TForm1(const model::TModelState& state) {
    LoadStoredLayout();
    FormCreate(state);
}

TForm1::~TForm1() {
    // Series first: each leaves the chart's series list while the chart still exists.
    m_series1.reset();
    m_series2.reset();
    m_z.reset();
}

void TForm1::SetClientSize(int width, int height) {
    m_clientWidth = width;
    m_clientHeight = height;
    m_z->SetSize(width, height);
}

void TForm1::FormCreate(const model::TModelState& state) {
    SetCaption(VisibleCaption);
    const std::int32_t evaluated = state.PeriodCount - 1;

    chart::TLineSeries& reference = Series2();
    reference.ClearPoints();
    for (std::int32_t k = 1; k <= evaluated; ++k) {
        reference.AddPoint(static_cast<double>(k), 1.0);
    }

    chart::TLineSeries& index = Series1();
    index.ClearPoints();
    for (std::int32_t i = 1; i <= evaluated; ++i) {
        const float value = state.MouldIndex[model::DataSlot][static_cast<std::size_t>(i)];
        index.AddPoint(static_cast<double>(i), static_cast<double>(value));
    }
}

const raster::Bitmap& TForm1::PaintClientArea() {
    m_z->HandlePaint();
    return m_z->WindowBitmap();
}

} // namespace mouldview::ui
