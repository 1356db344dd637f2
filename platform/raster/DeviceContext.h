// A device context over a Bitmap with the semantics of the platform's 2D drawing interface: pens,
// brushes, raster operations, background mode, fonts and text, rectangular clipping and block copies.
//
// Pixel conventions (all of this layer):
// - Coordinates are integer pixels, x to the right, y downwards; pixel (0, 0) is the top-left one.
// - Rectangles are half-open: Rect{l, t, r, b} holds pixels l..r-1 by t..b-1. FillRect paints exactly
//   those pixels.
// - Rectangle(x0, y0, x1, y1) strokes its outline on columns x0 and x1-1 and rows y0 and y1-1 and
//   fills the pixels inside (x0+1..x1-2 by y0+1..y1-2) with the brush. With a Clear pen it fills
//   x0..x1-2 by y0..y1-2, one pixel short of the rectangle on the right and the bottom, as the
//   platform does.
// - With a cosmetic (1-pixel) pen, MoveTo/LineTo and Polyline never paint the end pixel of a
//   segment, so every joint of a polyline is painted exactly once (as the first pixel of the next
//   segment) and its last point not at all. A cosmetic line paints, for each step i = 0..n-1 along its major
//   axis (n = max(|dx|, |dy|); x-major when |dx| >= |dy|), the pixel whose minor coordinate is nearest to the
//   exact line, a tie going to the pixel nearer the line's start.
// - Wide (geometric) strokes and polygons are sampled at pixel positions: pixel (x, y) is painted
//   when the point (x, y) lies in the shape, edges on the left and top included, on the right and
//   bottom excluded. A horizontal line of width w from (x0, y) to (x1, y) with flat caps therefore
//   covers columns x0..x1-1 and rows y - w/2 .. y - w/2 + w - 1. Polygon fills follow the
//   polygon fill mode (alternate, even-odd, by default); Polygon strokes the closed outline after
//   the fill, through every vertex.
// - Every wide stroke is one region: pixels covered by several pieces of one LineTo, Polyline,
//   Rectangle or Polygon outline (caps, joins, overlapping dashes) are painted once, so the
//   raster operation applies once per pixel and pmNotXor-style drawing undoes itself. A cosmetic
//   stroke paints each of its steps once; only a path that crosses itself paints the crossing
//   pixel again. Drawing the same thing twice with pmNotXor (or XorPen) restores every pixel.
// - The raster operation (Rop2) applies to pen strokes and to the brush fill of Rectangle and
//   Polygon, gaps painted in opaque mode included. FillRect, SetPixel, text and BitBlt copy their
//   colours unchanged, as on the platform.
// - Nothing outside the clip rectangle (and outside the bitmap) is ever touched, text included.
// - Anti-aliasing: none for lines and fills; text glyphs are grey-scale, blended in the text colour.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Brush.h"
#include "platform/raster/Colors.h"
#include "platform/raster/Font.h"
#include "platform/raster/Geometry.h"
#include "platform/raster/Pen.h"
#include "platform/raster/RasterModes.h"

#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace mouldview::raster {

class FontInstance;
class SpanSet;

class DeviceContext {
public:
    // A context drawing into `target`, which must outlive it. Initial state: black solid cosmetic
    // pen, white solid brush, CopyPen, opaque background mode with white background, black text,
    // TA_LEFT | TA_TOP, no extra character spacing, alternate fill mode, the default FontDesc, no
    // clip, current position (0, 0).
    explicit DeviceContext(Bitmap& target);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    Bitmap& Target() { return m_target; }
    const Bitmap& Target() const { return m_target; }

    // Drawing state.
    const Pen& GetPen() const { return m_pen; }
    void SetPen(const Pen& pen);
    const Brush& GetBrush() const { return m_brush; }
    void SetBrush(const Brush& brush);
    RasterOp GetRop2() const { return m_rop; }
    void SetRop2(RasterOp op) { m_rop = op; }
    BkMode GetBkMode() const { return m_bkMode; }
    void SetBkMode(BkMode mode) { m_bkMode = mode; }
    ColorRef GetBkColor() const { return m_bkColor; }
    // A background colour that is not paintable (clNone, clDefault) leaves gaps unpainted even in
    // opaque mode.
    void SetBkColor(ColorRef color) { m_bkColor = color; }
    ColorRef GetTextColor() const { return m_textColor; }
    void SetTextColor(ColorRef color) { m_textColor = color; }
    unsigned GetTextAlign() const { return m_textAlign; }
    void SetTextAlign(unsigned flags) { m_textAlign = flags; }
    // Extra pixels added after every character, in text output and in text extents.
    int GetTextCharacterExtra() const { return m_charExtra; }
    void SetTextCharacterExtra(int extra) { m_charExtra = extra; }
    PolyFillMode GetPolyFillMode() const { return m_fillMode; }
    void SetPolyFillMode(PolyFillMode mode) { m_fillMode = mode; }
    const FontDesc& GetFont() const { return m_font; }
    // Selects a font; the face is realised (and cached process-wide) on first use. Setting the
    // font that is already selected costs only the comparison.
    void SetFont(const FontDesc& font);

    // Lines. MoveTo returns the previous current position; LineTo strokes from the current position
    // to (x, y) without its end pixel and makes (x, y) the current position.
    Point MoveTo(int x, int y);
    void LineTo(int x, int y);
    Point CurrentPosition() const { return m_position; }
    // Strokes through the points in order, open; fewer than 2 points draw nothing. Does not change
    // the current position.
    void Polyline(std::span<const Point> points);

    // Fills with the brush (fill mode and Rop2 applied), then strokes the closed outline with the
    // pen. Fewer than 2 points draw nothing.
    void Polygon(std::span<const Point> points);
    // See the conventions above; the corners may come in any order.
    void Rectangle(int x0, int y0, int x1, int y1);
    // Fills rect's pixels with the current brush (or with `brush`); no outline, no raster operation.
    void FillRect(const Rect& rect);
    void FillRect(const Rect& rect, const Brush& brush);

    // One pixel in `color` (no raster operation); nothing for a colour that is not paintable or a
    // pixel outside the clip.
    void SetPixel(int x, int y, ColorRef color);
    // The pixel's colour (0x00BBGGRR), or CLR_INVALID outside the clip or the bitmap.
    static constexpr ColorRef CLR_INVALID = 0xFFFFFFFF;
    ColorRef GetPixel(int x, int y) const;

    // Text (UTF-8) at reference point (x, y) interpreted by the text alignment along the writing
    // direction of the font's escapement: at 90 degrees the text reads bottom to top and TA_LEFT
    // puts the reference point at its lower end. In opaque background mode the text's cell
    // (extent box, turned with the text) is first filled with the background colour. Underline
    // and strike-out are drawn as bars along the text in the text colour.
    void TextOut(int x, int y, std::string_view text);
    // Width: the sum of the characters' advance widths plus the extra spacing after each one;
    // height: the cell height. Both along the writing direction (unrotated).
    Size GetTextExtent(std::string_view text);
    TextMetrics GetTextMetrics();

    // Clipping. The clip is one rectangle or none (the whole bitmap); drawing is always bounded by
    // the bitmap as well. IntersectClip narrows the current clip (or the whole bitmap) to rect;
    // SetClip replaces it; RemoveClip is SetClip(std::nullopt). Saving and restoring a clip is
    // GetClip followed later by SetClip.
    std::optional<Rect> GetClip() const { return m_clip; }
    void SetClip(std::optional<Rect> clip) { m_clip = clip; }
    void IntersectClip(const Rect& rect);
    void RemoveClip() { m_clip.reset(); }

    // Copies `source` (its whole extent) so that its top-left pixel lands on (x, y), clipped; a
    // plain source copy, one memory block per row.
    void BitBlt(int x, int y, const Bitmap& source);
    // Copies the width x height block at (sourceX, sourceY) of `source` to (x, y), clipped to both
    // bitmaps and the clip.
    void BitBlt(int x, int y, int width, int height, const Bitmap& source, int sourceX, int sourceY);

private:
    Rect EffectiveClip() const;
    FontInstance& CurrentFont();
    bool PenPaints() const;
    bool IsCosmetic() const;
    void Stroke(std::span<const Point> points, bool closed, long long& patternPosition);
    void StrokeCosmetic(std::span<const Point> points, bool closed, long long& patternPosition);
    void StrokeWide(std::span<const Point> points, bool closed);
    void FillSpans(SpanSet& spans, const Brush& brush, RasterOp rop);
    void FillRectangle(int x0, int y0, int x1, int y1, const Brush& brush, RasterOp rop);

    Bitmap& m_target;
    Pen m_pen;
    Brush m_brush;
    RasterOp m_rop = RasterOp::CopyPen;
    BkMode m_bkMode = BkMode::Opaque;
    ColorRef m_bkColor = 0x00FFFFFF;
    ColorRef m_textColor = 0;
    unsigned m_textAlign = TA_LEFT | TA_TOP;
    int m_charExtra = 0;
    PolyFillMode m_fillMode = PolyFillMode::Alternate;
    FontDesc m_font;
    FontInstance* m_fontInstance = nullptr;
    std::optional<Rect> m_clip;
    Point m_position;
    // Position in the cosmetic pen pattern, carried from one LineTo to the next.
    long long m_patternPosition = 0;
};

} // namespace mouldview::raster
