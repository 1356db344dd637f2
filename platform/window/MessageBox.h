// Modal message boxes without an owner window, shown through SDL2.
#pragma once

#include <string>

namespace mouldview::platform {

// True when a display can be reached (DISPLAY or WAYLAND_DISPLAY is set). Without one no box is
// attempted, so a program started headless never waits for a box nobody can see.
bool DisplayAvailable();

// Shows a modal box with the given caption, text and one OK button, and returns once it is
// dismissed. Returns false when no box could be shown (no display, or SDL2 refused).
bool ShowErrorBox(const std::string& caption, const std::string& text);

} // namespace mouldview::platform
