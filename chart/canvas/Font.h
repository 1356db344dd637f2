// The framework font: a face name, a size (points, or pixels through Height), colour, style flags,
// character set, rotation, and the pixels-per-inch that turns points into pixels.
#pragma once

#include "chart/canvas/ChartColors.h"

#include <functional>
#include <string>

namespace mouldview::chart {

enum TFontStyle : unsigned { fsBold = 1U, fsItalic = 2U, fsUnderline = 4U, fsStrikeOut = 8U };
// A set of TFontStyle flags.
using TFontStyles = unsigned;

inline constexpr int DEFAULT_CHARSET = 1;
inline constexpr int DefaultPixelsPerInch = 96;

// a * b / c rounded half away from zero, as the platform converts between points and pixels.
int MulDiv(int a, int b, int c);

class TFont {
public:
    explicit TFont(std::function<void()> onChange = {});
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    virtual ~TFont() = default;

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value);
    // Negative: the character height in pixels (the usual form); positive: the cell height.
    int Height() const { return m_height; }
    void SetHeight(int value);
    // Points, derived from Height and PixelsPerInch (8 points at 96 per inch is Height -11).
    int Size() const;
    void SetSize(int value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles value);
    int Charset() const { return m_charset; }
    void SetCharset(int value);
    // Writing direction in tenths of a degree, counter-clockwise.
    int Orientation() const { return m_orientation; }
    void SetOrientation(int value);
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value);

    // Copies name, height, colour, style, character set, orientation and pixels-per-inch.
    virtual void Assign(const TFont& source);

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed() const;

private:
    std::string m_name = "MS Sans Serif";
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontStyles m_style = 0;
    int m_charset = DEFAULT_CHARSET;
    int m_orientation = 0;
    int m_pixelsPerInch = DefaultPixelsPerInch;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
