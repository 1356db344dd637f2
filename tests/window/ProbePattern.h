// The picture the window probe paints: different at every pixel in a way that shows a shift by
// one pixel, a swapped colour channel or a stretched picture, and with its four edges in four
// plain colours so that a picture painted for another size cannot pass for this one.
#pragma once

#include <cstdint>

namespace mouldview::probe {

inline constexpr std::uint32_t kTopEdge = 0xFF0000;
inline constexpr std::uint32_t kBottomEdge = 0x0000FF;
inline constexpr std::uint32_t kLeftEdge = 0x00FF00;
inline constexpr std::uint32_t kRightEdge = 0xFFFF00;
// The mark the probe draws, outside of any paint, where a mouse button goes down.
inline constexpr std::uint32_t kPressMark = 0xFF00FF;
inline constexpr int kPressMarkRadius = 2;

// The colour of pixel (x, y) of a width × height picture, as 0x00RRGGBB.
constexpr std::uint32_t PatternPixel(int x, int y, int width, int height) {
    if (y == 0) {
        return kTopEdge;
    }
    if (y == height - 1) {
        return kBottomEdge;
    }
    if (x == 0) {
        return kLeftEdge;
    }
    if (x == width - 1) {
        return kRightEdge;
    }
    const auto ux = static_cast<std::uint32_t>(x);
    const auto uy = static_cast<std::uint32_t>(y);
    const std::uint32_t ramp =
        ((ux * 7u) & 0xFFu) << 16 | ((uy * 13u) & 0xFFu) << 8 | (((ux ^ uy) * 3u) & 0xFFu);
    // A one-pixel checkerboard of the ramp and its complement.
    return ((ux + uy) & 1u) != 0 ? ramp : (~ramp & 0xFFFFFFu);
}

} // namespace mouldview::probe
