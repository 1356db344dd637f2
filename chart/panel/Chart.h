// The chart control the result window holds: the series list, the bottom and left axes, the title,
// the back wall around the plot and the fixed paint sequence (Chart.cpp), and the answer to the
// mouse: zoom with a rubber band, undo, panning and the wheel (ChartMouse.cpp, ChartZoom.cpp).
//
// A paint that is not served from the buffer runs, in this order: the panel, the title (which moves
// ChartRect's top below it), the axes' layout (their ranges, the room they take, their positions),
// the back wall, the axes, the series in list order clipped to the plot, and during a zoom drag
// the zoom band.
#pragma once

#include "chart/axes/ChartAxis.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/CustomChartPanel.h"
#include "chart/panel/ZoomPanning.h"
#include "chart/series/ParentChart.h"
#include "platform/window/MouseInput.h"

#include <array>
#include <optional>

namespace mouldview::chart {

// Pixels between the title and the plotting rectangle.
inline constexpr int TitleGap = 5;

// The scale of one axis as it was before the first zoom or pan since the last undo.
struct TAxisScale {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};

class TChart : public TCustomChartPanel, public TParentChart {
public:
    TChart();
    ~TChart() override;

    TChartAxis* BottomAxis() const override { return &m_bottomAxis; }
    TChartAxis* LeftAxis() const override { return &m_leftAxis; }
    TChartTitle& Title() { return m_title; }
    TChartZoom& Zoom() { return m_zoom; }
    const TChartZoom& Zoom() const { return m_zoom; }
    // The drag of a pan in progress.
    const TZoomPanning& PanningState() const { return m_panning; }

    // --- What series and axes ask of their chart ----------------------------------------------------
    void RequestRepaint() override;
    TRect ChartRect() const override { return TCustomChartPanel::ChartRect(); }
    TColor BackgroundColor() const override { return PanelColor; }
    TColor BackWallColor() const override { return BackWallColorValue; }
    bool IsLoading() const override { return TCustomChartPanel::IsLoading(); }
    TChartCanvas& Canvas() override { return TCustomChartPanel::Canvas(); }

    // --- Mouse: zoom, undo and scroll ---------------------------------------------------------------
    // Entry points for the window layer; points are window pixels and may lie outside the window
    // while a button is held.
    void MouseDown(platform::MouseButton button, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(platform::MouseButton button, int x, int y);
    // One wheel notch towards the user (down: the curves move down) or away from the user (up).
    void MouseWheel(platform::WheelDirection direction);
    // The pointer left the window.
    void PointerLeaves();

    // Puts back the axis scales saved before the first zoom or pan since the last undo.
    void UndoZoom();
    // No saved scales are pending.
    bool ScalesRestored() const { return !m_savedScales.has_value(); }

protected:
    void DrawChartContent(const TRect& chartBounds) override;
    // A paint served from the buffer during a zoom drag puts the band back where the drag has it.
    void Paint() override;

private:
    // The back wall's colour; the wall itself is transparent, only its black frame is drawn.
    static constexpr TColor BackWallColorValue = clSilver;

    // --- Painting (Chart.cpp) -----------------------------------------------------------------------
    // The title's box: one line per text line, as wide as the widest line plus a character, centred
    // between the margins above ChartRect (measured in the title font).
    TRect TitleBounds();
    void PaintTitle(const TRect& bounds);
    void FitAxes();
    void DrawBackWall();
    void DrawSeries(TChartSeries& series);

    // --- Mouse (ChartMouse.cpp, ChartZoom.cpp) ------------------------------------------------------
    // Whether (x, y) lies on the axis: along its length, from its labels to 3 pixels past its line.
    static bool AxisClicked(const TChartAxis& axis, int x, int y);
    // Whether a press at (x, y) may start a drag: on an axis, the title or the plot.
    bool StartsDrag(int x, int y);
    // Draws the zoom band in a self-inverting raster mode: drawing it twice leaves every pixel as
    // it was, and over the chart's back colour it shows in the zoom pen's colour.
    void DrawZoomBand();
    void DrawBand(const TRect& band);
    TRect ZoomBandRect() const;
    // Zooms both axes to the values under the band.
    void ZoomToBand();
    // Moves the axis of one orientation by the values between pixels p and q.
    void PanStep(TChartAxis& axis, int p, int q);
    // Saves the scales, unless saved ones are pending.
    void SaveAxisScales();

    mutable TChartAxis m_bottomAxis;
    mutable TChartAxis m_leftAxis;
    TChartTitle m_title;
    TChartZoom m_zoom;
    TZoomPanning m_panning;
    // The band that the last full frame drew into the off-screen buffer (during a zoom drag).
    std::optional<TRect> m_bandInBuffer;
    // Bottom and left axis.
    std::optional<std::array<TAxisScale, 2>> m_savedScales;
};

} // namespace mouldview::chart
