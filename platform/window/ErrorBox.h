// The error box's layout and pixels: an error mark, one line of text and an OK button, painted
// with the raster layer alone, so the box needs nothing of the desktop beyond a plain window (no
// dialog helper program, no X core fonts) and its pixels can be checked without a display.
//
// Layout, in client pixels, for a text W pixels wide and H pixels high in the box font (Tahoma,
// 8 points, the form's font):
// - the message area, rows 0 .. M - 1 with M = 2 * Margin + max(IconSize, H), in the window
//   colour: the error mark (a red disc with a white cross) in the IconSize square at
//   (Margin, Margin), the text in the window text colour with its top-left corner at
//   (TextLeft, Margin + (IconSize - H) / 2) when H < IconSize (else at (TextLeft, Margin));
// - the button strip below it, ButtonHeight + 2 * StripPadding rows in the button face colour,
//   with the OK button of ButtonWidth x ButtonHeight pixels whose right edge lies Margin pixels
//   from the client area's right edge and whose top lies StripPadding rows below the message area;
// - the client width is TextLeft + W + Margin, or ButtonWidth + 2 * Margin when that is wider.
// The button looks like the platform's default push button: a one-pixel frame in the button text
// colour; inside it, raised, a one-pixel bevel (button highlight on the top row and left column,
// button shadow on the right column and bottom row, as the chart's panel bevel) around the button
// face; pressed, a one-pixel button-shadow frame instead and the label one pixel lower and to the
// right. The label "OK" is centred on the button: left at (ButtonWidth - w) / 2, top at
// (ButtonHeight - h) / 2 from its corner, for a label w x h pixels.
#pragma once

#include "platform/raster/Bitmap.h"
#include "platform/raster/Font.h"
#include "platform/raster/Geometry.h"

#include <string>

namespace mouldview::platform {

class ErrorBox {
public:
    static constexpr int Margin = 12;
    static constexpr int IconSize = 32;
    static constexpr int TextLeft = Margin + IconSize + Margin;
    static constexpr int StripPadding = 10;
    static constexpr int ButtonWidth = 75;
    static constexpr int ButtonHeight = 23;
    static constexpr const char* ButtonLabel = "OK";

    // The font of the text and the button label.
    static raster::FontDesc BoxFont();

    // Lays the box out for one line of text.
    explicit ErrorBox(std::string text);

    const std::string& Text() const { return m_text; }
    raster::Size ClientSize() const { return m_clientSize; }
    raster::Rect ButtonRect() const { return m_button; }
    raster::Point TextOrigin() const { return m_textOrigin; }

    // Paints the whole box into `target`, which should have the client size; the button raised or
    // pressed.
    void Paint(raster::Bitmap& target, bool buttonPressed) const;

private:
    std::string m_text;
    raster::Size m_clientSize;
    raster::Rect m_button;
    raster::Point m_textOrigin;
};

} // namespace mouldview::platform
