// A drawing surface with fixed text metrics for layout tests: every text is a chosen number of
// pixels wide per character (or a width set for that exact text) and 13 pixels high, like "Arial"
// 8 points, without FreeType. Text output draws nothing and is recorded instead; everything else
// (lines, fills, clipping, frames) draws into the surface's own window bitmap as usual.
#pragma once

#include "chart/canvas/ChartCanvas.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mouldview::test_support {

namespace detail {
// Holds the window bitmap so it exists before the surface that draws on it.
struct FixedMetricWindow {
    FixedMetricWindow(int width, int height) : Window(width, height) {}
    raster::Bitmap Window;
};
} // namespace detail

class FixedMetricCanvas : private detail::FixedMetricWindow, public chart::TChartCanvas {
public:
    // One recorded TextOut: the reference point, the text, and the state it was drawn with.
    struct TextCall {
        int X = 0;
        int Y = 0;
        std::string Text;
        unsigned Alignment = 0;
        int Orientation = 0; // tenths of a degree, as TextOutRotated set it
        chart::TColor Color = chart::clBlack;
        std::string FontName;
        int FontHeight = 0;
    };

    explicit FixedMetricCanvas(int width = 447, int height = 202)
        : detail::FixedMetricWindow(width, height), chart::TChartCanvas(Window) {}

    // Pixels per character (code point) of texts without a width of their own; default 6.
    void SetCharWidth(int width) { m_charWidth = width; }
    // A width for one exact text, overriding the per-character width.
    void SetTextWidthOf(const std::string& text, int width) { m_widths[text] = width; }

    int TextWidth(std::string_view text) override {
        const auto found = m_widths.find(std::string(text));
        return found != m_widths.end() ? found->second : CodePoints(text) * m_charWidth;
    }
    int TextHeight(std::string_view /*text*/) override { return 13; }
    void TextOut(int x, int y, std::string_view text) override {
        const raster::DeviceContext& dc = Target();
        m_textCalls.push_back(TextCall{x, y, std::string(text), dc.GetTextAlign(), dc.GetFont().escapement,
                                       dc.GetTextColor(), dc.GetFont().faceName, dc.GetFont().height});
    }

    const std::vector<TextCall>& TextCalls() const { return m_textCalls; }
    // The colour of a pixel of the window bitmap the surface draws on between frames.
    chart::TColor At(int x, int y) const { return raster::FromPixel(Window.GetPixel(x, y)); }
    void ClearTextCalls() { m_textCalls.clear(); }

private:
    static int CodePoints(std::string_view text) {
        int count = 0;
        for (const char c : text) {
            if ((static_cast<unsigned char>(c) & 0xC0U) != 0x80U) {
                ++count;
            }
        }
        return count;
    }

    int m_charWidth = 6;
    std::map<std::string, int> m_widths;
    std::vector<TextCall> m_textCalls;
};

} // namespace mouldview::test_support
