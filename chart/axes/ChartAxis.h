// A chart axis: its settings, the range it shows (from the series on it or fixed), the mapping
// between values and pixels along one side of the plot, the label increment chosen from the room a
// label needs, and the drawing of its line, labels, ticks, grid and title.
//
// Each paint the chart runs, per axis: ComputeDataRange, ComputePositions, ReserveAxisSpace,
// ComputePositions again, ApplySeriesMargins, and finally DrawAxis. The working state those steps
// compute (WorkMin ... TickPositions) stays until the next paint, for mouse zoom and scroll.
#pragma once

#include "chart/axes/AxisParts.h"
#include "chart/axes/NumberFormat.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/Geometry.h"
#include "chart/series/CustomChartAxis.h"

#include <string>
#include <vector>

namespace mouldview::chart {

class TParentChart;
class TChartCanvas;

enum TAxisLabelStyle { talAuto, talNone, talValue, talMark, talText };
enum TAxisLabelAlign { alDefault, alOpposite };
enum TChartUnits { muPercent, muPixels };

class TChartAxis : public TCustomChartAxis {
public:
    // Smallest label increment.
    static constexpr double MinIncrement = 1e-12;
    // Smallest span SetAxisRange leaves, and the span under which an axis draws a single label.
    static constexpr double MinRangeSpan = 1e-10;
    // No labels at all when the range holds this many increments or more.
    static constexpr double LabelCountLimit = 10000;
    // Computed pixel coordinates are clamped to +-PixelLimit, far beyond any window yet safe to draw.
    static constexpr int PixelLimit = TPixelMapping::Limit;

    // otherSide: the top or right axis. depth: one of the two depth axes of 3D mode (never shown).
    TChartAxis(TParentChart& chart, bool horizontal, bool otherSide, int titleAngle, bool depth = false);

    TParentChart& ParentChart() const { return m_chart; }
    bool OtherSide() const { return m_otherSide; }

    // --- Range settings ---------------------------------------------------------------------------
    bool Automatic() const { return m_automatic; }
    // Outside loading, also sets AutomaticMinimum and AutomaticMaximum to the same value.
    void SetAutomatic(bool value);
    bool AutomaticMinimum() const { return m_automaticMinimum; }
    // False clears Automatic; true sets it when AutomaticMaximum is already true.
    void SetAutomaticMinimum(bool value);
    bool AutomaticMaximum() const { return m_automaticMaximum; }
    void SetAutomaticMaximum(bool value);
    double Minimum() const { return m_minimum; }
    // Outside loading, a value above Maximum raises AxisException.
    void SetMinimum(double value);
    double Maximum() const { return m_maximum; }
    // Outside loading, a value below Minimum raises AxisException.
    void SetMaximum(double value);
    // Desired label step (a lower bound); 0 means computed. Negative raises AxisException.
    double Increment() const { return m_increment; }
    void SetIncrement(double value);
    // Fixes both ends (smaller first) and switches the automatic flags off; zoom uses it.
    void SetAxisRange(double a, double b);
    // Shifts both ends by delta; with checkLimits only towards data beyond the current end.
    void ScrollAxisBy(double delta, bool checkLimits);
    // Stores both ends as given, without the setters' checks or the smallest span; undoing a zoom
    // puts saved ends back this way.
    void RestoreRange(double minimum, double maximum);

    // --- Placement settings -----------------------------------------------------------------------
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    bool Inverted() const override { return m_inverted; }
    void SetInverted(bool value);
    bool Logarithmic() const override { return m_logarithmic; }
    void SetLogarithmic(bool value);
    double LogarithmicBase() const { return m_logarithmicBase; }
    void SetLogarithmicBase(double value);
    // Ends of the axis in percent of the plot side.
    double StartPosition() const { return m_startPosition; }
    void SetStartPosition(double value);
    double EndPosition() const { return m_endPosition; }
    void SetEndPosition(double value);
    // Offset of the axis line from the plot edge, towards the plot, in PositionUnits.
    double PositionPercent() const { return m_positionPercent; }
    void SetPositionPercent(double value);
    TChartUnits PositionUnits() const { return m_positionUnits; }
    void SetPositionUnits(TChartUnits value);
    // Extra pixels kept free beyond the low and high ends.
    int MinimumOffset() const { return m_minimumOffset; }
    void SetMinimumOffset(int value);
    int MaximumOffset() const { return m_maximumOffset; }
    void SetMaximumOffset(int value);

    // --- Label settings ---------------------------------------------------------------------------
    bool Labels() const { return m_labels; }
    void SetLabels(bool value);
    int LabelsAngle() const { return m_labelsAngle; }
    void SetLabelsAngle(int value);
    // Gap between labels in percent of a label's size.
    int LabelsSeparation() const { return m_labelsSeparation; }
    void SetLabelsSeparation(int value);
    // Fixed label band in pixels; 0 means measured.
    int LabelsSize() const { return m_labelsSize; }
    void SetLabelsSize(int value);
    bool LabelsAlternate() const { return m_labelsAlternate; }
    void SetLabelsAlternate(bool value);
    // Every space of a label becomes a line break.
    bool LabelsMultiLine() const { return m_labelsMultiLine; }
    void SetLabelsMultiLine(bool value);
    bool LabelsExponent() const { return m_labelsExponent; }
    void SetLabelsExponent(bool value);
    // Labels at the very ends of the axis are drawn too.
    bool LabelsOnAxis() const { return m_labelsOnAxis; }
    void SetLabelsOnAxis(bool value);
    TAxisLabelStyle LabelStyle() const { return m_labelStyle; }
    void SetLabelStyle(TAxisLabelStyle value);
    TAxisLabelAlign LabelsAlign() const { return m_labelsAlign; }
    void SetLabelsAlign(TAxisLabelAlign value);
    TChartFont& LabelsFont() { return m_labelsFont; }
    const TChartFont& LabelsFont() const { return m_labelsFont; }
    const std::string& AxisValuesFormat() const { return m_axisValuesFormat; }
    void SetAxisValuesFormat(std::string value);
    const std::string& DateTimeFormat() const { return m_dateTimeFormat; }
    void SetDateTimeFormat(std::string value);
    bool ExactDateTime() const { return m_exactDateTime; }
    void SetExactDateTime(bool value);
    // The first label is a multiple of the increment.
    bool RoundFirstLabel() const { return m_roundFirstLabel; }
    void SetRoundFirstLabel(bool value);
    // Separators of label numbers; the user's regional ones unless a caller sets others.
    const TNumberFormatSettings& FormatSettings() const { return m_formatSettings; }
    void SetFormatSettings(TNumberFormatSettings settings);

    // --- Ticks, grid and title --------------------------------------------------------------------
    int TickLength() const { return m_tickLength; }
    void SetTickLength(int value);
    int TickInnerLength() const { return m_tickInnerLength; }
    void SetTickInnerLength(int value);
    int MinorTickCount() const { return m_minorTickCount; }
    void SetMinorTickCount(int value);
    int MinorTickLength() const { return m_minorTickLength; }
    void SetMinorTickLength(int value);
    bool TickOnLabelsOnly() const { return m_tickOnLabelsOnly; }
    void SetTickOnLabelsOnly(bool value);
    bool GridCentered() const { return m_gridCentered; }
    void SetGridCentered(bool value);
    TChartAxisPen& Axis() { return m_axisPen; }
    const TChartAxisPen& Axis() const { return m_axisPen; }
    TAxisGridPen& Grid() { return m_grid; }
    const TAxisGridPen& Grid() const { return m_grid; }
    TDarkGrayPen& Ticks() { return m_ticks; }
    const TDarkGrayPen& Ticks() const { return m_ticks; }
    TDarkGrayPen& MinorTicks() { return m_minorTicks; }
    const TDarkGrayPen& MinorTicks() const { return m_minorTicks; }
    TDarkGrayPen& TicksInner() { return m_ticksInner; }
    const TDarkGrayPen& TicksInner() const { return m_ticksInner; }
    TChartHiddenPen& MinorGrid() { return m_minorGrid; }
    const TChartHiddenPen& MinorGrid() const { return m_minorGrid; }
    TChartAxisTitle& Title() { return m_title; }
    const TChartAxisTitle& Title() const { return m_title; }
    // Fixed title band in pixels; 0 means measured.
    int TitleSize() const { return m_titleSize; }
    void SetTitleSize(int value);

    // --- Working state of the last paint ----------------------------------------------------------
    double WorkMin() const { return m_workMin; }
    double WorkMax() const { return m_workMax; }
    double WorkRange() const { return m_workRange; }
    bool RangeIsZero() const { return m_rangeIsZero; }
    double PixelsPerUnit() const { return m_pixelsPerUnit; }
    int StartPos() const { return m_startPos; }
    int EndPos() const { return m_endPos; }
    int AxisSize() const { return m_axisSize; }
    int CenterPos() const { return m_centerPos; }
    int AxisLinePos() const { return m_axisLinePos; }
    int LabelsPos() const { return m_labelsPos; }
    int TitlePos() const { return m_titlePos; }
    // Major tick pixels of the last DrawAxis, largest value first.
    const std::vector<int>& TickPositions() const { return m_tickPositions; }
    bool IsDateTimeAxis() const { return m_isDateTimeAxis; }
    // Whether the axis reserves room and is drawn in this paint; the chart decides (see HasActiveSeries).
    bool AxisShown() const { return m_axisShown; }
    void SetAxisShown(bool shown) { m_axisShown = shown; }

    // --- Scaling ----------------------------------------------------------------------------------
    // The smallest (wantMinimum) or largest value of the series plotted on this axis; 0 without any.
    double AxisDataExtent(bool wantMinimum) const;
    // True when no series is active, or when an active series is associated with this axis before
    // an active series that does not use axes is met.
    bool HasActiveSeries() const;
    void ComputeDataRange();
    // StartPos, EndPos and the sizes from ChartRect (ComputePositionsOn: from another rectangle).
    void ComputePositions();
    void ComputePositionsOn(const TRect& rect);
    // The pixels the active series ask to keep free at StartPos and at EndPos, plus the offsets.
    void SeriesPixelMargins(int& atStart, int& atEnd) const;
    // Widens the range so that the given pixels at StartPos and EndPos show no data.
    void ApplyPixelMargins(int atStart, int atEnd);
    // SeriesPixelMargins then ApplyPixelMargins; with offsets, the title moves beyond the labels.
    void ApplySeriesMargins();
    int ValueToPixel(double value) const override;
    bool PixelMapping(TPixelMapping& mapping) const override;
    double PixelToValue(int pixel) const override;
    // The label step for this paint, from the room the widest label needs (labels font applied).
    double ComputeIncrement();
    double IncrementForLabelCount(int labelCount) const;
    // Size of a label along the axis: its width on a horizontal axis, its height on a vertical one.
    int LabelSize(double value);
    std::string LabelText(double value) const;

    // --- Labels and drawing -----------------------------------------------------------------------
    TAxisLabelStyle EffectiveLabelStyle() const;
    // Shrinks rect on the axis' side by its title, labels and ticks, outermost first, and records
    // TitlePos and LabelsPos. A non-standard axis only records positions.
    void ReserveAxisSpace(TRect& rect, bool standardAxis);
    // The widest label that DrawAxis would draw with the current range and positions, plus a
    // space; 0 when no label would be drawn.
    int MaxLabelWidth();
    // Draws title, labels, axis line, ticks and grid at the position the layout left.
    void DrawAxis();

private:
    void Changed() const;
    void RangeChanged();
    TChartCanvas& Canvas() const;
    bool SeriesXRunAlong() const { return Horizontal(); }
    int LabelBandSize();
    int LabelBandSizeOn(const TRect& rect);
    void SetPositions(int startPos, int endPos);
    int TitleBandSize();
    void RefreshDateTimeAxis();
    int PositionOffset() const;
    // Moves a position across the axis, outward (away from the plot) by m pixels.
    int Outward(int position, int m) const;
    void ShrinkRect(TRect& rect, int m) const;
    int RectEdge(const TRect& rect) const;
    // The values labelled for this increment, from the top of the range downwards.
    std::vector<double> ValueLabels(double increment) const;
    bool LabelShownAt(int position) const;
    void DrawValueLabel(double value);
    void DrawLabelText(int position, const std::string& text);
    void DrawTitle();
    void DrawLineTicksAndGrid();
    void DrawTicks(TChartPen& pen, const std::vector<int>& positions, int length, bool inner);
    void DrawGridLines(TChartPen& pen, const std::vector<int>& positions);
    std::vector<int> MinorTickPositions() const;

    TParentChart& m_chart;
    bool m_otherSide;

    bool m_automatic = true;
    bool m_automaticMinimum = true;
    bool m_automaticMaximum = true;
    double m_minimum = 0;
    double m_maximum = 0;
    double m_increment = 0;
    bool m_visible = true;
    bool m_inverted = false;
    bool m_logarithmic = false;
    double m_logarithmicBase = 10;
    double m_startPosition = 0;
    double m_endPosition = 100;
    double m_positionPercent = 0;
    TChartUnits m_positionUnits = muPercent;
    int m_minimumOffset = 0;
    int m_maximumOffset = 0;

    bool m_labels = true;
    int m_labelsAngle = 0;
    int m_labelsSeparation = 10;
    int m_labelsSize = 0;
    bool m_labelsAlternate = false;
    bool m_labelsMultiLine = false;
    bool m_labelsExponent = false;
    bool m_labelsOnAxis = true;
    TAxisLabelStyle m_labelStyle = talAuto;
    TAxisLabelAlign m_labelsAlign = alDefault;
    std::string m_axisValuesFormat = "#,##0.###";
    std::string m_dateTimeFormat;
    bool m_exactDateTime = true;
    bool m_roundFirstLabel = true;
    TNumberFormatSettings m_formatSettings;

    int m_tickLength = 4;
    int m_tickInnerLength = 0;
    int m_minorTickCount = 3;
    int m_minorTickLength = 2;
    bool m_tickOnLabelsOnly = true;
    bool m_gridCentered = false;
    int m_titleSize = 0;

    TChartFont m_labelsFont;
    TChartAxisPen m_axisPen;
    TAxisGridPen m_grid;
    TDarkGrayPen m_ticks;
    TDarkGrayPen m_minorTicks;
    TDarkGrayPen m_ticksInner;
    TChartHiddenPen m_minorGrid;
    TChartAxisTitle m_title;

    double m_workMin = 0;
    double m_workMax = 0;
    double m_workRange = 0;
    bool m_rangeIsZero = true;
    double m_pixelsPerUnit = 0;
    int m_startPos = 0;
    int m_endPos = 0;
    int m_axisSize = 0;
    int m_centerPos = 0;
    int m_axisLinePos = 0;
    int m_labelsPos = 0;
    int m_titlePos = 0;
    std::vector<int> m_tickPositions;
    bool m_isDateTimeAxis = false;
    bool m_axisShown = true;
};

} // namespace mouldview::chart
