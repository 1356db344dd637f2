// Wall defaults: a silver transparent back wall, an opaque yellow left and white bottom wall, and a
// hidden right wall.
#include "chart/panel/ChartWalls.h"

namespace mouldview::chart {

TCustomChartWall::TCustomChartWall(std::function<void()> onChange, TColor color, bool transparent,
                                   bool visible)
    : TChartCustomShape(std::move(onChange)) {
    SetColor(color);
    SetTransparent(transparent);
    SetVisible(visible);
}

TChartBackWall::TChartBackWall(std::function<void()> onChange)
    : TChartWall(std::move(onChange), clSilver, true, true) {}

TChartRightWall::TChartRightWall(std::function<void()> onChange)
    : TChartWall(std::move(onChange), clSilver, false, false) {}

TChartWalls::TChartWalls(const std::function<void()>& onChange)
    : m_back(onChange), m_left(onChange, 0x80FFFF, false, true), m_bottom(onChange, clWhite, false, true),
      m_right(onChange) {}

} // namespace mouldview::chart
