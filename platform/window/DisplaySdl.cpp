// Opens SDL2's video subsystem with the settings a desktop program wants, and closes it again.
#include "platform/window/Display.h"

#include <SDL.h>
#include <cstdlib>
#include <string_view>
#if defined(MOULDVIEW_HAVE_X11)
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace mouldview::platform {

namespace {

bool g_displayOpen = false;

#if defined(MOULDVIEW_HAVE_X11)
int (*g_previousX11ErrorHandler)(::Display*, XErrorEvent*) = nullptr;

// SDL2 ends its wait for events by sending a message to the window over a second X connection.
// One sent during the last turn of the event loop can reach the server after the window was
// destroyed on the first connection; the server then reports the window as unknown, and Xlib's
// default handler would end the program with status 1 on its way out. Such an error concerns a
// window that is already gone; every other error goes to the handler that was there before.
int IgnoreLateWakeUps(::Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    return g_previousX11ErrorHandler != nullptr ? g_previousX11ErrorHandler(display, error) : 0;
}

// Installed before SDL2 starts: SDL2 puts a handler of its own in front and restores the one it
// found when it quits, before it closes its connections, where such a late error shows up.
void FilterX11Errors() {
    g_previousX11ErrorHandler = XSetErrorHandler(IgnoreLateWakeUps);
}

void RestoreX11Errors() {
    if (g_previousX11ErrorHandler != nullptr) {
        XSetErrorHandler(g_previousX11ErrorHandler);
        g_previousX11ErrorHandler = nullptr;
    }
}
#else
void FilterX11Errors() {}
void RestoreX11Errors() {}
#endif

// SDL2 defaults suit games; a chart window is an ordinary desktop window.
void SetDesktopHints() {
    // Let the screen saver run while the chart is shown.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // Keep the desktop compositor running for this window (SDL2 asks to bypass it by default).
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window surface is copied to the screen by the windowing system itself (X11 shared
    // memory images): no GPU texture in between that could scale or filter the pixels.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // No pointer grab of SDL2's own while a button is held: the windowing system already sends a
    // drag's moves and release to the window it started in (on X11 the window reads them from
    // the X events, see X11Mouse.cpp), and SDL2's grab can outlast a release outside the window.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    // Closing the one window is reported as a close request of that window only; the event loop
    // decides what follows.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates the window is also a click into it, as on other desktops.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Ctrl+C in the terminal ends the program at once, also during a long model run, instead of
    // being turned into a quit event that nobody reads until the window is up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// SDL2 falls back to drivers that show nothing ("offscreen", "dummy") when no real display can
// be reached; a window there would wait for input that can never come. They are used only when
// asked for by name through SDL_VIDEODRIVER.
bool ShowsNothing(std::string_view driver) {
    return driver == "offscreen" || driver == "dummy";
}

std::string UnreachableDisplayReason() {
    const std::string x11 = Environment("DISPLAY");
    const std::string wayland = Environment("WAYLAND_DISPLAY");
    if (!x11.empty()) {
        return "cannot connect to the X display \"" + x11 + "\"";
    }
    return "cannot connect to the Wayland display \"" + wayland + "\"";
}

} // namespace

Display::Display() {
    if (g_displayOpen) {
        throw EWindowError("the display is already open");
    }
    const bool driverChosen = !Environment("SDL_VIDEODRIVER").empty();
    const bool x11 = !Environment("DISPLAY").empty();
    const bool wayland = !Environment("WAYLAND_DISPLAY").empty();
    if (!driverChosen && !x11 && !wayland) {
        throw EWindowError("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    SetDesktopHints();
    FilterX11Errors();
    // With only one kind of display named, SDL2 need not probe the others (probing Wayland
    // without one prints complaints of its own on standard error).
    if (!driverChosen && x11 != wayland) {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 ? "x11" : "wayland");
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const std::string reason = driverChosen ? SDL_GetError() : UnreachableDisplayReason();
        SDL_Quit();
        RestoreX11Errors();
        throw EWindowError(reason);
    }
    if (!driverChosen && ShowsNothing(SDL_GetCurrentVideoDriver())) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        SDL_Quit();
        RestoreX11Errors();
        throw EWindowError(UnreachableDisplayReason());
    }
    g_displayOpen = true;
}

Display::~Display() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
    RestoreX11Errors();
    g_displayOpen = false;
}

std::string Display::DriverName() const {
    const char* name = SDL_GetCurrentVideoDriver();
    return name != nullptr ? name : "";
}

} // namespace mouldview::platform
