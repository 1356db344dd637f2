// The palette from which series take their colour when none is set.
#pragma once

#include "chart/canvas/ChartColors.h"

#include <array>

namespace mouldview::chart {

inline constexpr int DefaultSeriesPaletteLength = 20;

// The four colours of the palette beyond the sixteen basic ones.
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;

inline constexpr std::array<TColor, DefaultSeriesPaletteLength> DefaultSeriesPalette = {
    clRed,  clGreen, clYellow, clBlue,   clWhite, clGray,  clFuchsia,    clTeal,    clNavy,  clMaroon,
    clLime, clOlive, clPurple, clSilver, clAqua,  clBlack, clMoneyGreen, clSkyBlue, clCream, clMedGray};

} // namespace mouldview::chart
