// The window's event loop: waits for SDL2 events, turns them into WindowEvents calls in window
// terms (client pixels, shift states, single wheel notches), and paints at most once per turn.
#include "platform/window/RunScope.h"
#include "platform/window/Window.h"

#include <SDL.h>
#include <algorithm>
#include <optional>

namespace mouldview::platform {

namespace {

ShiftState ModifiersFrom(SDL_Keymod mod) {
    ShiftState shift;
    if ((mod & KMOD_SHIFT) != 0) {
        shift |= ShiftFlag::ssShift;
    }
    if ((mod & KMOD_CTRL) != 0) {
        shift |= ShiftFlag::ssCtrl;
    }
    if ((mod & KMOD_ALT) != 0) {
        shift |= ShiftFlag::ssAlt;
    }
    return shift;
}

// The side buttons (back, forward) have no meaning in window terms and are not reported.
std::optional<MouseButton> ButtonFrom(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MouseButton::mbLeft;
    case SDL_BUTTON_RIGHT:
        return MouseButton::mbRight;
    case SDL_BUTTON_MIDDLE:
        return MouseButton::mbMiddle;
    default:
        return std::nullopt;
    }
}

// The key an owner is told about for a key press.
Key KeyFrom(const SDL_Keysym& keysym) {
    switch (keysym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return Key::vkReturn;
    case SDLK_SPACE:
        return Key::vkSpace;
    case SDLK_ESCAPE:
        return Key::vkEscape;
    case SDLK_HOME:
        return Key::vkHome;
    case SDLK_F1:
        return Key::vkF1;
    case SDLK_c:
        return Key::vkC;
    case SDLK_s:
        return Key::vkS;
    default:
        // The keypad's 7 is its Home key while Num Lock is off.
        if (keysym.sym == SDLK_KP_7 && (keysym.mod & KMOD_NUM) == 0) {
            return Key::vkHome;
        }
        return Key::vkOther;
    }
}

} // namespace

// SDL2 pulls the position of an uncaptured move onto the client area's edge; when the pointer
// leaves after a captured drag it reports such a move to the edge although the pointer never went
// there. The pointer's true place tells these apart from real moves along the edge.
bool Window::PointerReallyOutside() const {
    int screenX = 0;
    int screenY = 0;
    SDL_GetGlobalMouseState(&screenX, &screenY);
    int left = 0;
    int top = 0;
    SDL_GetWindowPosition(m_window, &left, &top);
    return !InsideClientArea(screenX - left, screenY - top);
}

void Window::Run(WindowEvents& events) {
    RunScope scope(m_events, events);
    m_running = true;
    m_paintPending = true;
    m_modifiers = ModifiersFrom(SDL_GetModState());
    m_buttonsHeld = ShiftState();
    m_pointerInside = false;
    SDL_ShowWindow(m_window);
    if (m_kind == WindowKind::wkDialog) {
        SDL_RaiseWindow(m_window);
    }
    while (m_running) {
        SDL_Event event;
        // Block only when nothing is waiting to be shown, and no longer than until the timer is
        // due; then take every queued event before painting, so that a burst of input and repaint
        // requests costs one paint.
        if (!m_paintPending && !m_presentPending && WaitForEvent(event)) {
            Dispatch(event);
        }
        while (m_running && SDL_PollEvent(&event) != 0) {
            Dispatch(event);
        }
        if (m_running && m_timerDue && std::chrono::steady_clock::now() >= *m_timerDue) {
            m_timerDue.reset();
            m_events->TimerElapsed();
        }
        if (!m_running) {
            break;
        }
        KeepMouseCapture();
        if (m_paintPending) {
            PaintAndPresent();
        } else if (m_presentPending) {
            Present();
        }
    }
    SDL_HideWindow(m_window);
}

void Window::StartTimer(std::chrono::milliseconds delay) {
    m_timerDue = std::chrono::steady_clock::now() + delay;
}

void Window::StopTimer() {
    m_timerDue.reset();
}

bool Window::WaitForEvent(SDL_Event& event) {
    if (!m_timerDue) {
        return SDL_WaitEvent(&event) != 0;
    }
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(*m_timerDue - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
        return false;
    }
    return SDL_WaitEventTimeout(&event, static_cast<int>(std::min<long long>(left.count(), 1 << 30))) != 0;
}

bool Window::SetClipboardText(const std::string& text) {
    return text.size() <= LargestClipboardText() && SDL_SetClipboardText(text.c_str()) == 0;
}

void Window::Dispatch(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        m_events->CloseRequested();
        m_running = false;
        break;
    case SDL_WINDOWEVENT:
        if (event.window.windowID == SDL_GetWindowID(m_window)) {
            DispatchWindowEvent(event);
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        m_modifiers = ModifiersFrom(static_cast<SDL_Keymod>(event.key.keysym.mod));
        // A key held down from before repeats; only its first press counts.
        if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
            m_events->KeyDown(KeyFrom(event.key.keysym), CurrentShift());
        }
        break;
    case SDL_TEXTINPUT:
        if (event.text.text[0] == '?' && event.text.text[1] == '\0') {
            m_events->KeyDown(Key::vkQuestionMark, CurrentShift());
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_MOUSEWHEEL:
        if (!m_x11Input) {
            DispatchSdlMouse(event);
        }
        break;
    case SDL_SYSWMEVENT:
        if (m_x11Input) {
            DispatchX11Event(event);
        }
        break;
    default:
        break;
    }
}

// Mouse input as SDL2 reports it, for windowing systems other than X11.
void Window::DispatchSdlMouse(const SDL_Event& event) {
    switch (event.type) {
    case SDL_MOUSEBUTTONDOWN:
        if (const auto button = ButtonFrom(event.button.button)) {
            m_buttonsHeld |= ButtonFlag(*button);
            ShiftState shift = CurrentShift();
            if (event.button.clicks >= 2) {
                shift |= ShiftFlag::ssDouble;
            }
            m_events->MouseDown(*button, shift, event.button.x, event.button.y);
        }
        break;
    case SDL_MOUSEBUTTONUP:
        if (const auto button = ButtonFrom(event.button.button)) {
            m_buttonsHeld = m_buttonsHeld.Without(ButtonFlag(*button));
            m_events->MouseUp(*button, CurrentShift(), event.button.x, event.button.y);
            // The capture ends with the last button; a pointer outside has now left.
            if (m_buttonsHeld.Empty() && !InsideClientArea(event.button.x, event.button.y)) {
                ReportLeave();
            }
        }
        break;
    case SDL_MOUSEMOTION:
        if (m_buttonsHeld.Empty()) {
            const bool onEdge = event.motion.x == 0 || event.motion.y == 0 ||
                                event.motion.x == m_canvas.Width() - 1 ||
                                event.motion.y == m_canvas.Height() - 1;
            if (!m_pointerInside || (onEdge && PointerReallyOutside())) {
                break;
            }
        } else {
            m_pointerInside = m_pointerInside || InsideClientArea(event.motion.x, event.motion.y);
        }
        m_events->MouseMove(CurrentShift(), event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.y;
        if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
            notches = -notches;
        }
        const WheelDirection direction = notches > 0 ? WheelDirection::wdUp : WheelDirection::wdDown;
        for (int i = 0; i < (notches > 0 ? notches : -notches) && m_running; ++i) {
            m_events->MouseWheel(direction, CurrentShift(), event.wheel.mouseX, event.wheel.mouseY);
        }
        break;
    }
    default:
        break;
    }
}

void Window::DispatchWindowEvent(const SDL_Event& event) {
    switch (event.window.event) {
    case SDL_WINDOWEVENT_EXPOSED:
        m_paintPending = true;
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        ClientSizeChanged(event.window.data1, event.window.data2);
        break;
    case SDL_WINDOWEVENT_MOVED:
        m_events->Moved(event.window.data1, event.window.data2);
        break;
    case SDL_WINDOWEVENT_ENTER:
        if (!m_x11Input) {
            m_pointerInside = true;
        }
        break;
    case SDL_WINDOWEVENT_LEAVE:
        if (m_x11Input) {
            break;
        }
        // While the mouse is captured the pointer belongs to the window wherever it is; leaving
        // is reported when the capture ends outside (see the button release).
        if (m_buttonsHeld.Empty()) {
            ReportLeave();
        }
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        // Keys may have been pressed or released while another window had the keyboard.
        m_modifiers = ModifiersFrom(SDL_GetModState());
        break;
    case SDL_WINDOWEVENT_CLOSE:
        m_events->CloseRequested();
        m_running = false;
        break;
    default:
        break;
    }
}

} // namespace mouldview::platform
