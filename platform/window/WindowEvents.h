// What the window reports to its owner while the event loop runs. The owner (the result window
// of the program, or a test) implements this interface; every call happens on the loop's thread,
// one event at a time.
#pragma once

#include "platform/window/MouseInput.h"

namespace mouldview::platform {

class WindowEvents {
public:
    virtual ~WindowEvents() = default;

    // The window canvas must show the owner's picture again: on first showing, when part of the
    // window was uncovered, after a resize, and once per loop iteration after any number of
    // Window::Invalidate calls. An uncover with nothing changed is a paint like any other; the
    // owner decides whether it redraws or only copies a picture it already has. The window
    // presents the canvas on screen when this returns.
    virtual void Paint() = 0;

    // The client area now has this size, and so has the canvas (what it shows is left over from
    // the old size). A Paint follows in the same loop iteration.
    virtual void Resized(int /*clientWidth*/, int /*clientHeight*/) {}

    // The window moved on the screen; its client area's top-left corner is now at (left, top).
    virtual void Moved(int /*left*/, int /*top*/) {}

    // The desktop's colour settings changed; colours derived from them must be looked up again.
    virtual void SystemColorsChanged() {}

    // Mouse input in client pixels. While any button is held the mouse is captured, so moves and
    // the release arrive even outside the client area, with coordinates beyond its edges. The
    // shift state of a press already contains the pressed button; that of a release no longer
    // contains the released one.
    virtual void MouseDown(MouseButton /*button*/, ShiftState /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseMove(ShiftState /*shift*/, int /*x*/, int /*y*/) {}
    virtual void MouseUp(MouseButton /*button*/, ShiftState /*shift*/, int /*x*/, int /*y*/) {}

    // One wheel notch, with the pointer position in client pixels. A fast spin that the system
    // reports as several notches at once arrives as that many calls.
    virtual void MouseWheel(WheelDirection /*direction*/, ShiftState /*shift*/, int /*x*/, int /*y*/) {}

    // A key was pressed while the window had the keyboard (its first press, not the repeats).
    virtual void KeyDown(Key /*key*/, ShiftState /*shift*/) {}

    // The pointer left the client area (not reported while the mouse is captured).
    virtual void MouseLeave() {}

    // The delay given to Window::StartTimer has passed.
    virtual void TimerElapsed() {}

    // The user or the window manager asked to close the window. The event loop ends after this
    // returns.
    virtual void CloseRequested() {}
};

} // namespace mouldview::platform
