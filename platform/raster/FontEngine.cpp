// FreeType fonts with the platform's metrics: the character height (em size) comes from the
// logical height, the cell height and ascent from the OS/2 table's usWinAscent and usWinDescent,
// each scaled to pixels and rounded up so that the cell holds the font's whole declared extent
// ("Arial" at 11 pixels: ascent 10, descent 3, cell 13). Glyphs are hinted, rendered grey-scale
// and kept in a cache per font, one entry per glyph and angle.
#include "platform/raster/FontEngine.h"

#include "platform/runtime/Errors.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <cmath>
#include <numbers>

namespace mouldview::raster {
namespace {

int CeilScaled(long fontUnits, int ppem, int unitsPerEm) {
    return static_cast<int>((static_cast<long long>(fontUnits) * ppem + unitsPerEm - 1) / unitsPerEm);
}

int RoundScaled(double fontUnits, int ppem, int unitsPerEm) {
    return static_cast<int>(std::lround(fontUnits * ppem / unitsPerEm));
}

} // namespace

FontInstance::FontInstance(FT_Library library, const FontDesc& desc) {
    const ResolvedFont resolved = ResolveFont(desc);
    if (FT_New_Face(library, resolved.file.c_str(), 0, &m_face) != 0)
        throw runtime::ERunError("Cannot open the font file " + resolved.file);
    m_syntheticBold = desc.bold && (m_face->style_flags & FT_STYLE_FLAG_BOLD) == 0;
    m_syntheticItalic = desc.italic && (m_face->style_flags & FT_STYLE_FLAG_ITALIC) == 0;

    const int unitsPerEm = m_face->units_per_EM > 0 ? m_face->units_per_EM : 2048;
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
    const long winAscent = os2 != nullptr ? os2->usWinAscent : m_face->ascender;
    const long winDescent = os2 != nullptr ? os2->usWinDescent : -m_face->descender;

    // A positive height asks for the cell height, a negative one for the character height.
    const int requested = desc.height == 0 ? 12 : desc.height;
    if (requested < 0)
        m_ppem = -requested;
    else
        m_ppem = static_cast<int>(std::lround(static_cast<double>(requested) * unitsPerEm /
                                              static_cast<double>(winAscent + winDescent)));
    m_ppem = std::max(m_ppem, 1);
    FT_Set_Pixel_Sizes(m_face, 0, static_cast<FT_UInt>(m_ppem));

    m_metrics.ascent = CeilScaled(winAscent, m_ppem, unitsPerEm);
    m_metrics.descent = CeilScaled(winDescent, m_ppem, unitsPerEm);
    m_metrics.height = m_metrics.ascent + m_metrics.descent;
    m_metrics.internalLeading = m_metrics.height - m_ppem;
    m_metrics.averageCharWidth =
        os2 != nullptr ? RoundScaled(os2->xAvgCharWidth, m_ppem, unitsPerEm) : m_ppem / 2;
    m_metrics.maxCharWidth =
        RoundScaled(static_cast<double>(m_face->bbox.xMax - m_face->bbox.xMin), m_ppem, unitsPerEm);

    // FreeType gives the underline's centre; the bar starts half its thickness above it.
    const int underlineThickness = std::max(1, RoundScaled(m_face->underline_thickness, m_ppem, unitsPerEm));
    const double underlineCentre = -static_cast<double>(m_face->underline_position) * m_ppem / unitsPerEm;
    m_underline =
        Bar{static_cast<int>(std::lround(underlineCentre - underlineThickness / 2.0)), underlineThickness};
    if (m_underline.offset < 1)
        m_underline.offset = 1;
    if (os2 != nullptr && os2->yStrikeoutSize > 0) {
        m_strikeOut = Bar{-RoundScaled(os2->yStrikeoutPosition, m_ppem, unitsPerEm),
                          std::max(1, RoundScaled(os2->yStrikeoutSize, m_ppem, unitsPerEm))};
    } else {
        m_strikeOut = Bar{-m_metrics.ascent / 3, underlineThickness};
    }
}

FontInstance::~FontInstance() {
    if (m_face != nullptr)
        FT_Done_Face(m_face);
}

GlyphImage FontInstance::Render(unsigned glyphIndex, int angleTenths, int* advance) {
    GlyphImage image;
    ++m_renderCount;
    if (FT_Load_Glyph(m_face, glyphIndex, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0)
        return image;
    FT_GlyphSlot slot = m_face->glyph;
    if (m_syntheticItalic)
        FT_GlyphSlot_Oblique(slot);
    if (m_syntheticBold)
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

const CharInfo& FontInstance::LoadChar(char32_t code) {
    const auto found = m_chars.find(code);
    if (found != m_chars.end())
        return found->second;
    CharInfo info;
    info.glyphIndex = FT_Get_Char_Index(m_face, code);
    const std::uint64_t key = static_cast<std::uint64_t>(info.glyphIndex) * 3600;
    auto glyph = m_glyphs.find(key);
    if (glyph == m_glyphs.end())
        glyph = m_glyphs.emplace(key, Render(info.glyphIndex, 0, &info.advance)).first;
    else
        Render(info.glyphIndex, 0, &info.advance);
    info.upright = &glyph->second;
    const CharInfo& stored = m_chars.emplace(code, info).first->second;
    if (code < m_ascii.size())
        m_ascii[code] = &stored;
    return stored;
}

const GlyphImage& FontInstance::Glyph(const CharInfo& info, int angleTenths) {
    if (angleTenths == 0)
        return *info.upright;
    const std::uint64_t key =
        static_cast<std::uint64_t>(info.glyphIndex) * 3600 + static_cast<unsigned>(angleTenths);
    auto glyph = m_glyphs.find(key);
    if (glyph == m_glyphs.end())
        glyph = m_glyphs.emplace(key, Render(info.glyphIndex, angleTenths, nullptr)).first;
    return glyph->second;
}

FontEngine& FontEngine::Instance() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() {
    if (FT_Init_FreeType(&m_library) != 0)
        throw runtime::ERunError("FreeType could not be initialised");
    // The classic TrueType interpreter hints in both directions, as the platform does: stems land
    // on whole pixels and small labels stay crisp; advance widths are the hinted ones.
    FT_UInt interpreterVersion = TT_INTERPRETER_VERSION_35;
    FT_Property_Set(m_library, "truetype", "interpreter-version", &interpreterVersion);
}

FontEngine::~FontEngine() {
    m_fonts.clear();
    FT_Done_FreeType(m_library);
}

FontInstance& FontEngine::Get(const FontDesc& desc) {
    auto key = std::make_tuple(desc.faceName, desc.height, desc.bold, desc.italic);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end())
        found = m_fonts.emplace(std::move(key), std::make_unique<FontInstance>(m_library, desc)).first;
    return *found->second;
}

} // namespace mouldview::raster
