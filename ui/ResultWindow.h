// The result window on the screen: a platform window that shows the form's chart and hands it the
// window's notifications. The window lends the chart its picture, so a frame the chart paints lands
// where the window shows it; a resize, move or change of the system colours makes the next paint a
// full one; the chart's repaint requests become merged window invalidations; mouse input goes to
// the chart's zoom and scroll handling.
#pragma once

#include "platform/window/Display.h"
#include "platform/window/Window.h"
#include "platform/window/WindowEvents.h"
#include "ui/Form1.h"

namespace mouldview::ui {

class TResultWindow : public platform::WindowEvents {
public:
    // Creates the window for `form` at the form's client size, under its caption. Throws
    // platform::EWindowError when the windowing system refuses the window.
    TResultWindow(platform::Display& display, TForm1& form);
    ~TResultWindow() override;

    TResultWindow(const TResultWindow&) = delete;
    TResultWindow& operator=(const TResultWindow&) = delete;

    // Shows the window and runs the message loop until the window is closed.
    void Run() { m_window.Run(*this); }

    void Paint() override;
    void Resized(int clientWidth, int clientHeight) override;
    void Moved(int left, int top) override;
    void SystemColorsChanged() override;
    void MouseDown(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    void MouseMove(platform::ShiftState shift, int x, int y) override;
    void MouseUp(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    void MouseWheel(platform::WheelDirection direction, platform::ShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    TForm1& m_form;
    platform::Window m_window;
};

} // namespace mouldview::ui
