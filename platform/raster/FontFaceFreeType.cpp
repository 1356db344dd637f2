// The Linux font backend: faces found by family name through fontconfig and rendered by FreeType,
// hinted in both directions like the platform's rasterizer, grey-scale.
#include "platform/raster/FontEngine.h"
#include "platform/runtime/Errors.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <fontconfig/fontconfig.h>
#include <numbers>

namespace mouldview::raster {

// Each face has a FreeType library of its own: a process holds a handful of faces, and no
// library outlives or is shared by the faces it made.
struct FontFace {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    bool syntheticBold = false;
    bool syntheticItalic = false;

    ~FontFace() {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

void FontFaceDeleter::operator()(FontFace* face) const {
    delete face;
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

FontFacePtr OpenFontFace(const FontDesc& desc, FaceMetrics& metrics) {
    FontFacePtr font(new FontFace);
    if (FT_Init_FreeType(&font->library) != 0)
        throw runtime::ERunError("FreeType could not be initialised");
    // The classic TrueType interpreter hints in both directions, as the platform does: stems land
    // on whole pixels and small labels stay crisp; advance widths are the hinted ones.
    FT_UInt interpreterVersion = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(font->library, "truetype", "interpreter-version", &interpreterVersion);

    const ResolvedFont resolved = ResolveFont(desc);
    if (FT_New_Face(font->library, resolved.file.c_str(), 0, &font->face) != 0)
        throw runtime::ERunError("Cannot open the font file " + resolved.file);
    FT_Face face = font->face;
    font->syntheticBold = desc.bold && (face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    font->syntheticItalic = desc.italic && (face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;

    FontUnits units;
    units.unitsPerEm = face->units_per_EM;
    units.ascender = face->ascender;
    units.descender = face->descender;
    units.bboxWidth = face->bbox.xMax - face->bbox.xMin;
    units.underlinePosition = face->underline_position;
    units.underlineThickness = face->underline_thickness;
    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
        units.hasOs2 = true;
        units.winAscent = os2->usWinAscent;
        units.winDescent = os2->usWinDescent;
        units.averageCharWidth = os2->xAvgCharWidth;
        units.strikeoutPosition = os2->yStrikeoutPosition;
        units.strikeoutSize = os2->yStrikeoutSize;
    }
    metrics = MetricsFromFontUnits(units, desc.height);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(metrics.ppem));
    return font;
}

unsigned GlyphIndexOf(FontFace& face, char32_t code) {
    return FT_Get_Char_Index(face.face, code);
}

GlyphImage RenderGlyph(FontFace& font, unsigned glyphIndex, int angleTenths, int* advance) {
    GlyphImage image;
    if (FT_Load_Glyph(font.face, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
        return image;
    FT_GlyphSlot slot = font.face->glyph;
    if (font.syntheticItalic)
        FT_GlyphSlot_Oblique(slot);
    if (font.syntheticBold)
        FT_GlyphSlot_Embolden(slot);
    if (advance != nullptr)
        *advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE)
        return image;
    if (angleTenths != 0) {
        // Exact quarter turns keep the rendering an exact turn of the upright glyph.
        double c = 0;
        double s = 0;
        switch (angleTenths) {
        case 900:
            s = 1;
            break;
        case 1800:
            c = -1;
            break;
        case 2700:
            s = -1;
            break;
        default: {
            const double radians = angleTenths * std::numbers::pi / 1800.0;
            c = std::cos(radians);
            s = std::sin(radians);
        }
        }
        FT_Matrix matrix;
        matrix.xx = static_cast<FT_Fixed>(std::lround(c * 65536.0));
        matrix.xy = static_cast<FT_Fixed>(std::lround(-s * 65536.0));
        matrix.yx = static_cast<FT_Fixed>(std::lround(s * 65536.0));
        matrix.yy = static_cast<FT_Fixed>(std::lround(c * 65536.0));
        FT_Outline_Transform(&slot->outline, &matrix);
    }
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
        return image;
    const FT_Bitmap& bitmap = slot->bitmap;
    image.left = slot->bitmap_left;
    image.top = slot->bitmap_top;
    image.width = static_cast<int>(bitmap.width);
    image.height = static_cast<int>(bitmap.rows);
    image.coverage.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    for (int row = 0; row < image.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::copy(source, source + image.width,
                  image.coverage.begin() + static_cast<std::ptrdiff_t>(row) * image.width);
    }
    return image;
}

} // namespace mouldview::raster
