// The chart engine's font: a face name, a character height and a colour. Every chart font is
// "Arial", 8 points (under a Japanese locale the desktop's user-interface font), black unless its
// owner gives it a colour (the chart's title is blue).
#pragma once

#include "chart/canvas/ChartColors.h"

#include <string>

namespace mouldview::chart {

// The face name and point size every chart font takes, settled once per process.
const std::string& DefaultChartFontName();
int DefaultChartFontSize();

class TChartFont {
public:
    explicit TChartFont(TColor color = clBlack);

    const std::string& Name() const { return m_name; }
    // The character height in pixels, negated: 8 points at 96 pixels per inch are -11.
    int Height() const { return m_height; }
    TColor Color() const { return m_color; }

private:
    std::string m_name;
    int m_height;
    TColor m_color;
};

} // namespace mouldview::chart
