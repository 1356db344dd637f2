// The chart engine's font: a face name, a size and a colour. Every chart font starts as "Arial",
// 8 points, black (under a Japanese locale as the desktop's user-interface font).
#pragma once

#include "chart/canvas/ChangeNotifier.h"
#include "chart/canvas/ChartColors.h"

#include <string>

namespace mouldview::chart {

// The face name and point size every chart font starts with, settled once per process.
const std::string& DefaultChartFontName();
int DefaultChartFontSize();

class TChartFont : public TChangeNotifier {
public:
    explicit TChartFont(std::function<void()> onChange = {});

    const std::string& Name() const { return m_name; }
    void SetName(const std::string& value) { Store(m_name, value); }
    // Points at 96 pixels per inch; Height is the character height in pixels, negated (8 points
    // are Height -11).
    void SetSize(int points);
    int Height() const { return m_height; }
    TColor Color() const { return m_color; }
    void SetColor(TColor value) { Store(m_color, value); }

private:
    std::string m_name;
    int m_height;
    TColor m_color = clBlack;
};

} // namespace mouldview::chart
