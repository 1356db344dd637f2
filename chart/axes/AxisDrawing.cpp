// Axis labels and drawing: which value labels an axis shows, where labels, ticks, grid lines and
// the title go, and how much room the axis takes beside the plot.
#include "chart/axes/AxisMath.h"
#include "chart/axes/ChartAxis.h"
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ParentChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace mouldview::chart {

namespace {

// The decimal text of a value with up to 15 significant digits: equal for equal doubles, different
// for doubles that differ within their first 15 digits.
std::string ShortText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Calls f for each line of a text (lines end at '\n').
template <class F> void ForEachLine(std::string_view text, F f) {
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find('\n', begin);
        f(text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos) {
            return;
        }
        begin = end + 1;
    }
}

int LineCount(std::string_view text) {
    return text.empty() ? 0 : static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
}

int WidestLine(TChartCanvas& canvas, std::string_view text) {
    int widest = 0;
    ForEachLine(text, [&](std::string_view line) { widest = std::max(widest, canvas.TextWidth(line)); });
    return widest;
}

// Angle in degrees brought into 0..359.
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

int NormalAngle(int angle) {
    const int a = angle % 360;
    return a < 0 ? a + 360 : a;
}

} // namespace

// --- Geometry of the axis' side --------------------------------------------------------------------

int TChartAxis::RectEdge(const TRect& rect) const {
    if (Horizontal()) {
        return OtherSide() ? rect.Top : rect.Bottom;
    }
    return OtherSide() ? rect.Right : rect.Left;
}

void TChartAxis::ShrinkRect(TRect& rect, int m) const {
    if (Horizontal()) {
        (OtherSide() ? rect.Top : rect.Bottom) += OtherSide() ? m : -m;
    } else {
        (OtherSide() ? rect.Right : rect.Left) += OtherSide() ? -m : m;
    }
}

int TChartAxis::Outward(int position, int m) const {
    // Away from the plot: down for the bottom axis, up for the top, left for the left, right for the right.
    const bool towardsGreater = Horizontal() ? !OtherSide() : OtherSide();
    return towardsGreater ? position + m : position - m;
}

int TChartAxis::PositionOffset() const {
    if (m_positionUnits == muPixels) {
        return RoundHalfEven(m_positionPercent);
    }
    const TRect rect = m_chart.ChartRect();
    const int side = Horizontal() ? rect.Bottom - rect.Top : rect.Right - rect.Left;
    return RoundHalfEven(side * 0.01 * m_positionPercent);
}

void TChartAxis::RefreshDateTimeAxis() {
    m_isDateTimeAxis = false;
    for (const TChartSeries* series : m_chart.SeriesList()) {
        if (series->Active() && series->IsAssociatedToAxis(*this)) {
            const TChartValueList* list = series->ValueListForAxis(*this);
            m_isDateTimeAxis = list != nullptr && list->DateTime();
            return;
        }
    }
}

// --- Label style and label values ------------------------------------------------------------------

TAxisLabelStyle TChartAxis::EffectiveLabelStyle() const {
    if (m_labelStyle != talAuto) {
        return m_labelStyle;
    }
    bool anyActive = false;
    for (const TChartSeries* series : m_chart.SeriesList()) {
        if (!series->Active() || !series->IsAssociatedToAxis(*this)) {
            continue;
        }
        anyActive = true;
        if (SeriesXRunAlong() && series->HasPointLabels()) {
            for (int i = 0; i < series->PointCount(); ++i) {
                if (!series->PointLabel(i).empty()) {
                    return talText;
                }
            }
        }
    }
    return anyActive ? talValue : talNone;
}

std::vector<double> TChartAxis::ValueLabels(double increment) const {
    std::vector<double> values;
    if (std::fabs(m_workRange / increment) >= LabelCountLimit) {
        return values;
    }
    // A range with an infinite or undefined end has no meaningful label values.
    if (!std::isfinite(m_workMin) || !std::isfinite(m_workMax)) {
        return values;
    }
    double value = m_workMax;
    if (m_roundFirstLabel && ShortText(m_workMin) != ShortText(m_workMax)) {
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

bool TChartAxis::LabelShownAt(int position) const {
    return m_labelsOnAxis || (m_startPos < position && position < m_endPos);
}

void TChartAxis::DrawValueLabel(double value) {
    const int p = ValueToPixel(value);
    if (!LabelShownAt(p)) {
        return;
    }
    if (!m_tickOnLabelsOnly) {
        m_tickPositions.push_back(p);
    }
    if (m_labels) {
        DrawLabelText(p, LabelText(value));
        if (m_tickOnLabelsOnly) {
            m_tickPositions.push_back(p);
        }
    }
}

void TChartAxis::DrawLabelText(int position, const std::string& text) {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_labelsFont);
    canvas.SetBackgroundMode(cbmTransparent);
    const int h = canvas.TextHeight("W");
    const int lines = LineCount(text);
    int i = 0;
    if (!Horizontal()) {
        // Centred on the tick: the block of lines starts half its height above it.
        const int top = position - h / 2 - RoundHalfEven(h * 0.5 * (lines + 1)) + h;
        canvas.SetTextAlignment((OtherSide() ? TA_LEFT : TA_RIGHT) | TA_TOP);
        ForEachLine(text, [&](std::string_view line) { canvas.TextOut(m_labelsPos, top + i++ * h, line); });
    } else if (!OtherSide()) {
        canvas.SetTextAlignment(TA_CENTER | TA_TOP);
        ForEachLine(text,
                    [&](std::string_view line) { canvas.TextOut(position, m_labelsPos + i++ * h, line); });
    } else {
        canvas.SetTextAlignment(TA_CENTER | TA_BOTTOM);
        ForEachLine(text, [&](std::string_view line) {
            canvas.TextOut(position, m_labelsPos - (lines - 1 - i++) * h, line);
        });
    }
}

// --- Room beside the plot --------------------------------------------------------------------------

int TChartAxis::MaxLabelWidth() {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_labelsFont);
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == talNone) {
        return 0;
    }
    if (style == talMark || style == talText) {
        int widest = 0;
        for (const TChartSeries* series : m_chart.SeriesList()) {
            if (series->Active() && series->IsAssociatedToAxis(*this)) {
                for (int i = 0; i < series->PointCount(); ++i) {
                    widest = std::max(widest, WidestLine(canvas, series->PointLabel(i)));
                }
            }
        }
        return widest;
    }
    // The labels DrawAxis draws for the range and length the axis has now, measured as drawn:
    // inner labels may be wider than the end ones ("0.2" against "0" and "1"), and the ends need
    // not be labels at all.
    const double increment = ComputeIncrement();
    int widest = -1;
    if (increment > 0 && m_workMax >= m_workMin) {
        for (const double value : ValueLabels(increment)) {
            if (LabelShownAt(ValueToPixel(value))) {
                widest = std::max(widest, WidestLine(canvas, LabelText(value)));
            }
        }
    }
    return widest < 0 ? 0 : widest + canvas.TextWidth(" ");
}

int TChartAxis::TitleBandSize() {
    if (m_titleSize > 0) {
        return m_titleSize;
    }
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_title.Font());
    const int angle = NormalAngle(m_title.Angle());
    const bool across = Horizontal() ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
    return across ? canvas.TextHeight("W") : canvas.TextWidth(m_title.Caption());
}

int TChartAxis::LabelBandSize() {
    int m = m_labelsSize;
    if (m <= 0) {
        TChartCanvas& canvas = Canvas();
        canvas.ApplyFont(m_labelsFont);
        const int angle = NormalAngle(m_labelsAngle);
        const bool across = Horizontal() ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
        m = across ? canvas.TextHeight("W") : MaxLabelWidth();
    }
    return m_labelsAlternate ? 2 * m : m;
}

int TChartAxis::LabelBandSizeOn(const TRect& rect) {
    // The labels are measured as they will be drawn: along the axis' length in `rect` and over the
    // range that the series margins will give it. For a vertical axis that length is final, as the
    // horizontal axes come first in the list and have taken their room from the top and bottom;
    // its increment depends on the length alone, not on the width this band takes. The layout
    // applies the margins itself once the plot is settled, so range and positions are put back.
    const double workMin = m_workMin;
    const double workMax = m_workMax;
    ComputePositionsOn(rect);
    int atStart = 0;
    int atEnd = 0;
    SeriesPixelMargins(atStart, atEnd);
    ApplyPixelMargins(atStart, atEnd);
    const int size = LabelBandSize();
    m_workMin = workMin;
    m_workMax = workMax;
    ComputePositions();
    return size;
}

void TChartAxis::ReserveAxisSpace(TRect& rect, bool standardAxis) {
    RefreshDateTimeAxis();
    const bool hasTitle = m_title.Visible() && !m_title.Caption().empty();
    int tickBand = (m_axisPen.Visible() ? m_axisPen.Width() + 1 : 0) + (m_ticks.Visible() ? m_tickLength : 0);
    if (m_minorTicks.Visible()) {
        tickBand = std::max(tickBand, m_minorTickLength);
    }
    if (!standardAxis) {
        // Custom axes stand beside the rectangle's edge without taking room from it.
        m_axisLinePos = RectEdge(rect);
        m_labelsPos = Outward(m_axisLinePos, tickBand);
        m_titlePos = Outward(m_labelsPos, m_labels ? LabelBandSize() : 0);
        return;
    }
    // Both positions follow the axis line when it stands off the plot edge.
    const int offset = PositionOffset();
    if (hasTitle) {
        ShrinkRect(rect, TitleBandSize());
        m_titlePos = Outward(RectEdge(rect), -offset);
    }
    if (m_labels) {
        ShrinkRect(rect, LabelBandSizeOn(rect));
        m_labelsPos = Outward(RectEdge(rect), -offset);
    }
    if (tickBand > 0) {
        ShrinkRect(rect, tickBand);
    }
}

// --- Drawing ---------------------------------------------------------------------------------------

void TChartAxis::DrawAxis() {
    RefreshDateTimeAxis();
    m_axisLinePos = Outward(RectEdge(m_chart.ChartRect()), -PositionOffset());
    DrawTitle();
    m_tickPositions.clear();
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style != talNone) {
        Canvas().ApplyFont(m_labelsFont);
        const double increment = ComputeIncrement();
        if (increment > 0 && m_workMax >= m_workMin && style == talValue) {
            for (const double value : ValueLabels(increment)) {
                DrawValueLabel(value);
            }
        }
    }
    DrawLineTicksAndGrid();
}

void TChartAxis::DrawTitle() {
    if (!m_title.Visible() || m_title.Caption().empty()) {
        return;
    }
    TChartCanvas& canvas = Canvas();
    canvas.ApplyFont(m_title.Font());
    canvas.SetBackgroundMode(cbmTransparent);
    const std::string& caption = m_title.Caption();
    const int angle = NormalAngle(m_title.Angle());
    const int x = Horizontal() ? m_centerPos : m_titlePos;
    const int y = Horizontal() ? m_titlePos : m_centerPos;
    if (angle == 0) {
        if (Horizontal()) {
            // Below the bottom axis the text hangs from TitlePos; above the top axis it stands on it.
            canvas.SetTextAlignment(TA_CENTER | (OtherSide() ? TA_BOTTOM : TA_TOP));
            canvas.TextOut(m_centerPos, m_titlePos, caption);
        } else {
            const int h = canvas.TextHeight("W");
            canvas.SetTextAlignment((OtherSide() ? TA_LEFT : TA_RIGHT) | TA_TOP);
            canvas.TextOut(m_titlePos, m_centerPos - h / 2, caption);
        }
        return;
    }
    // Rotated: centred along the axis, the glyphs' bottom edge on TitlePos when their top points
    // outward (the left axis at 90 degrees, the right axis at 270), their top edge otherwise.
    const bool topPointsOutward =
        Horizontal() ? (angle == 180) == !OtherSide() : (angle == 90) == !OtherSide();
    canvas.SetTextAlignment(TA_CENTER | (topPointsOutward ? TA_BOTTOM : TA_TOP));
    canvas.TextOutRotated(x, y, angle, caption);
}

void TChartAxis::DrawTicks(TChartPen& pen, const std::vector<int>& positions, int length, bool inner) {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyPen(pen, pen.Color());
    // Ticks start one pixel off the axis line, outside the plot (inner ticks: inside).
    const int start = inner ? Outward(m_axisLinePos, -1) : Outward(m_axisLinePos, 1);
    const int end = inner ? Outward(start, -length) : Outward(start, length);
    for (const int p : positions) {
        if (Horizontal()) {
            canvas.VerticalLine(p, start, end);
        } else {
            canvas.HorizontalLine(start, end, p);
        }
    }
}

void TChartAxis::DrawGridLines(TChartPen& pen, const std::vector<int>& positions) {
    TChartCanvas& canvas = Canvas();
    canvas.ApplyPen(pen, pen.Color() == clDefault ? clGray : pen.Color());
    const TRect rect = m_chart.ChartRect();
    for (const int p : positions) {
        // The plot's frame lies on the end positions; grid lines never cover it.
        if (!(m_startPos < p && p < m_endPos)) {
            continue;
        }
        if (Horizontal()) {
            canvas.VerticalLine(p, rect.Top + 1, rect.Bottom);
        } else {
            canvas.HorizontalLine(rect.Left + 1, rect.Right, p);
        }
    }
}

std::vector<int> TChartAxis::MinorTickPositions() const {
    std::vector<int> candidates;
    const std::vector<int>& t = m_tickPositions;
    if (t.size() < 2) {
        return candidates;
    }
    const int k = m_minorTickCount;
    const double step = (t[1] - t[0]) / (k + 1.0);
    for (int j = 1; j <= k; ++j) {
        candidates.push_back(t.front() - RoundHalfEven(j * step));
        candidates.push_back(t.back() + RoundHalfEven(j * step));
    }
    for (std::size_t i = 1; i < t.size(); ++i) {
        const double stepI = (t[i] - t[i - 1]) / (k + 1.0);
        for (int j = 1; j <= k; ++j) {
            candidates.push_back(t[i] - RoundHalfEven(j * stepI));
        }
    }
    std::erase_if(candidates, [this](int p) { return !(m_startPos < p && p < m_endPos); });
    return candidates;
}

void TChartAxis::DrawLineTicksAndGrid() {
    TChartCanvas& canvas = Canvas();
    canvas.SetBackgroundMode(cbmTransparent);
    if (m_axisPen.Visible()) {
        canvas.ApplyPen(m_axisPen, m_axisPen.Color());
        if (Horizontal()) {
            canvas.HorizontalLine(m_startPos, m_endPos, m_axisLinePos);
        } else {
            canvas.VerticalLine(m_axisLinePos, m_startPos, m_endPos);
        }
    }
    if (m_ticks.Visible()) {
        DrawTicks(m_ticks, m_tickPositions, m_tickLength, false);
    }
    if (m_grid.Visible()) {
        if (m_gridCentered) {
            std::vector<int> centred;
            for (std::size_t i = 1; i < m_tickPositions.size(); ++i) {
                centred.push_back(RoundHalfEven((m_tickPositions[i] + m_tickPositions[i - 1]) * 0.5));
            }
            DrawGridLines(m_grid, centred);
        } else {
            DrawGridLines(m_grid, m_tickPositions);
        }
    }
    if (m_ticksInner.Visible()) {
        DrawTicks(m_ticksInner, m_tickPositions, m_tickInnerLength, true);
    }
    if ((m_minorTicks.Visible() || m_minorGrid.Visible()) && !m_tickPositions.empty()) {
        const std::vector<int> minor = MinorTickPositions();
        if (m_minorTicks.Visible()) {
            DrawTicks(m_minorTicks, minor, m_minorTickLength, false);
        }
        if (m_minorGrid.Visible()) {
            DrawGridLines(m_minorGrid, minor);
        }
    }
}

} // namespace mouldview::chart
