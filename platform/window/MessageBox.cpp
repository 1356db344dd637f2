// The start-up failure box: SDL2's simple message box, which needs no initialised video system
// and creates its own top-level window.
#include "platform/window/MessageBox.h"

#include <SDL.h>
#include <cstdlib>

namespace mouldview::platform {

bool DisplayAvailable() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

bool ShowErrorBox(const std::string& caption, const std::string& text) {
    if (!DisplayAvailable()) {
        return false;
    }
    // SDL2 draws the box in a child process of its own, which now and then fails to show it when
    // the machine is busy (about one start in forty with both cores fully loaded); the next try
    // shows it. A box that cannot be shown at all fails each try at once.
    constexpr int Attempts = 3;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0) {
            return true;
        }
    }
    return false;
}

} // namespace mouldview::platform
