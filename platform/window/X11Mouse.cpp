// Mouse input on X11, read from the X events of the window rather than from SDL2's mouse events.
// X events carry true coordinates (also outside the window) and the modifier and button state of
// their own moment; SDL2's mouse layer pulls uncaptured positions onto the window's edge.
// Capture: the window grabs the pointer while a button is held, so that moves and the release
// outside still come here. SDL2 drops every pointer grab some 200 ms after the window gains the
// keyboard focus (which happens right at the click that starts a drag, under click-to-focus as
// under focus-follows-pointer), so the grab is taken again after each batch of events for as long
// as a button is held. The clipboard's size limit on X11 is here too.
#include "platform/window/Window.h"

#include <SDL.h>
#if defined(MOULDVIEW_HAVE_X11)
#include <SDL_syswm.h>
#endif
#if defined(MOULDVIEW_HAVE_XI)
#include <X11/extensions/XInput2.h>
#endif
#include <cstdint>
#include <cstdlib>

namespace mouldview::platform {

#if defined(MOULDVIEW_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)

namespace {

// The platform's double-click rule: the second press of the same button within 500 ms and within
// 4 pixels of the first.
constexpr unsigned long kDoubleClickMilliseconds = 500;
constexpr int kDoubleClickDistance = 4;

ShiftState ShiftFrom(unsigned int state) {
    ShiftState shift;
    if ((state & ShiftMask) != 0) {
        shift |= ShiftFlag::ssShift;
    }
    if ((state & ControlMask) != 0) {
        shift |= ShiftFlag::ssCtrl;
    }
    if ((state & Mod1Mask) != 0) {
        shift |= ShiftFlag::ssAlt;
    }
    if ((state & Button1Mask) != 0) {
        shift |= ShiftFlag::ssLeft;
    }
    if ((state & Button2Mask) != 0) {
        shift |= ShiftFlag::ssMiddle;
    }
    if ((state & Button3Mask) != 0) {
        shift |= ShiftFlag::ssRight;
    }
    return shift;
}

std::optional<MouseButton> ButtonFrom(unsigned int button) {
    switch (button) {
    case Button1:
        return MouseButton::mbLeft;
    case Button2:
        return MouseButton::mbMiddle;
    case Button3:
        return MouseButton::mbRight;
    default:
        return std::nullopt;
    }
}

// X reports the wheel as presses of buttons 4 (up) and 5 (down), each press one notch.
constexpr unsigned int kWheelUp = 4;
constexpr unsigned int kWheelDown = 5;

} // namespace

void Window::AttachX11Input() {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(m_window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    m_x11Input = true;
    m_x11Display = info.info.x11.display;
    m_x11Window = info.info.x11.window;
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    DropXInput2Motion();
    // SDL2 drops the pointer grab on every EnterNotify it handles, also on the one that comes
    // just before a press, after the press has taken its grab, or on the one that taking the grab
    // back outside the window brings. So the window does not ask for EnterNotify at all (neither
    // does the grab of a drag): a pointer coming into the window brings its MotionNotify anyway.
    auto* display = static_cast<::Display*>(m_x11Display);
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, m_x11Window, &attributes) != 0) {
        XSelectInput(display, m_x11Window, attributes.your_event_mask & ~EnterWindowMask);
        XFlush(display);
    }
}

// SDL2 selects XInput2 motion on its window (for touch devices). The server gives an XInput2
// selection precedence over the core one of the same client, so every move over the window that
// no core grab covers would arrive as an XInput2 event, which carries nothing readable here,
// instead of a MotionNotify: moves without a button, and the moves of a drag while SDL2 has
// dropped the grab.
void Window::DropXInput2Motion() {
#if defined(MOULDVIEW_HAVE_XI)
    auto* display = static_cast<::Display*>(m_x11Display);
    int opcode = 0;
    int firstEvent = 0;
    int firstError = 0;
    if (XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError) == False) {
        return;
    }
    int count = 0;
    XIEventMask* masks = XIGetSelectedEvents(display, m_x11Window, &count);
    if (masks == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (XIMaskLen(XI_Motion) <= masks[i].mask_len) {
            XIClearMask(masks[i].mask, XI_Motion);
        }
    }
    XISelectEvents(display, m_x11Window, masks, count);
    XFree(masks);
    XFlush(display);
#endif
}

void Window::DispatchX11Event(const SDL_Event& event) {
    if (event.syswm.msg == nullptr || event.syswm.msg->subsystem != SDL_SYSWM_X11) {
        return;
    }
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.xany.window != m_x11Window) {
        return;
    }
    switch (x.type) {
    case ButtonPress: {
        const XButtonEvent& press = x.xbutton;
        if (press.button == kWheelUp || press.button == kWheelDown) {
            m_events->MouseWheel(press.button == kWheelUp ? WheelDirection::wdUp : WheelDirection::wdDown,
                                 ShiftFrom(press.state), press.x, press.y);
            break;
        }
        const auto button = ButtonFrom(press.button);
        if (!button) {
            break;
        }
        // The state is that of before the press; the pressed button is added.
        ShiftState shift = ShiftFrom(press.state) | ButtonFlag(*button);
        if (m_lastPress && m_lastPress->button == press.button &&
            press.time - m_lastPress->time <= kDoubleClickMilliseconds &&
            std::abs(press.x - m_lastPress->x) <= kDoubleClickDistance &&
            std::abs(press.y - m_lastPress->y) <= kDoubleClickDistance) {
            shift |= ShiftFlag::ssDouble;
            // A third press starts a new click.
            m_lastPress.reset();
        } else {
            m_lastPress = Press{press.button, press.time, press.x, press.y};
        }
        m_pointerInside = true;
        m_captureWanted = true;
        m_x11ButtonsHeld |= ButtonFlag(*button);
        GrabPointer();
        m_events->MouseDown(*button, shift, press.x, press.y);
        break;
    }
    case ButtonRelease: {
        const XButtonEvent& release = x.xbutton;
        const auto button = ButtonFrom(release.button);
        if (!button) {
            break;
        }
        const ShiftState shift = ShiftFrom(release.state).Without(ButtonFlag(*button));
        m_x11ButtonsHeld = m_x11ButtonsHeld.Without(ButtonFlag(*button));
        m_events->MouseUp(*button, shift, release.x, release.y);
        const bool buttonsLeft = shift.Contains(ShiftFlag::ssLeft) || shift.Contains(ShiftFlag::ssMiddle) ||
                                 shift.Contains(ShiftFlag::ssRight);
        if (!buttonsLeft) {
            m_captureWanted = false;
            XUngrabPointer(static_cast<::Display*>(m_x11Display), release.time);
            XFlush(static_cast<::Display*>(m_x11Display));
        }
        // The implicit capture ends with the last button; a pointer outside has now left.
        if (!buttonsLeft && !InsideClientArea(release.x, release.y)) {
            ReportLeave();
        }
        break;
    }
    case MotionNotify:
        m_pointerInside = m_pointerInside || InsideClientArea(x.xmotion.x, x.xmotion.y);
        m_events->MouseMove(ShiftFrom(x.xmotion.state), x.xmotion.x, x.xmotion.y);
        break;
    case LeaveNotify:
        // While a button is held the pointer stays with the window (the leave is reported on the
        // release outside); moving into a child window is no leave.
        if (x.xcrossing.mode == NotifyNormal &&
            (x.xcrossing.state & (Button1Mask | Button2Mask | Button3Mask)) == 0 &&
            x.xcrossing.detail != NotifyInferior) {
            ReportLeave();
        }
        break;
    default:
        break;
    }
}

void Window::KeepMouseCapture() {
    if (!m_captureWanted) {
        return;
    }
    auto* display = static_cast<::Display*>(m_x11Display);
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int state = 0;
    XQueryPointer(display, m_x11Window, &root, &child, &rootX, &rootY, &x, &y, &state);
    // The pointer's state is the server's present one; events that came before the answer are
    // queued now and will tell the story in order, so only an empty queue shows a lost release.
    if ((state & (Button1Mask | Button2Mask | Button3Mask)) == 0 && XQLength(display) == 0) {
        // The release went elsewhere while the grab was away: report it here, where the
        // pointer is now, so that no drag is left hanging.
        m_captureWanted = false;
        XUngrabPointer(display, CurrentTime);
        XFlush(display);
        const ShiftState shift = ShiftFrom(state);
        for (const MouseButton button : {MouseButton::mbLeft, MouseButton::mbMiddle, MouseButton::mbRight}) {
            if (m_x11ButtonsHeld.Contains(ButtonFlag(button))) {
                m_events->MouseUp(button, shift, x, y);
            }
        }
        m_x11ButtonsHeld = ShiftState();
        if (!InsideClientArea(x, y)) {
            ReportLeave();
        }
        return;
    }
    GrabPointer();
}

void Window::GrabPointer() {
    auto* display = static_cast<::Display*>(m_x11Display);
    // No EnterWindowMask: see AttachX11Input.
    constexpr unsigned int kMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | LeaveWindowMask;
    // Re-grabbing while the grab is still held only confirms it.
    XGrabPointer(display, m_x11Window, False, kMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XFlush(display);
}

// SDL2 hands the clipboard's text to X in one property change, both when it is set and when
// another program asks for it, and a request beyond the server's largest ends the program through
// Xlib's error handler. A property change of n bytes takes 6 + n / 4 units of 4 bytes.
std::size_t Window::LargestClipboardText() const {
    if (!m_x11Input) {
        return SIZE_MAX;
    }
    auto* display = static_cast<::Display*>(m_x11Display);
    long units = XExtendedMaxRequestSize(display);
    if (units == 0) {
        units = XMaxRequestSize(display);
    }
    // A margin for the request's header.
    return units > 16 ? static_cast<std::size_t>(units - 16) * 4 : 0;
}

#else

std::size_t Window::LargestClipboardText() const {
    return SIZE_MAX;
}
void Window::AttachX11Input() {}
void Window::DropXInput2Motion() {}
void Window::DispatchX11Event(const SDL_Event&) {}
void Window::KeepMouseCapture() {}
void Window::GrabPointer() {}

#endif

} // namespace mouldview::platform
