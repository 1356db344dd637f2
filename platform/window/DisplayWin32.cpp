// The desktop connection on Windows: every process of a session has its desktop, so opening it only
// registers the window class that the program's windows share, and closing it unregisters it.
#include "platform/window/Display.h"
#include "platform/window/WindowClassWin32.h"

#include <windows.h>

namespace mouldview::platform {

namespace {

bool g_displayOpen = false;

} // namespace

Display::Display() {
    if (g_displayOpen) {
        throw EWindowError("the display is already open");
    }
    RegisterWindowClass();
    g_displayOpen = true;
}

Display::~Display() {
    UnregisterClassW(WindowClassName, GetModuleHandleW(nullptr));
    g_displayOpen = false;
}

std::string Display::DriverName() const {
    return "win32";
}

} // namespace mouldview::platform
