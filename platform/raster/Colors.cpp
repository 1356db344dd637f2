// The system-colour table and the conversion of framework colours to pixels.
#include "platform/raster/Colors.h"

#include <array>

namespace mouldview::raster {
namespace {

// Windows 10 defaults, written as 0xRRGGBB for readability and converted on use.
constexpr std::array<std::uint32_t, sysColorCount> defaultSystemRgb = {
    0xC8C8C8, 0x000000, 0x99B4D1, 0xBFCDDB, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000,
    0x000000, 0x000000, 0xB4B4B4, 0xF4F7FC, 0xABABAB, 0x0078D7, 0xFFFFFF, 0xF0F0F0,
    0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000,
    0xFFFFE1, 0x000000, 0x0066CC, 0xB9D1EA, 0xD7E4F2, 0x3399FF, 0xF0F0F0};

std::array<ColorRef, sysColorCount> MakeDefaultTable() {
    std::array<ColorRef, sysColorCount> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = FromPixel(defaultSystemRgb[i]);
    return table;
}

std::array<ColorRef, sysColorCount>& Table() {
    static std::array<ColorRef, sysColorCount> table = MakeDefaultTable();
    return table;
}

bool IsSystemColor(ColorRef color) {
    return (color & 0xFF000000u) == 0xFF000000u;
}

} // namespace

ColorRef SystemColor(int index) {
    if (index < 0 || index >= sysColorCount)
        return 0;
    return Table()[static_cast<std::size_t>(index)];
}

void SetSystemColor(int index, ColorRef color) {
    if (index < 0 || index >= sysColorCount)
        return;
    Table()[static_cast<std::size_t>(index)] = color & 0x00FFFFFFu;
}

void ResetSystemColors() {
    Table() = MakeDefaultTable();
}

bool IsPaintable(ColorRef color) {
    const std::uint32_t top = color & 0xFF000000u;
    return top == 0 || top == 0xFF000000u;
}

ColorRef ResolveColor(ColorRef color) {
    if (IsSystemColor(color))
        return SystemColor(static_cast<int>(color & 0x00FFFFFFu));
    return color;
}

Pixel ToPixel(ColorRef color) {
    if (!IsPaintable(color))
        return 0;
    const ColorRef rgb = ResolveColor(color);
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

} // namespace mouldview::raster
