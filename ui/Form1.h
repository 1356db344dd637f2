// The result window TForm1: the form that owns the chart `z` and its two line series, built from
// the stored layout and filled from the model state by its creation handler FormCreate. It knows no
// windowing system: the program shows it in a window (ResultWindow), mouldexport paints it into a
// picture of the same size.
#pragma once

#include "chart/panel/Chart.h"
#include "chart/series/LineSeries.h"
#include "model/ModelState.h"

#include <memory>
#include <string>

namespace mouldview::ui {

class TForm1 {
public:
    // Creates the form from its stored layout (the chart, then Series2, then Series1, each with
    // its stored settings applied in the loading state), then runs FormCreate, which reads
    // `state` once. The form does not keep the state.
    explicit TForm1(const model::TModelState& state = model::Model());
    // The owned components go in the reverse order of their creation.
    ~TForm1();

    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The components, in the order the form declares them.
    chart::TChart& z() { return *m_z; }
    chart::TLineSeries& Series1() { return *m_series1; }
    chart::TLineSeries& Series2() { return *m_series2; }

    // --- Window settings ------------------------------------------------------------------------------
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value) { m_caption = value; }
    int ClientWidth() const { return m_clientWidth; }
    int ClientHeight() const { return m_clientHeight; }
    // A new client size; the chart, aligned to the client area, follows it.
    void SetClientSize(int width, int height);

    // The creation handler: sets the visible caption and fills the two series from the model's
    // evaluated periods 1 .. PeriodCount - 1.
    void FormCreate(const model::TModelState& state);

    // Paints the chart as the window would show it now (a clean picture is only copied) and
    // returns the picture, of the client size.
    const raster::Bitmap& PaintClientArea();

private:
    // The stored layout of the form and its components (Form1Layout.cpp).
    void LoadStoredLayout();
    void LoadChart();

    std::unique_ptr<chart::TChart> m_z;
    std::unique_ptr<chart::TLineSeries> m_series1;
    std::unique_ptr<chart::TLineSeries> m_series2;

    std::string m_caption;
    int m_clientWidth = 0;
    int m_clientHeight = 0;
};

} // namespace mouldview::ui
