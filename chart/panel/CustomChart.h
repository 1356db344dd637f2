// The chart with titles, walls and legend: `Title` and `SubTitle` above the plot, `Foot` and
// `SubFoot` below it, the back wall as the frame around ChartRect, and the legend's visibility rule.
#pragma once

#include "chart/panel/ChartLegend.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/ChartWalls.h"
#include "chart/panel/CustomAxisPanel.h"

namespace mouldview::chart {

// Pixels between a title and the plotting rectangle.
inline constexpr int TitleGap = 5;

class TCustomChart : public TCustomAxisPanel {
public:
    TCustomChart();
    ~TCustomChart() override;

    TChartTitle& Title() { return m_title; }
    TChartTitle& SubTitle() { return m_subTitle; }
    TChartFootTitle& Foot() { return m_foot; }
    TChartFootTitle& SubFoot() { return m_subFoot; }
    TChartWalls& Walls() { return m_walls; }
    TChartBackWall& BackWall() { return m_walls.Back(); }
    TChartWall& LeftWall() { return m_walls.Left(); }
    TChartWall& BottomWall() { return m_walls.Bottom(); }
    TChartRightWall& RightWall() { return m_walls.Right(); }
    TChartLegend& Legend() { return m_legend; }
    // The frame around the plotting rectangle: the back wall's pen.
    TChartPen& Frame() { return m_walls.Back().Pen(); }

    // The chart's background colour: the back wall's colour when the wall is opaque, else `Color`.
    virtual TColor BackColor() const;
    TColor BackWallColor() const override { return m_walls.Back().Color(); }

protected:
    void DrawTitles(bool beforeSeries) override;
    // Draws one title and, unless it is custom-positioned, moves ChartRect's edge past it.
    virtual void DrawTitle(TChartTitle& title);
    void DrawWalls() override;
    // The legend's contents are not drawn by this program; a visible legend takes no room.
    virtual void DrawLegend() {}

private:
    void DrawTitleBox(TChartTitle& title, const TRect& bounds);
    void DrawBackWall();

    TChartTitle m_title;
    TChartTitle m_subTitle;
    TChartFootTitle m_foot;
    TChartFootTitle m_subFoot;
    TChartWalls m_walls;
    TChartLegend m_legend;
};

// The chart control the result window holds; it adds nothing to painting.
class TChart : public TCustomChart {};

} // namespace mouldview::chart
