// The chart's titles: text lines above the plot (`Title`, `SubTitle`) or below it (`Foot`,
// `SubFoot`), centred by default, in a box that fits the text and is transparent by default.
#pragma once

#include "chart/panel/ChartShape.h"

#include <string>
#include <vector>

namespace mouldview::chart {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextFormat { ttfNormal, ttfHtml };

class TChartTitle : public TChartCustomShapePosition {
public:
    // onTop: placed above the plot (a title) rather than below it (a foot).
    TChartTitle(std::function<void()> onChange, bool onTop = true);

    const std::vector<std::string>& Text() const { return m_text; }
    void SetText(std::vector<std::string> lines);
    // One line of text (no line at all for an empty caption).
    void SetCaption(const std::string& caption);
    bool OnTop() const { return m_onTop; }
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value) { Store(m_alignment, value); }
    // The box is fitted to the text's width rather than spanning the plot.
    bool AdjustFrame() const { return m_adjustFrame; }
    void SetAdjustFrame(bool value) { Store(m_adjustFrame, value); }
    TTextFormat TextFormat() const { return m_textFormat; }
    void SetTextFormat(TTextFormat value) { Store(m_textFormat, value); }
    // The chart's `Frame` of a title: an alias of the outline pen.
    TChartPen& Frame() { return Pen(); }

private:
    std::vector<std::string> m_text;
    bool m_onTop;
    TAlignment m_alignment = taCenter;
    bool m_adjustFrame = true;
    TTextFormat m_textFormat = ttfNormal;
};

// A title at the bottom of the chart, in italic red.
class TChartFootTitle : public TChartTitle {
public:
    explicit TChartFootTitle(std::function<void()> onChange);
};

} // namespace mouldview::chart
