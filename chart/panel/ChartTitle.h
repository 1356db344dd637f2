// The chart's title: lines of text above the plot, centred between the margins, in blue; it keeps
// the rectangle it took at the last paint (ShapeBounds), where a press starts a zoom or a pan.
#pragma once

#include "chart/canvas/ChangeNotifier.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/Geometry.h"

#include <string>
#include <vector>

namespace mouldview::chart {

class TChartTitle : public TChangeNotifier {
public:
    explicit TChartTitle(std::function<void()> onChange) : TChangeNotifier(std::move(onChange)) {}

    const std::vector<std::string>& Text() const { return m_text; }
    void SetText(std::vector<std::string> lines) { Store(m_text, std::move(lines)); }
    const TChartFont& Font() const { return m_font; }
    // The rectangle the title occupied at the last paint.
    const TRect& ShapeBounds() const { return m_shapeBounds; }
    void SetShapeBounds(const TRect& rect) { m_shapeBounds = rect; }

private:
    std::vector<std::string> m_text;
    TChartFont m_font{clBlue};
    TRect m_shapeBounds;
};

} // namespace mouldview::chart
