// Axis labels and drawing: which value labels an axis shows, where labels, ticks, grid lines and
// the title go, and how much room the axis takes beside the plot.
#include "chart/axes/AxisMath.h"
#include "chart/axes/ChartAxis.h"
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/ParentChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mouldview::chart {

namespace {

// The pens: the axis line black and 2 pixels wide, ticks grey, grid lines grey and dotted.
constexpr int AxisLineWidth = 2;
constexpr TColor TickColor = clGray;
constexpr TColor GridColor = clGray;
// Ticks outside the plot, major ones 4 pixels long, three minor ones of 2 pixels between two
// labels.
constexpr int TickLength = 4;
constexpr int MinorTickCount = 3;
constexpr int MinorTickLength = 2;
// The band of the axis line and the ticks: the line's width, a pixel, and the major ticks.
constexpr int TickBand = std::max(AxisLineWidth + 1 + TickLength, MinorTickLength);

// The decimal text of a value with up to 15 significant digits: equal for equal doubles, different
// for doubles that differ within their first 15 digits.
std::string ShortText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Whether a range is narrower than MinRangeSpan, counting the span that SetAxisRange leaves
// (Minimum + MinRangeSpan, rounded to the doubles near Minimum) as narrower too: otherwise a zoom
// band of no height would show dozens of labels with one and the same text, depending on how
// Minimum + MinRangeSpan happened to round.
bool SpanBelowMinimum(double min, double max) {
    const double span = std::fabs(max - min);
    const double magnitude = std::fmax(std::fabs(min), std::fabs(max));
    const double ulp = std::nextafter(magnitude, INFINITY) - magnitude;
    return span < TChartAxis::MinRangeSpan * (1 + 1e-6) + 4 * ulp;
}

} // namespace

// --- Label values ----------------------------------------------------------------------------------

std::vector<double> TChartAxis::ValueLabels(double increment) const {
    std::vector<double> values;
    if (std::fabs(m_workRange / increment) >= LabelCountLimit) {
        return values;
    }
    // A range with an infinite or undefined end has no meaningful label values.
    if (!std::isfinite(m_workMin) || !std::isfinite(m_workMax)) {
        return values;
    }
    // The first label is a multiple of the increment, unless the ends print alike.
    double value = m_workMax;
    if (ShortText(m_workMin) != ShortText(m_workMax)) {
        value = std::trunc(m_workMax / increment) * increment;
    }
    while (value > m_workMax) {
        // An increment below the value's precision cannot step down; stop rather than loop.
        const double next = value - increment;
        if (!(next < value)) {
            break;
        }
        value = next;
    }
    // A range too narrow to step through, or an increment below the printed precision (which
    // would write the same text again and again), gets one label.
    if (m_rangeIsZero || SpanBelowMinimum(m_workMin, m_workMax) ||
        ShortText(value) == ShortText(value - increment)) {
        values.push_back(value);
        return values;
    }
    const double lower = m_workMin >= 0 ? (m_workMin - MinIncrement) / (1 + MinIncrement) : m_workMin;
    // The count check above bounds the labels; the guard keeps rounding at huge magnitudes from
    // stalling the walk.
    for (int drawn = 0; value >= lower && drawn <= static_cast<int>(LabelCountLimit); ++drawn) {
        values.push_back(value);
        const double next = value - increment;
        if (!(next < value)) {
            break;
        }
        value = next;
    }
    return values;
}

void TChartAxis::DrawValueLabel(double value) {
    const int tick = ValueToPixel(value);
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyFont(m_labelsFont);
    canvas.SetBackgroundMode(raster::BkMode::Transparent);
    if (m_horizontal) {
        // Centred below the tick.
        canvas.SetTextAlignment(raster::TA_CENTER | raster::TA_TOP);
        canvas.TextOut(tick, m_labelsPos, LabelText(value));
    } else {
        // Left of the axis, centred on the tick.
        const int lineHeight = canvas.TextHeight("W");
        canvas.SetTextAlignment(raster::TA_RIGHT | raster::TA_TOP);
        canvas.TextOut(m_labelsPos, tick - lineHeight / 2, LabelText(value));
    }
    m_tickPositions.push_back(tick);
}

// --- Room beside the plot --------------------------------------------------------------------------

int TChartAxis::MaxLabelWidth() {
    // The labels DrawAxis draws for the range and length the axis has now, measured as drawn:
    // inner labels may be wider than the end ones ("0.2" against "0" and "1"), and the ends need
    // not be labels at all.
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyFont(m_labelsFont);
    const double increment = ComputeIncrement();
    int widest = -1;
    if (increment > 0 && m_workMax >= m_workMin) {
        for (const double value : ValueLabels(increment)) {
            widest = std::max(widest, canvas.TextWidth(LabelText(value)));
        }
    }
    return widest < 0 ? 0 : widest + canvas.TextWidth(" ");
}

int TChartAxis::TitleBandSize() {
    // The title runs along the axis, so its band is one line high.
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyFont(m_title.Font());
    return canvas.TextHeight("W");
}

int TChartAxis::LabelBandSizeOn(const TRect& rect) {
    // Labels stand upright: one line below the bottom axis, the widest label left of the left axis.
    if (m_horizontal) {
        TChartCanvas& canvas = m_chart.Canvas();
        canvas.ApplyFont(m_labelsFont);
        return canvas.TextHeight("W");
    }
    // The labels are measured as they will be drawn: along the axis' length in `rect` and over the
    // range its pixel ends give it. That length is final, as the bottom axis has already taken its
    // room from the bottom; the increment depends on the length alone, not on the width this band
    // takes. The layout settles range and positions itself once the plot is settled, so they are
    // put back.
    const double workMin = m_workMin;
    const double workMax = m_workMax;
    ComputePositionsOn(rect);
    ApplyPixelMargins();
    const int width = MaxLabelWidth();
    m_workMin = workMin;
    m_workMax = workMax;
    ComputePositions();
    return width;
}

void TChartAxis::ShrinkRect(TRect& rect, int m) const {
    if (m_horizontal) {
        rect.Bottom -= m;
    } else {
        rect.Left += m;
    }
}

void TChartAxis::ReserveAxisSpace(TRect& rect) {
    if (!m_title.Caption().empty()) {
        ShrinkRect(rect, TitleBandSize());
        m_titlePos = RectEdge(rect);
    }
    ShrinkRect(rect, LabelBandSizeOn(rect));
    m_labelsPos = RectEdge(rect);
    ShrinkRect(rect, TickBand);
}

// --- Drawing ---------------------------------------------------------------------------------------

void TChartAxis::DrawAxis() {
    m_axisLinePos = RectEdge(m_chart.ChartRect());
    DrawTitle();
    m_tickPositions.clear();
    m_chart.Canvas().ApplyFont(m_labelsFont);
    const double increment = ComputeIncrement();
    if (increment > 0 && m_workMax >= m_workMin) {
        for (const double value : ValueLabels(increment)) {
            DrawValueLabel(value);
        }
    }
    DrawLineTicksAndGrid();
}

void TChartAxis::DrawTitle() {
    const std::string& caption = m_title.Caption();
    if (caption.empty()) {
        return;
    }
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyFont(m_title.Font());
    canvas.SetBackgroundMode(raster::BkMode::Transparent);
    if (m_horizontal) {
        // Centred below the bottom axis, hanging from TitlePos.
        canvas.SetTextAlignment(raster::TA_CENTER | raster::TA_TOP);
        canvas.TextOut(m_centerPos, m_titlePos, caption);
    } else {
        // Turned to read bottom to top, centred along the left axis, the glyphs' bottom edge (now
        // on the right) on TitlePos.
        canvas.SetTextAlignment(raster::TA_CENTER | raster::TA_BOTTOM);
        canvas.TextOutRotated(m_titlePos, m_centerPos, 90, caption);
    }
}

void TChartAxis::DrawTicks(const std::vector<int>& positions, int length) {
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyPen(TickColor);
    // Ticks start one pixel off the axis line, outside the plot.
    const int start = Outward(m_axisLinePos, 1);
    const int end = Outward(start, length);
    for (const int p : positions) {
        if (m_horizontal) {
            canvas.VerticalLine(p, start, end);
        } else {
            canvas.HorizontalLine(start, end, p);
        }
    }
}

void TChartAxis::DrawGridLines() {
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.ApplyPen(GridColor, 1, psDot);
    const TRect rect = m_chart.ChartRect();
    for (const int p : m_tickPositions) {
        // The plot's frame lies on the end positions; grid lines never cover it.
        if (!(m_startPos < p && p < m_endPos)) {
            continue;
        }
        if (m_horizontal) {
            canvas.VerticalLine(p, rect.Top + 1, rect.Bottom);
        } else {
            canvas.HorizontalLine(rect.Left + 1, rect.Right, p);
        }
    }
}

std::vector<int> TChartAxis::MinorTickPositions() const {
    // Between two major ticks, and beyond the first and the last by the first pair's spacing; only
    // those strictly inside the axis are drawn. A single major tick gets none.
    std::vector<int> candidates;
    const std::vector<int>& major = m_tickPositions;
    if (major.size() < 2) {
        return candidates;
    }
    const double outerStep = (major[1] - major[0]) / (MinorTickCount + 1.0);
    for (int j = 1; j <= MinorTickCount; ++j) {
        candidates.push_back(major.front() - RoundHalfEven(j * outerStep));
        candidates.push_back(major.back() + RoundHalfEven(j * outerStep));
    }
    for (std::size_t i = 1; i < major.size(); ++i) {
        const double step = (major[i] - major[i - 1]) / (MinorTickCount + 1.0);
        for (int j = 1; j <= MinorTickCount; ++j) {
            candidates.push_back(major[i] - RoundHalfEven(j * step));
        }
    }
    std::erase_if(candidates, [this](int p) { return !(m_startPos < p && p < m_endPos); });
    return candidates;
}

void TChartAxis::DrawLineTicksAndGrid() {
    TChartCanvas& canvas = m_chart.Canvas();
    canvas.SetBackgroundMode(raster::BkMode::Transparent);
    canvas.ApplyPen(clBlack, AxisLineWidth);
    if (m_horizontal) {
        canvas.HorizontalLine(m_startPos, m_endPos, m_axisLinePos);
    } else {
        canvas.VerticalLine(m_axisLinePos, m_startPos, m_endPos);
    }
    DrawTicks(m_tickPositions, TickLength);
    DrawGridLines();
    DrawTicks(MinorTickPositions(), MinorTickLength);
}

} // namespace mouldview::chart
