// The walls around the plot: back, left, bottom and right. In the flat (2D) view only the back wall
// is drawn, as the frame around the plotting rectangle; the others belong to the 3D view.
#pragma once

#include "chart/panel/ChartShape.h"

namespace mouldview::chart {

class TCustomChartWall : public TChartCustomShape {
public:
    TCustomChartWall(std::function<void()> onChange, TColor color, bool transparent, bool visible);

    // Thickness in the 3D view.
    int Size() const { return m_size; }
    void SetSize(int value) { Store(m_size, value); }
    bool Dark3D() const { return m_dark3D; }
    void SetDark3D(bool value) { Store(m_dark3D, value); }
    // Hide the wall when the 3D view looks at its back.
    bool AutoHide() const { return m_autoHide; }
    void SetAutoHide(bool value) { Store(m_autoHide, value); }

private:
    int m_size = 0;
    bool m_dark3D = true;
    bool m_autoHide = false;
};

class TChartWall : public TCustomChartWall {
public:
    using TCustomChartWall::TCustomChartWall;
};

class TChartBackWall : public TChartWall {
public:
    explicit TChartBackWall(std::function<void()> onChange);
};

class TChartRightWall : public TChartWall {
public:
    explicit TChartRightWall(std::function<void()> onChange);
};

class TChartWalls {
public:
    explicit TChartWalls(const std::function<void()>& onChange);

    TChartBackWall& Back() { return m_back; }
    const TChartBackWall& Back() const { return m_back; }
    TChartWall& Left() { return m_left; }
    TChartWall& Bottom() { return m_bottom; }
    TChartRightWall& Right() { return m_right; }

private:
    TChartBackWall m_back;
    TChartWall m_left;
    TChartWall m_bottom;
    TChartRightWall m_right;
};

} // namespace mouldview::chart
