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
    return SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr) == 0;
}

} // namespace mouldview::platform
