// The start-up failure box on Linux: an ErrorBox painted by the program into a small window of its
// own, so it appears wherever the chart window could (SDL2's message box needs a dialog helper
// program or the X core fonts, which a desktop need not have). It opens its own connection to the
// display: the program's one was closed with the other finalisations before the failure is shown.
#include "platform/window/Display.h"
#include "platform/window/ErrorBox.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Window.h"

#include <cstdlib>

namespace mouldview::platform {

namespace {

// The box's behaviour: the keys dismiss it at once; the button is pressed by a left button press on
// it and dismisses the box when the button is released over it, as a push button does; moving off
// it while held shows it raised again.
class ErrorBoxEvents : public WindowEvents {
public:
    ErrorBoxEvents(Window& window, const ErrorBox& box) : m_window(window), m_box(box) {}

    void Paint() override { m_box.Paint(m_window.Canvas(), m_pressed); }

    void KeyDown(Key key, ShiftState /*shift*/) override {
        switch (key) {
        case Key::vkReturn:
        case Key::vkSpace:
        case Key::vkEscape:
            m_window.Close();
            break;
        default:
            break;
        }
    }

    void MouseDown(MouseButton button, ShiftState /*shift*/, int x, int y) override {
        if (button == MouseButton::mbLeft && OnButton(x, y)) {
            m_held = true;
            SetPressed(true);
        }
    }

    void MouseMove(ShiftState /*shift*/, int x, int y) override {
        if (m_held) {
            SetPressed(OnButton(x, y));
        }
    }

    void MouseUp(MouseButton button, ShiftState /*shift*/, int x, int y) override {
        if (button != MouseButton::mbLeft || !m_held) {
            return;
        }
        m_held = false;
        if (OnButton(x, y)) {
            m_window.Close();
        } else {
            SetPressed(false);
        }
    }

private:
    bool OnButton(int x, int y) const { return m_box.ButtonRect().Contains(x, y); }

    void SetPressed(bool pressed) {
        if (pressed != m_pressed) {
            m_pressed = pressed;
            m_window.Invalidate();
        }
    }

    Window& m_window;
    const ErrorBox& m_box;
    bool m_held = false;
    bool m_pressed = false;
};

} // namespace

bool DisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool ShowErrorBox(const std::string& caption, const std::string& text) {
    if (!DisplayAvailable()) {
        return false;
    }
    try {
        Display display;
        const ErrorBox box(text);
        Window window(display, caption, box.ClientSize().cx, box.ClientSize().cy, WindowKind::wkDialog);
        ErrorBoxEvents events(window, box);
        window.Run(events);
    } catch (const EWindowError&) {
        return false;
    }
    return true;
}

} // namespace mouldview::platform
