// Colours as the chart engine stores them: 32-bit values with red in the low byte, system colours
// named by index (0xFF0000nn), and the two markers clNone and clDefault that never reach a pixel.
#pragma once

#include "platform/raster/Colors.h"

namespace mouldview::chart {

// The same encoding as the raster layer's ColorRef, so colours pass down unchanged.
using TColor = raster::ColorRef;

// Plain RGB colours (0x00BBGGRR).
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours: the low byte is the platform's system-colour index.
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;

// Markers: no colour at all, and "not set, the default applies".
inline constexpr TColor clNone = raster::clNone;
inline constexpr TColor clDefault = raster::clDefault;

} // namespace mouldview::chart
