// A top-level window of the program: the result window at the top-left corner of the screen, or a
// box centred on it. It shows a raster bitmap of exactly its client size pixel for pixel (the
// window canvas), and runs the event loop that reports paints, size and position changes, mouse
// input and keys to its owner.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/window/Display.h"
#include "platform/window/MouseInput.h"
#include "platform/window/WindowEvents.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <optional>
#include <string>

#if defined(_WIN32)
struct HWND__;
#else
struct SDL_Window;
union SDL_Event;
#endif

namespace mouldview::platform {

// wkMain: the program's main window, its client area's top-left corner at (0, 0) of the screen,
// sizeable. wkDialog: a box centred on the screen, of fixed size, kept above other windows.
enum class WindowKind { wkMain, wkDialog };

class Window {
public:
    // Creates the window, hidden. It has the usual caption buttons and its own taskbar entry, and
    // the platform never erases its background: every pixel shown comes from the canvas. Throws
    // EWindowError.
    Window(Display& display, const std::string& caption, int clientWidth, int clientHeight,
           WindowKind kind = WindowKind::wkMain);
    ~Window();

    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    int ClientWidth() const { return m_canvas.Width(); }
    int ClientHeight() const { return m_canvas.Height(); }

    // The picture shown in the client area, always of the client size. It stays the same object
    // for the window's life (a resize resizes it in place), so a device context may keep drawing
    // on it. Draw into it in Paint; drawing into it at other times (inside mouse handlers) must
    // be followed by CanvasChanged.
    raster::Bitmap& Canvas() { return m_canvas; }

    // Asks for a Paint. Requests are merged: however many arrive, the loop calls Paint once at
    // the end of its current iteration, after all pending input has been handled.
    void Invalidate() { m_paintPending = true; }
    // The canvas was drawn on outside Paint; the loop shows it at the end of its iteration.
    void CanvasChanged() { m_presentPending = true; }

    // Shows the window (a dialog also raised to the front, to take the keyboard) and handles its
    // events until it is closed (by the user, the window manager, or Close). The first Paint
    // follows at once.
    void Run(WindowEvents& events);
    // Ends Run after the event being handled, without a CloseRequested notification.
    void Close() { m_running = false; }

    // One TimerElapsed call, `delay` from now, made by the event loop between events; a new start
    // replaces the pending one, and StopTimer drops it.
    void StartTimer(std::chrono::milliseconds delay);
    void StopTimer();

    // Puts the text on the system's clipboard, for other programs to paste (on X11 the window
    // serves it while the program runs). False when the system refused it, or cannot take a text
    // of this length (on X11 about 16 MB).
    bool SetClipboardText(const std::string& text);

private:
    // Shows the canvas on the screen as it is now.
    void Present();
    void ClientSizeChanged(int width, int height);
    ShiftState CurrentShift() const;
    bool InsideClientArea(int x, int y) const;
    void ReportLeave();

    WindowKind m_kind;
    raster::Bitmap m_canvas;
    WindowEvents* m_events = nullptr;
    bool m_running = false;
    bool m_paintPending = true;
    bool m_presentPending = false;

    // Input state tracked from the event stream, so that every event carries the shift state of
    // its own moment rather than that of the latest device poll.
    ShiftState m_buttonsHeld;
    ShiftState m_modifiers;
    // Whether the pointer is over the client area as far as the owner was told (MouseLeave).
    bool m_pointerInside = false;

#if defined(_WIN32)
    // The Win32 backend (WindowWin32.cpp): the window procedure's messages in window terms.
    friend std::intptr_t WindowProcedure(Window& window, HWND__* handle, unsigned message,
                                         std::uintptr_t wParam, std::intptr_t lParam);
    std::intptr_t HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void MouseButtonMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
    void MouseMoveMessage(std::uintptr_t wParam, std::intptr_t lParam);
    void MouseWheelMessage(std::uintptr_t wParam, std::intptr_t lParam);
    void PaintMessage();
    void KeyMessage(std::uintptr_t wParam, std::intptr_t lParam);

    HWND__* m_window = nullptr;
    // Whether the system reports the pointer's leaving (TrackMouseEvent) since it last came in.
    bool m_leaveTracked = false;
    // Wheel rotation not yet worth a whole notch (high-resolution wheels report fractions).
    int m_wheelRest = 0;
    // An exception of an owner's handler, carried out of the window procedure (it must not
    // unwind through the system's frames) and raised again by Run.
    std::exception_ptr m_failure;
#else
    // The SDL2 backend (WindowSdl.cpp, EventLoopSdl.cpp, X11Mouse.cpp).
    void PaintAndPresent();
    // Waits for the next event, or until the timer is due: false when none came.
    bool WaitForEvent(SDL_Event& event);
    void Dispatch(const SDL_Event& event);
    void DispatchWindowEvent(const SDL_Event& event);
    void DispatchSdlMouse(const SDL_Event& event);
    // Connects to the X11 events of the window, if it is an X11 window (X11Mouse.cpp).
    void AttachX11Input();
    // Has the pointer's moves over the window come as core X events (X11Mouse.cpp).
    void DropXInput2Motion();
    void DispatchX11Event(const SDL_Event& event);
    // The longest text the windowing system takes on the clipboard (X11Mouse.cpp).
    std::size_t LargestClipboardText() const;
    // Takes the pointer grab again while a button is held (X11Mouse.cpp).
    void KeepMouseCapture();
    void GrabPointer();
    bool PointerReallyOutside() const;

    SDL_Window* m_window = nullptr;
    std::optional<std::chrono::steady_clock::time_point> m_timerDue;

    // On X11 the mouse is read from the X events themselves (see X11Mouse.cpp).
    bool m_x11Input = false;
    void* m_x11Display = nullptr;
    unsigned long m_x11Window = 0;
    bool m_captureWanted = false;
    ShiftState m_x11ButtonsHeld;
    // The last press, to recognise the second press of a double click.
    struct Press {
        unsigned button = 0;
        unsigned long time = 0;
        int x = 0;
        int y = 0;
    };
    std::optional<Press> m_lastPress;
#endif
};

} // namespace mouldview::platform
