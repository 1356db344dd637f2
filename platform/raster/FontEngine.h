// Internal: fonts realised with FreeType (found through fontconfig), their Windows-style metrics,
// and the glyph cache that keeps every rendered glyph image for reuse.
#pragma once

#include "platform/raster/Font.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace mouldview::raster {

// A grey-scale glyph image: `coverage` holds width x height bytes (0 = untouched, 255 = full),
// row by row from the top. Its top-left pixel lies `left` pixels right of and `top` pixels above
// the glyph's origin on the baseline.
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> coverage;
};

// A character of one font: its glyph, its advance width in whole pixels and its upright image.
struct CharInfo {
    unsigned glyphIndex = 0;
    int advance = 0;
    const GlyphImage* upright = nullptr;
};

// Placement of underline and strike-out bars: the first row as an offset below the baseline
// (negative above it) and the thickness in rows.
struct Bar {
    int offset = 0;
    int thickness = 1;
};

// One face at one pixel size; characters and glyph images are rendered once and then served from
// the cache.
class FontInstance {
public:
    FontInstance(FT_Library library, const FontDesc& desc);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const TextMetrics& Metrics() const { return m_metrics; }
    int PixelsPerEm() const { return m_ppem; }
    Bar Underline() const { return m_underline; }
    Bar StrikeOut() const { return m_strikeOut; }

    const CharInfo& Char(char32_t code) {
        if (code < m_ascii.size() && m_ascii[code] != nullptr)
            return *m_ascii[code];
        return LoadChar(code);
    }
    // The glyph turned by `angleTenths` (0..3599, counter-clockwise) around its origin.
    const GlyphImage& Glyph(const CharInfo& info, int angleTenths);
    // How many glyph images FreeType has rendered for this font so far (the cache's misses).
    std::size_t RenderCount() const { return m_renderCount; }

private:
    const CharInfo& LoadChar(char32_t code);
    GlyphImage Render(unsigned glyphIndex, int angleTenths, int* advance);

    FT_Face m_face = nullptr;
    int m_ppem = 0;
    bool m_syntheticBold = false;
    bool m_syntheticItalic = false;
    TextMetrics m_metrics;
    Bar m_underline;
    Bar m_strikeOut;
    std::unordered_map<char32_t, CharInfo> m_chars;
    std::array<const CharInfo*, 128> m_ascii{};
    std::unordered_map<std::uint64_t, GlyphImage> m_glyphs;
    std::size_t m_renderCount = 0;
};

// The process-wide FreeType library and the realised fonts, keyed by face name, height and style.
class FontEngine {
public:
    static FontEngine& Instance();
    FontInstance& Get(const FontDesc& desc);

    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

private:
    FontEngine();

    FT_Library m_library = nullptr;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<FontInstance>> m_fonts;
};

} // namespace mouldview::raster
