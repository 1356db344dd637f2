// Point-size conversion and font lookup through fontconfig.
#include "platform/raster/Font.h"

#include "platform/runtime/Errors.h"

#include <cstdlib>
#include <fontconfig/fontconfig.h>

namespace mouldview::raster {

int HeightFromPoints(int points, int pixelsPerInch) {
    const long long product = static_cast<long long>(points) * pixelsPerInch;
    const long long rounded = product >= 0 ? (product + 36) / 72 : -((-product + 36) / 72);
    return static_cast<int>(-rounded);
}

ResolvedFont ResolveFont(const FontDesc& font) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.faceName.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, font.bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, font.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (match == nullptr)
        throw runtime::ERunError("No font found for " + font.faceName);
    ResolvedFont resolved;
    FcChar8* value = nullptr;
    if (FcPatternGetString(match, FC_FAMILY, 0, &value) == FcResultMatch)
        resolved.family = reinterpret_cast<const char*>(value);
    if (FcPatternGetString(match, FC_FILE, 0, &value) == FcResultMatch)
        resolved.file = reinterpret_cast<const char*>(value);
    FcPatternDestroy(match);
    return resolved;
}

} // namespace mouldview::raster
