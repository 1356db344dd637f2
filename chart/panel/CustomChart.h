// The chart with titles, walls and legend: `Title` and `SubTitle` above the plot, `Foot` and
// `SubFoot` below it, the back wall as the frame around ChartRect, and the legend's visibility rule.
#pragma once

#include "chart/panel/ChartLegend.h"
#include "chart/panel/ChartMouse.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/ChartWalls.h"
#include "chart/panel/CustomAxisPanel.h"

#include <optional>
#include <vector>

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
    void DrawChart(TCanvas& target, const TRect& rect) override;

    // --- Mouse: zoom, undo and scroll (ChartMouse.cpp, ChartZoom.cpp) ----------------------------
    // Entry points for the window layer; points are window pixels and may lie outside the window
    // while a button is held.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    // One wheel notch towards the user (down) or away from the user (up).
    void MouseWheelDown(TShiftState shift, int x, int y);
    void MouseWheelUp(TShiftState shift, int x, int y);
    // The pointer left the window.
    void PointerLeaves();

    // Puts back the axis scales saved before the first zoom or pan since the last undo.
    void UndoZoom();
    // Zooms the four standard axes to the zoom band.
    void ZoomToBand();
    // The part of the chart at (x, y) by the last paint's layout.
    TChartClickedPart ClickedPart(int x, int y);
    // Whether (x, y) lies on the axis: along its length, from its labels to 3 pixels past its line.
    static bool AxisClicked(const TChartAxis& axis, int x, int y);

    // No saved scales are pending.
    bool ScalesRestored() const { return m_scalesRestored; }
    // One record per axis of the axis list; the depth axes' records are never used.
    const std::vector<TAxisScale>& SavedAxisScales() const { return m_savedAxisScales; }
    // Set by event handlers to stop the chart's own handling of the press (or move) under way.
    bool CancelMouse() const { return m_cancelMouse; }
    void SetCancelMouse(bool value) { m_cancelMouse = value; }

    // The control's own mouse notifications, before the chart acts.
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnZoom;
    TNotifyEvent OnUndoZoom;
    TNotifyEvent OnScroll;
    TAllowScrollEvent OnAllowScroll;
    // Click events, each called with CancelMouse set: a handler that leaves it set stops the press.
    TClickAxisEvent OnClickAxis;
    TMouseEvent OnClickBackground;
    TMouseEvent OnClickLegend;
    TClickSeriesEvent OnClickSeries;
    TClickTitleEvent OnClickTitle;

protected:
    // Starts a zoom drag, a pan drag or both for a press; true when one started.
    bool CheckZoomPanningStart(TMouseButton button, TShiftState shift, int x, int y);
    // Draws the zoom band in a self-inverting raster mode: drawing it twice leaves every pixel as
    // it was, and over the chart's back colour it shows in the zoom pen's colour.
    void DrawZoomBand() override;
    // A paint served from the buffer during a zoom drag puts the band back where the drag has it.
    void Paint() override;
    // Moves every axis of one orientation by the values between pixels p and q; true when p != q.
    bool PanStep(bool horizontal, int p, int q);
    // Saves the scales (unless saved ones are pending), then sets the target ranges of the left,
    // right, top and bottom axes, animated if `Zoom.Animated`.
    void ApplyZoom(double leftMin, double leftMax, double rightMin, double rightMax, double topMin,
                   double topMax, double bottomMin, double bottomMax);
    // The chart's tools hear of the mouse here (no tools exist in this program).
    virtual void NotifyToolsMouse(TChartMouseAction /*action*/, TMouseButton /*button*/,
                                  TShiftState /*shift*/, int /*x*/, int /*y*/) {}
    // The point of `series` at (x, y), or -1: a point or line segment within 3 pixels.
    virtual int SeriesPointAt(TChartSeries& series, int x, int y);

    void DrawTitles(bool beforeSeries) override;
    // Draws one title and, unless it is custom-positioned, moves ChartRect's edge past it.
    virtual void DrawTitle(TChartTitle& title);
    void DrawWalls() override;
    // The legend's contents are not drawn by this program; a visible legend takes no room.
    virtual void DrawLegend() {}

private:
    void DrawTitleBox(TChartTitle& title, const TRect& bounds);
    void DrawBackWall();
    void SaveAxisScales();
    void DrawBand(const TRect& band);
    TRect ZoomBandRect() const;
    void WheelStep(bool down, TShiftState shift, int x, int y);

    TChartTitle m_title;
    TChartTitle m_subTitle;
    TChartFootTitle m_foot;
    TChartFootTitle m_subFoot;
    TChartWalls m_walls;
    TChartLegend m_legend;

    // The band that the last full frame drew into the off-screen buffer (during a zoom drag).
    std::optional<TRect> m_bandInBuffer;
    std::vector<TAxisScale> m_savedAxisScales;
    bool m_scalesRestored = true;
    bool m_cancelMouse = false;
};

// The chart control the result window holds; it adds nothing to painting.
class TChart : public TCustomChart {};

} // namespace mouldview::chart
