// Internal: realised fonts, their Windows-style metrics, and the glyph cache that keeps every
// rendered glyph image for reuse. The glyphs themselves come from the system's font backend,
// chosen at build time: FreeType with fontconfig on Linux (FontFaceFreeType.cpp), GDI on Windows
// (FontFaceGdi.cpp). Metrics, caching, layout and blending are the same code on both.
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

// The figures of a face's tables that the metrics are made from, in font units: the head table's
// units per em and bounding box, the OS/2 table's Windows ascent and descent, average width and
// strike-out bar (hasOs2 false when the face has no OS/2 table), the post table's underline.
struct FontUnits {
    int unitsPerEm = 2048;
    long ascender = 0; // typographic, used only without an OS/2 table
    long descender = 0;
    long bboxWidth = 0;
    bool hasOs2 = false;
    long winAscent = 0;
    long winDescent = 0;
    long averageCharWidth = 0;
    long strikeoutPosition = 0;
    long strikeoutSize = 0;
    long underlinePosition = 0;
    long underlineThickness = 0;
};

// A face at one pixel size with its metrics in pixels.
struct FaceMetrics {
    int ppem = 0;
    TextMetrics text;
    Bar underline;
    Bar strikeOut;
};

// The metrics of a face for a logical height (FontDesc::height): the em size comes from the
// height, the cell height and ascent from the Windows ascent and descent, each scaled to pixels
// and rounded up so that the cell holds the font's whole declared extent ("Arial" at 11 pixels:
// ascent 10, descent 3, cell 13).
FaceMetrics MetricsFromFontUnits(const FontUnits& units, int logicalHeight);

// The backend's face at one pixel size.
struct FontFace;
struct FontFaceDeleter {
    void operator()(FontFace* face) const;
};
using FontFacePtr = std::unique_ptr<FontFace, FontFaceDeleter>;

// Opens the face for `desc` and sets `metrics`; throws runtime::ERunError when no face is found.
FontFacePtr OpenFontFace(const FontDesc& desc, FaceMetrics& metrics);
// The face's glyph for a character (0, the missing-character glyph, when it has none).
unsigned GlyphIndexOf(FontFace& face, char32_t code);
// Renders a glyph turned by `angleTenths` (0..3599, counter-clockwise) around its origin, hinted
// and grey-scale; sets *advance to its upright advance width in whole pixels when asked.
GlyphImage RenderGlyph(FontFace& face, unsigned glyphIndex, int angleTenths, int* advance);

// One face at one pixel size; characters and glyph images are rendered once and then served from
// the cache.
class FontInstance {
public:
    explicit FontInstance(const FontDesc& desc);

    const TextMetrics& Metrics() const { return m_metrics.text; }
    int PixelsPerEm() const { return m_metrics.ppem; }
    Bar Underline() const { return m_metrics.underline; }
    Bar StrikeOut() const { return m_metrics.strikeOut; }

    const CharInfo& Char(char32_t code) {
        if (code < m_ascii.size() && m_ascii[code] != nullptr)
            return *m_ascii[code];
        return LoadChar(code);
    }
    // The glyph turned by `angleTenths` (0..3599, counter-clockwise) around its origin.
    const GlyphImage& Glyph(const CharInfo& info, int angleTenths);
    // How many glyph images the backend has rendered for this font so far (the cache's misses).
    std::size_t RenderCount() const { return m_renderCount; }

private:
    const CharInfo& LoadChar(char32_t code);
    GlyphImage Render(unsigned glyphIndex, int angleTenths, int* advance);

    FaceMetrics m_metrics;
    FontFacePtr m_face;
    std::unordered_map<char32_t, CharInfo> m_chars;
    std::array<const CharInfo*, 128> m_ascii{};
    std::unordered_map<std::uint64_t, GlyphImage> m_glyphs;
    std::size_t m_renderCount = 0;
};

// The realised fonts of the process, keyed by face name, height and style.
class FontEngine {
public:
    static FontEngine& Instance();
    FontInstance& Get(const FontDesc& desc);

private:
    FontEngine() = default;

    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<FontInstance>> m_fonts;
};

} // namespace mouldview::raster
