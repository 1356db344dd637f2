// Colours in the framework encoding (red in the low byte), the system-colour table, and their
// conversion to the pixel values stored in a Bitmap.
#pragma once

#include <cstdint>

namespace mouldview::raster {

// A colour as the framework writes it: 0x00BBGGRR for a plain RGB colour (red in the low byte),
// 0xFF0000nn for system colour number nn, or one of the two markers below.
using ColorRef = std::uint32_t;

// A pixel as stored in a Bitmap: 0x00RRGGBB (blue in the low byte, the top byte always 0). This is
// SDL_PIXELFORMAT_XRGB8888 (RGB888) on a little-endian machine, so a bitmap can be handed to the
// window as it is.
using Pixel = std::uint32_t;

// "No colour": as a pen, brush or text colour nothing is painted with it; as a background colour
// the gaps stay transparent. It never reaches a pixel.
constexpr ColorRef clNone = 0x1FFFFFFF;
// "No colour set, the default applies". The layers above always resolve it before drawing; if it
// reaches this layer anyway it is treated exactly like clNone (nothing painted).
constexpr ColorRef clDefault = 0x20000000;

// System colour indices and their values on a freshly installed Windows 10 (written as 0xRRGGBB,
// i.e. as the pixel they become):
//   0 scroll bar C8C8C8          11 inactive border F4F7FC     22 3D light E3E3E3
//   1 desktop 000000             12 app workspace ABABAB       23 info text 000000
//   2 active caption 99B4D1      13 highlight 0078D7           24 info background FFFFE1
//   3 inactive caption BFCDDB    14 highlight text FFFFFF      25 (unused) 000000
//   4 menu F0F0F0                15 button face F0F0F0         26 hot light 0066CC
//   5 window FFFFFF              16 button shadow A0A0A0       27 gradient active caption B9D1EA
//   6 window frame 646464        17 grey text 6D6D6D           28 gradient inactive caption D7E4F2
//   7 menu text 000000           18 button text 000000         29 menu highlight 3399FF
//   8 window text 000000         19 inactive caption text 000000  30 menu bar F0F0F0
//   9 caption text 000000        20 button highlight FFFFFF
//  10 active border B4B4B4       21 3D dark shadow 696969
constexpr int sysColorCount = 31;
constexpr int COLOR_WINDOW = 5;
constexpr int COLOR_WINDOWTEXT = 8;
constexpr int COLOR_HIGHLIGHT = 13;
constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_BTNSHADOW = 16;
constexpr int COLOR_BTNTEXT = 18;
constexpr int COLOR_BTNHIGHLIGHT = 20;

// The current value (0x00BBGGRR) of system colour `index`; 0 (black) for an index outside the table,
// as the platform answers for unknown indices.
ColorRef SystemColor(int index);

// Changes one entry of the process-wide system-colour table (what a system-colour change does on
// the desktop); indices outside the table are ignored. ResetSystemColors restores the defaults.
void SetSystemColor(int index, ColorRef color);
void ResetSystemColors();

// True for colours that paint: plain RGB and system colours. False for clNone, clDefault and any
// other value with a top byte other than 0x00 or 0xFF.
bool IsPaintable(ColorRef color);

// Plain RGB for a paintable colour (system colours looked up), unchanged for the rest.
ColorRef ResolveColor(ColorRef color);

// The pixel value of a paintable colour. Must not be called with a colour that is not paintable
// (the device context checks IsPaintable first); for such a colour it returns black.
Pixel ToPixel(ColorRef color);

// The framework colour of a pixel value.
constexpr ColorRef FromPixel(Pixel pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}

// Pixel value from its three channels.
constexpr Pixel MakePixel(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}

} // namespace mouldview::raster
