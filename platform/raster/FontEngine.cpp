// The metrics of a face in the platform's rules, and the cache of characters and glyph images
// in front of the font backend.
#include "platform/raster/FontEngine.h"

#include <algorithm>
#include <cmath>

namespace mouldview::raster {
namespace {

int CeilScaled(long fontUnits, int ppem, int unitsPerEm) {
    return static_cast<int>((static_cast<long long>(fontUnits) * ppem + unitsPerEm - 1) / unitsPerEm);
}

int RoundScaled(double fontUnits, int ppem, int unitsPerEm) {
    return static_cast<int>(std::lround(fontUnits * ppem / unitsPerEm));
}

} // namespace

FaceMetrics MetricsFromFontUnits(const FontUnits& units, int logicalHeight) {
    const int unitsPerEm = units.unitsPerEm > 0 ? units.unitsPerEm : 2048;
    const long winAscent = units.hasOs2 ? units.winAscent : units.ascender;
    const long winDescent = units.hasOs2 ? units.winDescent : -units.descender;

    FaceMetrics m;
    // A positive height asks for the cell height, a negative one for the character height.
    const int requested = logicalHeight == 0 ? 12 : logicalHeight;
    if (requested < 0)
        m.ppem = -requested;
    else
        m.ppem = static_cast<int>(std::lround(static_cast<double>(requested) * unitsPerEm /
                                              static_cast<double>(winAscent + winDescent)));
    m.ppem = std::max(m.ppem, 1);

    TextMetrics& text = m.text;
    text.ascent = CeilScaled(winAscent, m.ppem, unitsPerEm);
    text.descent = CeilScaled(winDescent, m.ppem, unitsPerEm);
    text.height = text.ascent + text.descent;
    text.internalLeading = text.height - m.ppem;
    text.averageCharWidth = units.hasOs2
                                ? RoundScaled(static_cast<double>(units.averageCharWidth), m.ppem, unitsPerEm)
                                : m.ppem / 2;
    text.maxCharWidth = RoundScaled(static_cast<double>(units.bboxWidth), m.ppem, unitsPerEm);

    // The underline position is the bar's centre; the bar starts half its thickness above it.
    const int underlineThickness =
        std::max(1, RoundScaled(static_cast<double>(units.underlineThickness), m.ppem, unitsPerEm));
    const double underlineCentre = -static_cast<double>(units.underlinePosition) * m.ppem / unitsPerEm;
    m.underline =
        Bar{static_cast<int>(std::lround(underlineCentre - underlineThickness / 2.0)), underlineThickness};
    if (m.underline.offset < 1)
        m.underline.offset = 1;
    if (units.hasOs2 && units.strikeoutSize > 0) {
        m.strikeOut =
            Bar{-RoundScaled(static_cast<double>(units.strikeoutPosition), m.ppem, unitsPerEm),
                std::max(1, RoundScaled(static_cast<double>(units.strikeoutSize), m.ppem, unitsPerEm))};
    } else {
        m.strikeOut = Bar{-text.ascent / 3, underlineThickness};
    }
    return m;
}

FontInstance::FontInstance(const FontDesc& desc) : m_face(OpenFontFace(desc, m_metrics)) {}

GlyphImage FontInstance::Render(unsigned glyphIndex, int angleTenths, int* advance) {
    ++m_renderCount;
    return RenderGlyph(*m_face, glyphIndex, angleTenths, advance);
}

const CharInfo& FontInstance::LoadChar(char32_t code) {
    const auto found = m_chars.find(code);
    if (found != m_chars.end())
        return found->second;
    CharInfo info;
    info.glyphIndex = GlyphIndexOf(*m_face, code);
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

FontInstance& FontEngine::Get(const FontDesc& desc) {
    auto key = std::make_tuple(desc.faceName, desc.height, desc.bold, desc.italic);
    auto found = m_fonts.find(key);
    if (found == m_fonts.end())
        found = m_fonts.emplace(std::move(key), std::make_unique<FontInstance>(desc)).first;
    return *found->second;
}

} // namespace mouldview::raster
