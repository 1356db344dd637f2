// Creating the SDL2 window and copying the canvas to the screen.
#include "platform/window/Window.h"

#include <SDL.h>
#include <algorithm>

namespace mouldview::platform {

Window::Window(Display& /*display*/, const std::string& caption, int clientWidth, int clientHeight,
               WindowKind kind)
    : m_kind(kind) {
    // Position (0, 0) is the client area's corner: SDL2 places the window's inside, and a window
    // manager puts its frame around it. A window without SDL_WINDOW_RESIZABLE gets a minimum size
    // equal to its maximum size, which window managers honour by offering no resizing.
    const bool dialog = kind == WindowKind::wkDialog;
    const int position = dialog ? SDL_WINDOWPOS_CENTERED : 0;
    m_window = SDL_CreateWindow(
        caption.c_str(), position, position, std::max(clientWidth, 1), std::max(clientHeight, 1),
        SDL_WINDOW_HIDDEN | (dialog ? SDL_WINDOW_ALWAYS_ON_TOP : SDL_WINDOW_RESIZABLE));
    if (m_window == nullptr) {
        throw EWindowError(SDL_GetError());
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(m_window, &width, &height);
    m_canvas.Resize(width, height);
    AttachX11Input();
}

Window::~Window() {
    SDL_DestroyWindow(m_window);
}

void Window::PaintAndPresent() {
    m_paintPending = false;
    m_events->Paint();
    Present();
}

// The canvas goes to the window surface, which SDL2 hands to the windowing system unscaled (on
// X11 as a shared-memory image in the screen's own pixel format). The conversion only reorders
// whole 8-bit channels, so every pixel reaches the screen unchanged.
void Window::Present() {
    m_presentPending = false;
    SDL_Surface* surface = SDL_GetWindowSurface(m_window);
    if (surface == nullptr) {
        // Nothing to show into (e.g. minimised); the next uncover asks for a paint again.
        return;
    }
    const int width = std::min(surface->w, m_canvas.Width());
    const int height = std::min(surface->h, m_canvas.Height());
    if (width <= 0 || height <= 0) {
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    // The bitmap's pixels are 0x00RRGGBB words: SDL's XRGB8888.
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_XRGB8888, m_canvas.Data(),
                      static_cast<int>(m_canvas.StrideBytes()), surface->format->format, surface->pixels,
                      surface->pitch);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    const SDL_Rect area{0, 0, width, height};
    SDL_UpdateWindowSurfaceRects(m_window, &area, 1);
}

} // namespace mouldview::platform
