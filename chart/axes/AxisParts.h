// The pens and the title an axis is drawn with: the axis line pen, the grid pen, and the title with
// its caption, angle and font.
#pragma once

#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartPen.h"

#include <functional>
#include <string>

namespace mouldview::chart {

// The axis line: black, solid, 2 pixels wide.
class TChartAxisPen : public TChartPen {
public:
    explicit TChartAxisPen(std::function<void()> onChange = {});
};

// Grid lines across the plot: grey dots, 1 pixel wide.
class TAxisGridPen : public TDottedGrayPen {
public:
    explicit TAxisGridPen(std::function<void()> onChange = {}) : TDottedGrayPen(std::move(onChange)) {}
};

class TChartAxisTitle {
public:
    TChartAxisTitle(int angle, std::function<void()> onChange);

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption);
    // Degrees counter-clockwise: 90 reads bottom to top (left axis), 270 top to bottom (right axis).
    int Angle() const { return m_angle; }
    void SetAngle(int angle);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    TChartFont& Font() { return m_font; }
    const TChartFont& Font() const { return m_font; }

private:
    std::string m_caption;
    int m_angle;
    bool m_visible = true;
    std::function<void()> m_onChange;
    TChartFont m_font;
};

} // namespace mouldview::chart
