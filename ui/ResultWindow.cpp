// Connects the form's chart to its platform window: the window's picture, the paint protocol,
// sizes and mouse input.
#include "ui/ResultWindow.h"

namespace mouldview::ui {

TResultWindow::TResultWindow(platform::Display& display, TForm1& form)
    : m_form(form), m_window(display, form.Caption(), form.ClientWidth(), form.ClientHeight()) {
    // The chart fills the client area the window got, and paints straight into its picture.
    m_form.SetClientSize(m_window.ClientWidth(), m_window.ClientHeight());
    chart::TChart& chart = m_form.z();
    chart.UseWindowBitmap(&m_window.Canvas());
    // The window system merges invalidations into one paint per turn of the message loop.
    chart.SetOnInvalidate([this] { m_window.Invalidate(); });
    // The zoom band is drawn onto the picture between paints.
    chart.SetOnDrawnOutsidePaint([this] { m_window.CanvasChanged(); });
}

TResultWindow::~TResultWindow() {
    chart::TChart& chart = m_form.z();
    chart.SetOnInvalidate({});
    chart.SetOnDrawnOutsidePaint({});
    chart.UseWindowBitmap(nullptr);
}

void TResultWindow::Paint() {
    // A clean picture is only copied from the chart's buffer.
    m_form.z().HandlePaint();
}

void TResultWindow::Resized(int clientWidth, int clientHeight) {
    // The chart is aligned to the client area; its new size makes the next paint a full one.
    m_form.SetClientSize(clientWidth, clientHeight);
}

void TResultWindow::Moved(int /*left*/, int /*top*/) {
    // A paint after the window moved always starts from a dirty buffer.
    chart::TChart& chart = m_form.z();
    chart.Canvas().MarkDirty();
    chart.Invalidate();
}

void TResultWindow::SystemColorsChanged() {
    // The button-face, highlight and shadow colours are looked up again in a full paint.
    m_form.z().SystemColorsChanged();
}

void TResultWindow::MouseDown(platform::MouseButton button, platform::ShiftState /*shift*/, int x, int y) {
    m_form.z().MouseDown(button, x, y);
}

void TResultWindow::MouseMove(platform::ShiftState /*shift*/, int x, int y) {
    m_form.z().MouseMove(x, y);
}

void TResultWindow::MouseUp(platform::MouseButton button, platform::ShiftState /*shift*/, int x, int y) {
    m_form.z().MouseUp(button, x, y);
}

void TResultWindow::MouseWheel(platform::WheelDirection direction, platform::ShiftState /*shift*/, int /*x*/,
                               int /*y*/) {
    m_form.z().MouseWheel(direction);
}

void TResultWindow::MouseLeave() {
    m_form.z().PointerLeaves();
}

} // namespace mouldview::ui
