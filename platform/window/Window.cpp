// What both backends' windows share: the shift state of an event, the client area, the pointer's
// leaving and the canvas following the client size.
#include "platform/window/Window.h"

namespace mouldview::platform {

ShiftState Window::CurrentShift() const {
    return m_modifiers | m_buttonsHeld;
}

bool Window::InsideClientArea(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_canvas.Width() && y < m_canvas.Height();
}

void Window::ReportLeave() {
    if (m_pointerInside) {
        m_pointerInside = false;
        m_events->MouseLeave();
    }
}

void Window::ClientSizeChanged(int width, int height) {
    if (width == m_canvas.Width() && height == m_canvas.Height()) {
        return;
    }
    m_canvas.Resize(width, height);
    if (m_events != nullptr) {
        m_events->Resized(width, height);
    }
    m_paintPending = true;
}

} // namespace mouldview::platform
