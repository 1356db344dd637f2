// The stored layout of the result window: the list of settings that differ from the defaults of
// the freshly constructed form, chart and series. It is applied the way a form file is read: the
// chart is created and its settings applied, then Series2 and Series1 join it in this order (so
// Series2, drawn first, takes the first free palette colour, red), all while the chart is in its
// loading state; loading ends once every component has been read.
//
// The layout's other settings are what this chart engine always does: the window at the top-left
// corner of the screen in the button-face colour, a flat chart without a legend, and series
// without point markers or value marks, their X values in ascending order.
#include "ui/Form1.h"

namespace mouldview::ui {

namespace {

// The client area, designed at 96 pixels per inch.
constexpr int DesignClientWidth = 447;
constexpr int DesignClientHeight = 202;
constexpr const char* StoredCaption = "Output Tevo-model";

constexpr const char* ChartTitle = "Dose-response (Tevo) model, Ardune University";
constexpr const char* BottomAxisTitle = "12 hour periods";
constexpr const char* LeftAxisTitle = "Mould index";

} // namespace

void TForm1::LoadStoredLayout() {
    m_clientWidth = DesignClientWidth;
    m_clientHeight = DesignClientHeight;
    m_caption = StoredCaption;

    m_z = std::make_unique<chart::TChart>();
    m_z->BeginLoading();
    LoadChart();
    // Series2 is stored before Series1, so it comes first in the chart's series list.
    m_series2 = std::make_unique<chart::TLineSeries>();
    m_series2->SetParentChart(m_z.get());
    m_series1 = std::make_unique<chart::TLineSeries>();
    m_series1->SetParentChart(m_z.get());
    m_series1->SetSeriesColor(chart::clBlue);
    m_z->EndLoading();
}

void TForm1::LoadChart() {
    chart::TChart& chart = *m_z;
    // Bounds 0, 0, 447, 202 and aligned to the client area: the chart fills the form.
    chart.SetSize(m_clientWidth, m_clientHeight);
    chart.Title().SetText({ChartTitle});
    chart.BottomAxis()->Title().SetCaption(BottomAxisTitle);
    // While loading, Automatic false leaves AutomaticMinimum and AutomaticMaximum alone, and
    // AutomaticMinimum false then keeps Automatic false: the axis starts at its default minimum 0
    // and its maximum follows the data.
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetAutomaticMinimum(false);
    chart.LeftAxis()->Title().SetCaption(LeftAxisTitle);
    chart.Zoom().Pen().SetColor(chart::clRed);
    chart.Zoom().Pen().SetStyle(chart::psDot);
    chart.Zoom().Pen().SetWidth(2);
}

} // namespace mouldview::ui
