// The start-up failure box: a modal box without an owner window, with a caption, one line of text,
// an error mark and an OK button. What the program calls is system-neutral; each system's backend
// shows the box its own way: on Linux the program draws it itself (MessageBoxSdl.cpp), on Windows
// it is the system's own message box (MessageBoxWin32.cpp).
#pragma once

#include <string>

namespace mouldview::platform {

// True when a display can be reached (DISPLAY or WAYLAND_DISPLAY is set; on Windows always, the
// session's desktop). Without one no box is attempted, so a program started headless never waits for a box
// nobody can see.
bool DisplayAvailable();

// Shows the box with the given caption and text and returns once it is dismissed (Return, Space,
// Escape, a click on OK, or the window's close button). Returns false when no box could be shown
// (no display, or the windowing system refused the window).
bool ShowErrorBox(const std::string& caption, const std::string& text);

} // namespace mouldview::platform
