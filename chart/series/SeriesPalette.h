// The palette from which series take their colour when none is set, and from which points take
// theirs when a series colours each point.
#pragma once

#include "chart/series/ColorValue.h"

#include <array>
#include <span>

namespace mouldview::chart {

inline constexpr int DefaultSeriesPaletteLength = 20;

// clRed, clGreen, clYellow, clBlue, clWhite, clGray, clFuchsia, clTeal, clNavy, clMaroon, clLime,
// clOlive, clPurple, clSilver, clAqua, clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray.
inline constexpr std::array<TColor, DefaultSeriesPaletteLength> DefaultSeriesPalette = {
    0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
    0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};

// Entry i of a palette, the index taken modulo its length (a palette is never empty here).
inline TColor PaletteColor(std::span<const TColor> palette, long long i) {
    const auto length = static_cast<long long>(palette.size());
    long long index = i % length;
    if (index < 0) {
        index += length;
    }
    return palette[static_cast<std::size_t>(index)];
}

} // namespace mouldview::chart
