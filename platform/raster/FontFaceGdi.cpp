// The Windows font backend: faces realised by GDI's font mapper and glyph masks from
// GetGlyphOutline (hinted, 65 grey levels), placed and blended by this layer as on Linux. The
// metrics come from the face's own tables (GetFontData) through the same rules as on Linux, so a
// metric-compatible face lays text out identically on both systems.
#include "platform/raster/FontEngine.h"
#include "platform/runtime/Errors.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <windows.h>

namespace mouldview::raster {

// A memory device context of its own with the face selected, so that faces never disturb one
// another's selection.
struct FontFace {
    HDC dc = nullptr;
    HFONT font = nullptr;
    HGDIOBJ previous = nullptr;

    ~FontFace() {
        if (dc != nullptr) {
            if (previous != nullptr)
                SelectObject(dc, previous);
            DeleteDC(dc);
        }
        if (font != nullptr)
            DeleteObject(font);
    }
};

void FontFaceDeleter::operator()(FontFace* face) const {
    delete face;
}

namespace {

constexpr DWORD TableTag(char a, char b, char c, char d) {
    return static_cast<DWORD>(static_cast<unsigned char>(a)) |
           static_cast<DWORD>(static_cast<unsigned char>(b)) << 8 |
           static_cast<DWORD>(static_cast<unsigned char>(c)) << 16 |
           static_cast<DWORD>(static_cast<unsigned char>(d)) << 24;
}

// A whole table of the selected face (empty when the face has none).
std::string FontTable(HDC dc, DWORD tag) {
    const DWORD size = GetFontData(dc, tag, 0, nullptr, 0);
    if (size == GDI_ERROR || size == 0)
        return {};
    std::string table(size, '\0');
    if (GetFontData(dc, tag, 0, table.data(), size) != size)
        return {};
    return table;
}

// Big-endian 16-bit fields of a font table; 0 beyond its end.
long Unsigned16(const std::string& table, std::size_t offset) {
    if (offset + 2 > table.size())
        return 0;
    return static_cast<long>(static_cast<unsigned char>(table[offset])) << 8 |
           static_cast<long>(static_cast<unsigned char>(table[offset + 1]));
}

long Signed16(const std::string& table, std::size_t offset) {
    const long value = Unsigned16(table, offset);
    return value >= 0x8000 ? value - 0x10000 : value;
}

std::wstring Wide(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

HFONT CreateFace(const FontDesc& desc, int height) {
    LOGFONTW logical{};
    logical.lfHeight = height;
    logical.lfWeight = desc.bold ? FW_BOLD : FW_NORMAL;
    logical.lfItalic = desc.italic ? TRUE : FALSE;
    logical.lfCharSet = DEFAULT_CHARSET;
    logical.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    logical.lfQuality = ANTIALIASED_QUALITY;
    const std::wstring name = Wide(desc.faceName).substr(0, LF_FACESIZE - 1);
    std::copy(name.begin(), name.end(), logical.lfFaceName);
    return CreateFontIndirectW(&logical);
}

// The figures FreeType takes from the same tables: head (units per em, bounding box), hhea
// (typographic ascender and descender), OS/2 (Windows ascent and descent, average width,
// strike-out bar) and post (underline).
FontUnits ReadFontUnits(HDC dc) {
    FontUnits units;
    const std::string head = FontTable(dc, TableTag('h', 'e', 'a', 'd'));
    const std::string hhea = FontTable(dc, TableTag('h', 'h', 'e', 'a'));
    const std::string os2 = FontTable(dc, TableTag('O', 'S', '/', '2'));
    const std::string post = FontTable(dc, TableTag('p', 'o', 's', 't'));
    if (head.size() < 54)
        throw runtime::ERunError("The font has no usable head table");
    units.unitsPerEm = static_cast<int>(Unsigned16(head, 18));
    units.bboxWidth = Signed16(head, 40) - Signed16(head, 36);
    units.ascender = Signed16(hhea, 4);
    units.descender = Signed16(hhea, 6);
    if (os2.size() >= 78) {
        units.hasOs2 = true;
        units.averageCharWidth = Signed16(os2, 2);
        units.strikeoutSize = Signed16(os2, 26);
        units.strikeoutPosition = Signed16(os2, 28);
        units.winAscent = Unsigned16(os2, 74);
        units.winDescent = Unsigned16(os2, 76);
    }
    units.underlinePosition = Signed16(post, 8);
    units.underlineThickness = Signed16(post, 10);
    return units;
}

FIXED Fixed(double value) {
    const long scaled = std::lround(value * 65536.0);
    FIXED fixed;
    fixed.value = static_cast<short>(scaled >> 16);
    fixed.fract = static_cast<WORD>(scaled & 0xFFFF);
    return fixed;
}

} // namespace

ResolvedFont ResolveFont(const FontDesc& desc) {
    FontFacePtr face(new FontFace);
    face->dc = CreateCompatibleDC(nullptr);
    face->font = CreateFace(desc, -11);
    if (face->dc == nullptr || face->font == nullptr)
        throw runtime::ERunError("No font found for " + desc.faceName);
    face->previous = SelectObject(face->dc, face->font);
    wchar_t name[LF_FACESIZE] = {};
    const int length = GetTextFaceW(face->dc, LF_FACESIZE, name);
    ResolvedFont resolved;
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, name, length - 1, nullptr, 0, nullptr, nullptr);
    resolved.family.resize(static_cast<std::size_t>(std::max(bytes, 0)));
    WideCharToMultiByte(CP_UTF8, 0, name, length - 1, resolved.family.data(), bytes, nullptr, nullptr);
    return resolved;
}

FontFacePtr OpenFontFace(const FontDesc& desc, FaceMetrics& metrics) {
    FontFacePtr face(new FontFace);
    face->dc = CreateCompatibleDC(nullptr);
    if (face->dc == nullptr)
        throw runtime::ERunError("No device context for the font " + desc.faceName);
    // The face's tables do not depend on its size: read them from a face of any height, then
    // realise the face at the em size the metrics ask for.
    HFONT probe = CreateFace(desc, -64);
    if (probe == nullptr)
        throw runtime::ERunError("No font found for " + desc.faceName);
    face->previous = SelectObject(face->dc, probe);
    FontUnits units;
    try {
        units = ReadFontUnits(face->dc);
    } catch (...) {
        SelectObject(face->dc, face->previous);
        DeleteObject(probe);
        face->previous = nullptr;
        throw;
    }
    metrics = MetricsFromFontUnits(units, desc.height);
    face->font = CreateFace(desc, -metrics.ppem);
    SelectObject(face->dc, face->font);
    DeleteObject(probe);
    if (face->font == nullptr)
        throw runtime::ERunError("No font found for " + desc.faceName);
    return face;
}

unsigned GlyphIndexOf(FontFace& face, char32_t code) {
    // GDI maps characters of the basic multilingual plane only; others show the missing glyph.
    if (code > 0xFFFF)
        return 0;
    const auto character = static_cast<wchar_t>(code);
    WORD glyph = 0;
    if (GetGlyphIndicesW(face.dc, &character, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR ||
        glyph == 0xFFFF)
        return 0;
    return glyph;
}

GlyphImage RenderGlyph(FontFace& face, unsigned glyphIndex, int angleTenths, int* advance) {
    GlyphImage image;
    // Exact quarter turns keep the rendering an exact turn of the upright glyph.
    double c = 1;
    double s = 0;
    switch (angleTenths) {
    case 0:
        break;
    case 900:
        c = 0, s = 1;
        break;
    case 1800:
        c = -1;
        break;
    case 2700:
        c = 0, s = -1;
        break;
    default:
        c = std::cos(angleTenths * std::numbers::pi / 1800.0);
        s = std::sin(angleTenths * std::numbers::pi / 1800.0);
    }
    // Outline coordinates turn counter-clockwise with y upwards: x' = c x - s y, y' = s x + c y.
    MAT2 matrix;
    matrix.eM11 = Fixed(c);
    matrix.eM12 = Fixed(s);
    matrix.eM21 = Fixed(-s);
    matrix.eM22 = Fixed(c);
    GLYPHMETRICS glyph{};
    constexpr UINT format = GGO_GRAY8_BITMAP | GGO_GLYPH_INDEX;
    const DWORD size = GetGlyphOutlineW(face.dc, glyphIndex, format, &glyph, 0, nullptr, &matrix);
    if (size == GDI_ERROR)
        return image;
    if (advance != nullptr)
        *advance = glyph.gmCellIncX;
    // A blank glyph (the space) has no bitmap, only its advance.
    if (size == 0)
        return image;
    std::string bits(size, '\0');
    if (GetGlyphOutlineW(face.dc, glyphIndex, format, &glyph, size, bits.data(), &matrix) == GDI_ERROR)
        return image;
    image.left = glyph.gmptGlyphOrigin.x;
    image.top = glyph.gmptGlyphOrigin.y;
    image.width = static_cast<int>(glyph.gmBlackBoxX);
    image.height = static_cast<int>(glyph.gmBlackBoxY);
    image.coverage.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
    // Rows are padded to whole 32-bit words; levels run from 0 to 64 and are scaled to 0 to 255.
    const std::size_t pitch = (static_cast<std::size_t>(image.width) + 3) & ~std::size_t{3};
    for (int row = 0; row < image.height; ++row) {
        const auto* source =
            reinterpret_cast<const unsigned char*>(bits.data()) + pitch * static_cast<std::size_t>(row);
        std::uint8_t* target = image.coverage.data() + static_cast<std::ptrdiff_t>(row) * image.width;
        for (int x = 0; x < image.width; ++x)
            target[x] = static_cast<std::uint8_t>((std::min<unsigned>(source[x], 64) * 255 + 32) / 64);
    }
    return image;
}

} // namespace mouldview::raster
