// Text output and measurement of the device context: the string is laid out along its writing
// direction (advance widths plus the extra spacing), placed by the alignment flags, turned by the
// font's escapement, and its cached grey-scale glyphs are blended in the text colour.
#include "platform/raster/DeviceContext.h"
#include "platform/raster/FontEngine.h"
#include "platform/raster/ScanConverter.h"
#include "platform/raster/SpanPainter.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace mouldview::raster {
namespace {

// UTF-8 decoding; a byte that does not start a well-formed sequence stands for itself (Latin-1),
// so that single-byte text still shows.
template <typename Visit> void ForEachCodePoint(std::string_view text, Visit visit) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    std::size_t i = 0;
    while (i < size) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            visit(static_cast<char32_t>(lead));
            ++i;
            continue;
        }
        const int length = lead >= 0xF0 && lead < 0xF5   ? 4
                           : lead >= 0xE0                ? 3
                           : lead >= 0xC2 && lead < 0xE0 ? 2
                                                         : 0;
        char32_t code = length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= size;
        for (int k = 1; valid && k < length; ++k) {
            const unsigned char next = bytes[i + static_cast<std::size_t>(k)];
            valid = (next & 0xC0u) == 0x80u;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (valid && ((length == 3 && code < 0x800) || (length == 4 && (code < 0x10000 || code > 0x10FFFF)) ||
                      (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (valid) {
            visit(code);
            i += static_cast<std::size_t>(length);
        } else {
            visit(static_cast<char32_t>(lead));
            ++i;
        }
    }
}

void BlendGlyph(Bitmap& target, const Rect& clip, int left, int top, const GlyphImage& glyph, Pixel color) {
    const int x0 = std::max(left, clip.left);
    const int x1 = std::min(left + glyph.width, clip.right);
    const int y0 = std::max(top, clip.top);
    const int y1 = std::min(top + glyph.height, clip.bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    // Red and blue are blended together in one word (0x00RR00BB), green alone; the weight is the
    // coverage scaled to 0..256 so that full coverage gives the text colour exactly.
    const std::uint32_t colorRB = color & 0x00FF00FFu;
    const std::uint32_t colorG = color & 0x0000FF00u;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* coverage =
            glyph.coverage.data() + static_cast<std::ptrdiff_t>(y - top) * glyph.width - left;
        Pixel* row = target.Row(y);
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t alpha = coverage[x];
            if (alpha == 0)
                continue;
            const std::uint32_t weight = alpha + (alpha >> 7);
            const Pixel d = row[x];
            const std::uint32_t dRB = d & 0x00FF00FFu;
            const std::uint32_t dG = d & 0x0000FF00u;
            const std::uint32_t rb = ((colorRB * weight + dRB * (256 - weight)) >> 8) & 0x00FF00FFu;
            const std::uint32_t g = ((colorG * weight + dG * (256 - weight)) >> 8) & 0x0000FF00u;
            row[x] = rb | g;
        }
    }
}

int RoundToInt(double v) {
    return static_cast<int>(std::floor(v + 0.5));
}

// The writing direction: text-frame offsets (u along the text, v downwards across it) turned into
// bitmap offsets. Quarter turns use exact sines so that turned text lands on whole pixels.
struct Direction {
    int tenths;
    double c;
    double s;

    explicit Direction(int escapement) {
        tenths = ((escapement % 3600) + 3600) % 3600;
        switch (tenths) {
        case 0:
            c = 1, s = 0;
            break;
        case 900:
            c = 0, s = 1;
            break;
        case 1800:
            c = -1, s = 0;
            break;
        case 2700:
            c = 0, s = -1;
            break;
        default:
            c = std::cos(tenths * std::numbers::pi / 1800.0);
            s = std::sin(tenths * std::numbers::pi / 1800.0);
        }
    }
    double X(double u, double v) const { return u * c + v * s; }
    double Y(double u, double v) const { return -u * s + v * c; }
};

} // namespace

Size DeviceContext::GetTextExtent(std::string_view text) {
    FontInstance& font = CurrentFont();
    int width = 0;
    ForEachCodePoint(text, [&](char32_t code) { width += font.Char(code).advance + m_charExtra; });
    return Size{width, font.Metrics().height};
}

TextMetrics DeviceContext::GetTextMetrics() {
    return CurrentFont().Metrics();
}

void DeviceContext::TextOut(int x, int y, std::string_view text) {
    FontInstance& font = CurrentFont();
    const TextMetrics& metrics = font.Metrics();
    const Rect clip = EffectiveClip();
    // A reference point this far out cannot bring any text into a bitmap; leaving early also keeps
    // the placement arithmetic below far from overflowing.
    constexpr int reach = 1 << 29;
    if (clip.IsEmpty() || text.empty() || x < -reach || x > reach || y < -reach || y > reach)
        return;
    const Direction direction(m_font.escapement);
    const int width = GetTextExtent(text).cx;

    // Reference point in the text frame: u from the start of the text, v from the baseline.
    const unsigned horizontal = m_textAlign & TA_CENTER;
    const unsigned vertical = m_textAlign & TA_BASELINE;
    const int u0 = horizontal == TA_CENTER ? -(width / 2) : horizontal == TA_RIGHT ? -width : 0;
    const int baseline = vertical == TA_BASELINE ? 0
                         : vertical == TA_BOTTOM ? -metrics.descent
                                                 : metrics.ascent;

    // Fills u0..u0+width by v0..v1 of the text frame in `color` (copied, no raster operation).
    auto fillBand = [&](int v0, int v1, Pixel color) {
        SpanSet spans(clip);
        if (direction.tenths == 0) {
            for (int row = std::max(y + v0, clip.top); row < std::min(y + v1, clip.bottom); ++row)
                spans.Add(row, x + u0, x + u0 + width);
        } else {
            // Corners turned around the reference point; the sampling rule of polygons keeps a
            // quarter-turned band exactly as many pixels wide and high as the upright one.
            const double corners[4][2] = {{static_cast<double>(u0), static_cast<double>(v0)},
                                          {static_cast<double>(u0 + width), static_cast<double>(v0)},
                                          {static_cast<double>(u0 + width), static_cast<double>(v1)},
                                          {static_cast<double>(u0), static_cast<double>(v1)}};
            std::vector<PointF> polygon;
            for (const auto& corner : corners)
                polygon.push_back(
                    PointF{x + direction.X(corner[0], corner[1]), y + direction.Y(corner[0], corner[1])});
            ScanPolygon(polygon, PolyFillMode::Winding, clip.top, clip.bottom, spans);
        }
        spans.Normalize();
        SpanPainter painter(m_target, clip);
        const RopMasks copy(RasterOp::CopyPen, color);
        for (const Span& span : spans.Spans())
            painter.PaintSpan(span.y, span.x0, span.x1, copy);
    };

    if (m_bkMode == BkMode::Opaque && IsPaintable(m_bkColor))
        fillBand(baseline - metrics.ascent, baseline + metrics.descent, ToPixel(m_bkColor));
    if (!IsPaintable(m_textColor))
        return;
    const Pixel color = ToPixel(m_textColor);

    int advance = u0;
    if (direction.tenths == 0) {
        const int originY = y + baseline;
        ForEachCodePoint(text, [&](char32_t code) {
            const CharInfo& info = font.Char(code);
            const GlyphImage& glyph = *info.upright;
            BlendGlyph(m_target, clip, x + advance + glyph.left, originY - glyph.top, glyph, color);
            advance += info.advance + m_charExtra;
        });
    } else {
        ForEachCodePoint(text, [&](char32_t code) {
            const CharInfo& info = font.Char(code);
            const GlyphImage& glyph = font.Glyph(info, direction.tenths);
            const int originX = x + RoundToInt(direction.X(advance, baseline));
            const int originY = y + RoundToInt(direction.Y(advance, baseline));
            BlendGlyph(m_target, clip, originX + glyph.left, originY - glyph.top, glyph, color);
            advance += info.advance + m_charExtra;
        });
    }
    if (m_font.underline) {
        const Bar bar = font.Underline();
        fillBand(baseline + bar.offset, baseline + bar.offset + bar.thickness, color);
    }
    if (m_font.strikeOut) {
        const Bar bar = font.StrikeOut();
        fillBand(baseline + bar.offset, baseline + bar.offset + bar.thickness, color);
    }
}

} // namespace mouldview::raster
