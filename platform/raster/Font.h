// Description of a font and its metrics; fonts are drawn at 96 pixels per inch by the system's
// font backend (FreeType through fontconfig on Linux, GDI on Windows).
#pragma once

#include <string>

namespace mouldview::raster {

constexpr int screenPixelsPerInch = 96;

// A font as handed to DeviceContext::SetFont, after the platform's logical font.
//
// `height` < 0: the character height (em size) is -height pixels; > 0: the cell height
// (ascent + descent from the font's Windows metrics, OS/2 usWinAscent + usWinDescent) is height
// pixels; 0: a default of 12 pixels cell height. `escapement` is the writing direction in tenths
// of a degree counter-clockwise from the x axis; the glyphs turn with it (`orientation` is kept
// for the callers but glyphs always follow `escapement`, as in the platform's compatible mode).
//
// The face is looked up by family name with the weight and slant asked for. On Linux fontconfig
// finds it: "Arial" gives Liberation Sans (metric-compatible), "Tahoma" what fontconfig picks
// (DejaVu Sans on Debian); on Windows the system's font mapper does. When the face found has no
// bold or italic style of its own, the glyphs are emboldened or slanted.
struct FontDesc {
    std::string faceName = "Arial";
    int height = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;
    int orientation = 0;

    friend bool operator==(const FontDesc&, const FontDesc&) = default;
};

// The logical height for a size in points, -round(points * pixelsPerInch / 72) with halves rounded
// away from zero (the platform's MulDiv): 8 points at 96 pixels per inch give -11.
int HeightFromPoints(int points, int pixelsPerInch = screenPixelsPerInch);

// Metrics of a realised font in pixels. height = ascent + descent is the cell height, the same for
// every string; internalLeading = height - character height.
struct TextMetrics {
    int height = 0;
    int ascent = 0;
    int descent = 0;
    int internalLeading = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};

// The family name and file that the font backend picks for a font description (for tests and
// reports); the Windows backend names no file.
struct ResolvedFont {
    std::string family;
    std::string file;
};
ResolvedFont ResolveFont(const FontDesc& font);

} // namespace mouldview::raster
