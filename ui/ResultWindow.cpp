// Connects the form's chart to its platform window: the paint protocol, sizes, mouse input and
// cursors, translated between the window's and the chart's vocabularies.
#include "ui/ResultWindow.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace mouldview::ui {

namespace {

using platform::MouseButton;
using platform::ShiftFlag;

chart::TMouseButton ChartButton(MouseButton button) {
    switch (button) {
    case MouseButton::mbLeft:
        return chart::mbLeft;
    case MouseButton::mbRight:
        return chart::mbRight;
    case MouseButton::mbMiddle:
        return chart::mbMiddle;
    }
    return chart::mbLeft;
}

chart::TShiftState ChartShift(platform::ShiftState shift) {
    static constexpr std::pair<ShiftFlag, chart::TShiftStateFlag> Flags[] = {
        {ShiftFlag::ssShift, chart::ssShift},  {ShiftFlag::ssAlt, chart::ssAlt},
        {ShiftFlag::ssCtrl, chart::ssCtrl},    {ShiftFlag::ssLeft, chart::ssLeft},
        {ShiftFlag::ssRight, chart::ssRight},  {ShiftFlag::ssMiddle, chart::ssMiddle},
        {ShiftFlag::ssDouble, chart::ssDouble}};
    chart::TShiftState result;
    for (const auto& [windowFlag, chartFlag] : Flags) {
        if (shift.Contains(windowFlag)) {
            result = result | chartFlag;
        }
    }
    return result;
}

platform::Cursor WindowCursor(chart::TCursor cursor) {
    switch (cursor) {
    case chart::crDefault:
        return platform::Cursor::crDefault;
    case chart::crCross:
        return platform::Cursor::crCross;
    case chart::crHandPoint:
        return platform::Cursor::crHandPoint;
    case chart::crSizeAll:
        return platform::Cursor::crSizeAll;
    case chart::crSizeNS:
        return platform::Cursor::crSizeNS;
    case chart::crSizeWE:
        return platform::Cursor::crSizeWE;
    case chart::crIBeam:
        return platform::Cursor::crIBeam;
    case chart::crHourGlass:
        return platform::Cursor::crHourGlass;
    case chart::crNo:
        return platform::Cursor::crNo;
    }
    return platform::Cursor::crDefault;
}

} // namespace

TResultWindow::TResultWindow(platform::Display& display, TForm1& form)
    : m_form(form), m_window(display, form.Caption(), form.ClientWidth(), form.ClientHeight()) {
    chart::TChart& chart = m_form.z();
    // The window system merges invalidations into one paint per turn of the message loop.
    chart.SetOnInvalidate([this] { m_window.Invalidate(); });
    chart.SetOnUpdate([this] { m_window.PaintNow(); });
    chart.SetOnCursorChange([this](chart::TCursor cursor) { m_window.SetCursor(WindowCursor(cursor)); });
    // The zoom band is drawn onto the chart's window canvas between paints.
    chart.SetOnWindowCanvasChanged([this] {
        CopyChartPicture();
        m_window.CanvasChanged();
    });
    m_window.SetCursor(WindowCursor(chart.Cursor()));
}

TResultWindow::~TResultWindow() {
    chart::TChart& chart = m_form.z();
    chart.SetOnInvalidate({});
    chart.SetOnUpdate({});
    chart.SetOnCursorChange({});
    chart.SetOnWindowCanvasChanged({});
}

void TResultWindow::Run() {
    m_window.Run(*this);
}

void TResultWindow::Paint() {
    m_form.z().HandlePaint();
    CopyChartPicture();
}

void TResultWindow::CopyChartPicture() {
    const raster::Bitmap& picture = m_form.z().WindowBitmap();
    raster::Bitmap& canvas = m_window.Canvas();
    const int width = std::min(picture.Width(), canvas.Width());
    const int height = std::min(picture.Height(), canvas.Height());
    for (int y = 0; y < height; ++y) {
        std::copy_n(picture.Row(y), static_cast<std::size_t>(width), canvas.Row(y));
    }
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
    chart::TChart& chart = m_form.z();
    chart.Canvas().MarkDirty();
    chart.SystemColorsChanged();
}

void TResultWindow::MouseDown(MouseButton button, platform::ShiftState shift, int x, int y) {
    m_form.z().MouseDown(ChartButton(button), ChartShift(shift), x, y);
}

void TResultWindow::MouseMove(platform::ShiftState shift, int x, int y) {
    m_form.z().MouseMove(ChartShift(shift), x, y);
}

void TResultWindow::MouseUp(MouseButton button, platform::ShiftState shift, int x, int y) {
    m_form.z().MouseUp(ChartButton(button), ChartShift(shift), x, y);
}

void TResultWindow::MouseWheel(platform::WheelDirection direction, platform::ShiftState shift, int x, int y) {
    if (direction == platform::WheelDirection::wdDown) {
        m_form.z().MouseWheelDown(ChartShift(shift), x, y);
    } else {
        m_form.z().MouseWheelUp(ChartShift(shift), x, y);
    }
}

void TResultWindow::MouseLeave() {
    m_form.z().PointerLeaves();
}

} // namespace mouldview::ui
