// The connection to the windowing system, opened once while the program's framework initialises,
// before any input is read, and closed last.
#pragma once

#include <stdexcept>
#include <string>

namespace mouldview::platform {

// Raised when no window can be shown: no display to connect to, or the windowing system refused
// to create the window. The message reads "cannot open a window: " and the system's reason.
class EWindowError : public std::runtime_error {
public:
    explicit EWindowError(const std::string& reason)
        : std::runtime_error("cannot open a window: " + reason) {}
};

class Display {
public:
    // Connects to the display named by the environment (DISPLAY, WAYLAND_DISPLAY); on Windows,
    // registers the program's window class with the desktop of the session. Throws EWindowError
    // when that fails. Only one Display may exist at a time.
    Display();
    ~Display();

    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // The name of the windowing system in use, e.g. "x11", "wayland" or "win32".
    std::string DriverName() const;
};

} // namespace mouldview::platform
