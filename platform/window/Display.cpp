// Opens SDL2's video subsystem with the settings a desktop program wants, and closes it again.
#include "platform/window/Display.h"

#include <SDL.h>

namespace mouldview::platform {

EWindowError::EWindowError(const std::string& reason)
    : std::runtime_error("cannot open a window: " + reason) {}

namespace {

bool g_displayOpen = false;

// SDL2 defaults suit games; a chart window is an ordinary desktop window.
void SetDesktopHints() {
    // Let the screen saver run while the chart is shown.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    // Keep the desktop compositor running for this window (SDL2 asks to bypass it by default).
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    // The window surface is copied to the screen by the windowing system itself (X11 shared
    // memory images): no GPU texture in between that could scale or filter the pixels.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Capture the mouse while any button is held, so that a drag leaving the window still
    // reports its moves and its release. SDL does this through the mouse focus and so does not
    // depend on the window having the keyboard focus, which SDL_CaptureMouse would require.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "1");
    // Closing the one window is reported as a close request of that window only; the event loop
    // decides what follows.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates the window is also a click into it, as on other desktops.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // Ctrl+C in the terminal ends the program at once, also during a long model run, instead of
    // being turned into a quit event that nobody reads until the window is up.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
}

} // namespace

Display::Display() {
    if (g_displayOpen) {
        throw EWindowError("the display is already open");
    }
    SetDesktopHints();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        const std::string reason = SDL_GetError();
        SDL_Quit();
        throw EWindowError(reason);
    }
    g_displayOpen = true;
}

Display::~Display() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    SDL_Quit();
    g_displayOpen = false;
}

std::string Display::DriverName() const {
    const char* name = SDL_GetCurrentVideoDriver();
    return name != nullptr ? name : "";
}

} // namespace mouldview::platform
