// A chart axis: the bottom one (periods) or the left one (mould index). Its range comes from the
// series on it or stays fixed, it maps values to pixels along one side of the plot and back,
// chooses its label step from the room a label needs, and draws its line, labels, ticks, grid and
// title (AxisDrawing.cpp).
//
// Each paint the chart runs, per axis: ComputeDataRange, ComputePositions, ReserveAxisSpace,
// ComputePositions again, ApplyPixelMargins, and finally DrawAxis. The working state those steps
// compute (WorkMin ... TickPositions) stays until the next paint, for mouse zoom and scroll.
#pragma once

#include "chart/axes/NumberFormat.h"
#include "chart/canvas/ChangeNotifier.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/Geometry.h"
#include "chart/series/CustomChartAxis.h"

#include <string>
#include <vector>

namespace mouldview::chart {

class TParentChart;

// The axis title: a caption written along the axis, upright below the bottom axis and turned by
// 90 degrees (reading bottom to top) left of the left axis.
class TChartAxisTitle : public TChangeNotifier {
public:
    using TChangeNotifier::TChangeNotifier;

    const std::string& Caption() const { return m_caption; }
    void SetCaption(std::string caption) { Store(m_caption, std::move(caption)); }
    const TChartFont& Font() const { return m_font; }

private:
    std::string m_caption;
    TChartFont m_font;
};

class TChartAxis : public TCustomChartAxis, private TChangeNotifier {
public:
    // Smallest label increment.
    static constexpr double MinIncrement = 1e-12;
    // Smallest span SetAxisRange leaves, and the span under which an axis draws a single label.
    static constexpr double MinRangeSpan = 1e-10;
    // No labels at all when the range holds this many increments or more.
    static constexpr double LabelCountLimit = 10000;
    // Gap between two labels, in percent of a label's size.
    static constexpr int LabelsSeparation = 10;
    // Computed pixel coordinates are clamped to +-PixelLimit, far beyond any window yet safe to draw.
    static constexpr int PixelLimit = TPixelMapping::Limit;

    // horizontal: the bottom axis; otherwise the left axis.
    TChartAxis(TParentChart& chart, bool horizontal);

    bool Horizontal() const { return m_horizontal; }

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
    double Maximum() const { return m_maximum; }
    // Fixes both ends (smaller first) and switches the automatic flags off; zoom uses it.
    void SetAxisRange(double a, double b);
    // Shifts both ends by delta and switches the automatic flags off; the wheel uses it.
    void ScrollAxisBy(double delta);
    // Stores both ends as given, without the smallest span; undoing a zoom puts saved ends back.
    void RestoreRange(double minimum, double maximum);

    // --- Labels and title -------------------------------------------------------------------------
    TChartAxisTitle& Title() { return m_title; }
    const TChartAxisTitle& Title() const { return m_title; }
    // Separators of label numbers; the user's regional ones unless a caller sets others.
    void SetFormatSettings(TNumberFormatSettings settings);

    // --- Working state of the last paint ----------------------------------------------------------
    double WorkMin() const { return m_workMin; }
    double WorkMax() const { return m_workMax; }
    double WorkRange() const { return m_workRange; }
    bool RangeIsZero() const { return m_rangeIsZero; }
    int StartPos() const { return m_startPos; }
    int EndPos() const { return m_endPos; }
    int AxisSize() const { return m_axisSize; }
    int CenterPos() const { return m_centerPos; }
    int AxisLinePos() const { return m_axisLinePos; }
    int LabelsPos() const { return m_labelsPos; }
    int TitlePos() const { return m_titlePos; }
    // Major tick pixels of the last DrawAxis, largest value first.
    const std::vector<int>& TickPositions() const { return m_tickPositions; }

    // --- Scaling ----------------------------------------------------------------------------------
    // The smallest (wantMinimum) or largest value of the series plotted on this axis; 0 without any.
    double AxisDataExtent(bool wantMinimum) const;
    void ComputeDataRange();
    // StartPos, EndPos and the sizes from ChartRect.
    void ComputePositions();
    // Puts the range the pixel ends show in place of WorkMin and WorkMax (in order). The series of
    // this chart ask for no pixel margins (their pointers and marks stay hidden), so this keeps the
    // range up to rounding.
    void ApplyPixelMargins();
    TPixelMapping PixelMapping() const override;
    double PixelToValue(int pixel) const override;
    // The label step for this paint, from the room the widest label needs (labels font applied).
    double ComputeIncrement();
    double IncrementForLabelCount(int labelCount) const;
    std::string LabelText(double value) const;

    // --- Room and drawing -------------------------------------------------------------------------
    // Shrinks rect on the axis' side by its title, labels and ticks, outermost first, and records
    // TitlePos and LabelsPos.
    void ReserveAxisSpace(TRect& rect);
    // The widest label that DrawAxis would draw with the current range and positions, plus a
    // space; 0 when no label would be drawn.
    int MaxLabelWidth();
    // Draws title, labels, axis line, ticks and grid at the position the layout left.
    void DrawAxis();

private:
    void RangeChanged();
    // Size of a label along the axis: its width on a horizontal axis, its height on a vertical one.
    int LabelSize(double value);
    // The label band for an axis that reserves its room from `rect` (AxisDrawing.cpp).
    int LabelBandSizeOn(const TRect& rect);
    int TitleBandSize();
    void ComputePositionsOn(const TRect& rect);
    // Moves a position across the axis, outward (away from the plot) by m pixels.
    int Outward(int position, int m) const { return m_horizontal ? position + m : position - m; }
    void ShrinkRect(TRect& rect, int m) const;
    int RectEdge(const TRect& rect) const { return m_horizontal ? rect.Bottom : rect.Left; }
    // The values labelled for this increment, from the top of the range downwards.
    std::vector<double> ValueLabels(double increment) const;
    void DrawValueLabel(double value);
    void DrawTitle();
    void DrawLineTicksAndGrid();
    void DrawTicks(const std::vector<int>& positions, int length);
    void DrawGridLines();
    std::vector<int> MinorTickPositions() const;

    TParentChart& m_chart;
    bool m_horizontal;

    bool m_automatic = true;
    bool m_automaticMinimum = true;
    bool m_automaticMaximum = true;
    double m_minimum = 0;
    double m_maximum = 0;
    TNumberFormatSettings m_formatSettings;
    TChartFont m_labelsFont;
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
};

} // namespace mouldview::chart
