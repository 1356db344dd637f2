// Axis settings with their checks, the range from the series, the value/pixel mapping and the
// choice of the label increment.
#include "chart/axes/ChartAxis.h"

#include "chart/axes/AxisException.h"
#include "chart/axes/AxisMath.h"
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ParentChart.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace mouldview::chart {

namespace {

// Stores value in field and tells whether it changed.
template <class T> bool Store(T& field, T value) {
    if (field == value) {
        return false;
    }
    field = std::move(value);
    return true;
}

} // namespace

TChartAxis::TChartAxis(TParentChart& chart, bool horizontal, bool otherSide, int titleAngle, bool depth)
    : TCustomChartAxis(horizontal, depth), m_chart(chart), m_otherSide(otherSide),
      m_formatSettings(UserNumberFormatSettings()), m_labelsFont([this] { Changed(); }),
      m_axisPen([this] { Changed(); }), m_grid([this] { Changed(); }), m_ticks([this] { Changed(); }),
      m_minorTicks([this] { Changed(); }), m_ticksInner([this] { Changed(); }),
      m_minorGrid([this] { Changed(); }), m_title(titleAngle, [this] { Changed(); }) {
    if (depth) {
        m_visible = false;
    }
}

void TChartAxis::Changed() const {
    m_chart.RequestRepaint();
}

TChartCanvas& TChartAxis::Canvas() const {
    return m_chart.Canvas();
}

// --- Range settings --------------------------------------------------------------------------------

void TChartAxis::SetAutomatic(bool value) {
    bool changed = Store(m_automatic, value);
    // While the stored layout is read, the flag is written alone, so that the layout's own
    // AutomaticMinimum/AutomaticMaximum values are not overwritten by whichever comes first.
    if (!m_chart.IsLoading()) {
        changed = Store(m_automaticMinimum, value) || changed;
        changed = Store(m_automaticMaximum, value) || changed;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    bool changed = Store(m_automaticMinimum, value);
    if (!value) {
        changed = Store(m_automatic, false) || changed;
    } else if (m_automaticMaximum) {
        changed = Store(m_automatic, true) || changed;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    bool changed = Store(m_automaticMaximum, value);
    if (!value) {
        changed = Store(m_automatic, false) || changed;
    } else if (m_automaticMinimum) {
        changed = Store(m_automatic, true) || changed;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetMinimum(double value) {
    if (!m_chart.IsLoading() && value > m_maximum) {
        throw AxisException("Axis Minimum Value must be <= Maximum");
    }
    if (Store(m_minimum, value)) {
        Changed();
    }
}

void TChartAxis::SetMaximum(double value) {
    if (!m_chart.IsLoading() && value < m_minimum) {
        throw AxisException("Axis Maximum Value must be >= Minimum");
    }
    if (Store(m_maximum, value)) {
        Changed();
    }
}

void TChartAxis::SetIncrement(double value) {
    if (value < 0) {
        throw AxisException("Axis increment must be >= 0");
    }
    if (Store(m_increment, value)) {
        Changed();
    }
}

void TChartAxis::SetAxisRange(double a, double b) {
    bool changed = Store(m_automatic, false);
    changed = Store(m_automaticMinimum, false) || changed;
    changed = Store(m_automaticMaximum, false) || changed;
    if (a > b) {
        std::swap(a, b);
    }
    changed = Store(m_minimum, a) || changed;
    changed = Store(m_maximum, b) || changed;
    // A zoom band of no height or width still leaves a drawable range.
    if (m_maximum - m_minimum < MinRangeSpan) {
        m_maximum = m_minimum + MinRangeSpan;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::ScrollAxisBy(double delta, bool checkLimits) {
    if (checkLimits) {
        // Scroll only towards data that lies beyond the current end.
        const bool allowed = (delta > 0 && AxisDataExtent(false) > m_maximum) ||
                             (delta < 0 && AxisDataExtent(true) < m_minimum);
        if (!allowed) {
            return;
        }
    }
    m_automatic = false;
    m_automaticMaximum = false;
    m_automaticMinimum = false;
    m_maximum += delta;
    m_minimum += delta;
    Changed();
}

void TChartAxis::RestoreRange(double minimum, double maximum) {
    bool changed = Store(m_minimum, minimum);
    changed = Store(m_maximum, maximum) || changed;
    if (changed) {
        Changed();
    }
}

// --- Other settings --------------------------------------------------------------------------------

#define MOULDVIEW_AXIS_SETTER(Name, Type, field)                                                             \
    void TChartAxis::Set##Name(Type value) {                                                                 \
        if (Store(field, std::move(value))) {                                                                \
            Changed();                                                                                       \
        }                                                                                                    \
    }

MOULDVIEW_AXIS_SETTER(Visible, bool, m_visible)
MOULDVIEW_AXIS_SETTER(Inverted, bool, m_inverted)
MOULDVIEW_AXIS_SETTER(Logarithmic, bool, m_logarithmic)
MOULDVIEW_AXIS_SETTER(LogarithmicBase, double, m_logarithmicBase)
MOULDVIEW_AXIS_SETTER(StartPosition, double, m_startPosition)
MOULDVIEW_AXIS_SETTER(EndPosition, double, m_endPosition)
MOULDVIEW_AXIS_SETTER(PositionPercent, double, m_positionPercent)
MOULDVIEW_AXIS_SETTER(PositionUnits, TChartUnits, m_positionUnits)
MOULDVIEW_AXIS_SETTER(MinimumOffset, int, m_minimumOffset)
MOULDVIEW_AXIS_SETTER(MaximumOffset, int, m_maximumOffset)
MOULDVIEW_AXIS_SETTER(Labels, bool, m_labels)
MOULDVIEW_AXIS_SETTER(LabelsAngle, int, m_labelsAngle)
MOULDVIEW_AXIS_SETTER(LabelsSeparation, int, m_labelsSeparation)
MOULDVIEW_AXIS_SETTER(LabelsSize, int, m_labelsSize)
MOULDVIEW_AXIS_SETTER(LabelsAlternate, bool, m_labelsAlternate)
MOULDVIEW_AXIS_SETTER(LabelsMultiLine, bool, m_labelsMultiLine)
MOULDVIEW_AXIS_SETTER(LabelsExponent, bool, m_labelsExponent)
MOULDVIEW_AXIS_SETTER(LabelsOnAxis, bool, m_labelsOnAxis)
MOULDVIEW_AXIS_SETTER(LabelStyle, TAxisLabelStyle, m_labelStyle)
MOULDVIEW_AXIS_SETTER(LabelsAlign, TAxisLabelAlign, m_labelsAlign)
MOULDVIEW_AXIS_SETTER(AxisValuesFormat, std::string, m_axisValuesFormat)
MOULDVIEW_AXIS_SETTER(DateTimeFormat, std::string, m_dateTimeFormat)
MOULDVIEW_AXIS_SETTER(ExactDateTime, bool, m_exactDateTime)
MOULDVIEW_AXIS_SETTER(RoundFirstLabel, bool, m_roundFirstLabel)
MOULDVIEW_AXIS_SETTER(TickLength, int, m_tickLength)
MOULDVIEW_AXIS_SETTER(TickInnerLength, int, m_tickInnerLength)
MOULDVIEW_AXIS_SETTER(MinorTickCount, int, m_minorTickCount)
MOULDVIEW_AXIS_SETTER(MinorTickLength, int, m_minorTickLength)
MOULDVIEW_AXIS_SETTER(TickOnLabelsOnly, bool, m_tickOnLabelsOnly)
MOULDVIEW_AXIS_SETTER(GridCentered, bool, m_gridCentered)
MOULDVIEW_AXIS_SETTER(TitleSize, int, m_titleSize)

#undef MOULDVIEW_AXIS_SETTER

void TChartAxis::SetFormatSettings(TNumberFormatSettings settings) {
    m_formatSettings = std::move(settings);
    Changed();
}

// --- Range from the data ---------------------------------------------------------------------------

double TChartAxis::AxisDataExtent(bool wantMinimum) const {
    const std::vector<TChartSeries*>& list = m_chart.SeriesList();
    // Inactive series count only when no active series is associated at all, so that an axis whose
    // series are all switched off keeps their range instead of collapsing to 0.
    const bool anyActive = std::any_of(list.begin(), list.end(), [this](const TChartSeries* s) {
        return s->Active() && s->IsAssociatedToAxis(*this);
    });
    bool found = false;
    double extent = 0;
    for (const TChartSeries* series : list) {
        if ((!series->Active() && anyActive) || series->PointCount() == 0 ||
            !series->IsAssociatedToAxis(*this)) {
            continue;
        }
        const double value = Horizontal() ? (wantMinimum ? series->MinX() : series->MaxX())
                                          : (wantMinimum ? series->MinY() : series->MaxY());
        if (!found) {
            extent = value;
            found = true;
        } else if (wantMinimum ? value < extent : value > extent) {
            extent = value;
        }
    }
    return extent;
}

bool TChartAxis::HasActiveSeries() const {
    bool anyActive = false;
    for (const TChartSeries* series : m_chart.SeriesList()) {
        if (!series->Active()) {
            continue;
        }
        anyActive = true;
        if (!series->UsesAxes()) {
            return false;
        }
        if (series->IsAssociatedToAxis(*this)) {
            return true;
        }
    }
    return !anyActive;
}

void TChartAxis::ComputeDataRange() {
    // Automatic ends are stored directly: the data may lie on either side of the other end, and a
    // paint must never fail on the setters' checks.
    if (m_automatic || m_automaticMaximum) {
        m_maximum = AxisDataExtent(false);
    }
    if (m_automatic || m_automaticMinimum) {
        m_minimum = AxisDataExtent(true);
    }
    m_workMax = m_maximum;
    m_workMin = m_minimum;
    RangeChanged();
}

void TChartAxis::RangeChanged() {
    m_workRange = m_workMax - m_workMin;
    m_rangeIsZero = m_workRange == 0;
    m_pixelsPerUnit = m_rangeIsZero ? 0 : m_axisSize / m_workRange;
}

// --- Pixels ----------------------------------------------------------------------------------------

void TChartAxis::ComputePositions() {
    ComputePositionsOn(m_chart.ChartRect());
}

void TChartAxis::ComputePositionsOn(const TRect& rect) {
    const int origin = Horizontal() ? rect.Left : rect.Top;
    const int side = Horizontal() ? rect.Right - rect.Left : rect.Bottom - rect.Top;
    SetPositions(origin + RoundHalfEven(side * 0.01 * m_startPosition),
                 origin + RoundHalfEven(side * 0.01 * m_endPosition));
}

void TChartAxis::SetPositions(int startPos, int endPos) {
    m_startPos = startPos;
    m_endPos = endPos;
    m_axisSize = m_endPos - m_startPos;
    m_centerPos = (m_startPos + m_endPos) / 2;
    RangeChanged();
}

void TChartAxis::SeriesPixelMargins(int& atStart, int& atEnd) const {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    for (const TChartSeries* series : m_chart.SeriesList()) {
        if (!series->Active() || !series->IsAssociatedToAxis(*this)) {
            continue;
        }
        int a = 0;
        int b = 0;
        if (Horizontal()) {
            series->HorizMargins(a, b);
            if (m_automaticMinimum) {
                left = std::max(left, a);
            }
            if (m_automaticMaximum) {
                right = std::max(right, b);
            }
        } else {
            series->VertMargins(a, b);
            if (m_automaticMaximum) {
                top = std::max(top, a);
            }
            if (m_automaticMinimum) {
                bottom = std::max(bottom, b);
            }
        }
    }
    if (m_minimumOffset != 0 || m_maximumOffset != 0) {
        // The low values lie left (bottom), or right (top) on an inverted axis.
        int& low = Horizontal() ? (m_inverted ? right : left) : (m_inverted ? top : bottom);
        int& high = Horizontal() ? (m_inverted ? left : right) : (m_inverted ? bottom : top);
        low += m_minimumOffset;
        high += m_maximumOffset;
    }
    atStart = Horizontal() ? left : top;
    atEnd = Horizontal() ? right : bottom;
}

void TChartAxis::ApplyPixelMargins(int atStart, int atEnd) {
    const int fullStart = m_startPos;
    const int fullEnd = m_endPos;
    m_startPos += atStart;
    m_endPos -= atEnd;
    m_axisSize = m_endPos - m_startPos;
    // The values that the narrowed mapping puts at the full ends become the range.
    const double first = PixelToValue(fullStart);
    const double second = PixelToValue(fullEnd);
    m_workMax = second;
    m_workMin = first;
    if (m_workMin > m_workMax) {
        std::swap(m_workMin, m_workMax);
    }
    SetPositions(fullStart, fullEnd);
}

void TChartAxis::ApplySeriesMargins() {
    int atStart = 0;
    int atEnd = 0;
    SeriesPixelMargins(atStart, atEnd);
    ApplyPixelMargins(atStart, atEnd);
    if (m_minimumOffset != 0 || m_maximumOffset != 0) {
        m_titlePos = Outward(m_labelsPos, m_labels ? LabelBandSize() : 0);
    }
}

int TChartAxis::ValueToPixel(double value) const {
    TPixelMapping mapping;
    PixelMapping(mapping);
    return mapping.Map(value);
}

bool TChartAxis::PixelMapping(TPixelMapping& mapping) const {
    mapping.constant = m_rangeIsZero;
    mapping.constantPixel = m_centerPos;
    mapping.origin = m_workMin;
    mapping.scale = m_pixelsPerUnit;
    // Horizontal axes grow from StartPos, vertical ones from EndPos (the bottom) upwards.
    const bool fromEnd = Horizontal() == m_inverted;
    mapping.base = fromEnd ? m_endPos : m_startPos;
    mapping.subtract = fromEnd;
    return true;
}

double TChartAxis::PixelToValue(int pixel) const {
    if (m_axisSize < 1) {
        return 0;
    }
    const double offset =
        m_inverted ? static_cast<double>(m_endPos) - pixel : static_cast<double>(pixel) - m_startPos;
    const double d = offset * m_workRange / m_axisSize;
    return Horizontal() ? m_workMin + d : m_workMax - d;
}

// --- Label increment -------------------------------------------------------------------------------

std::string TChartAxis::LabelText(double value) const {
    std::string text = FormatFloat(m_axisValuesFormat, value, m_formatSettings);
    m_chart.AxisLabelEvent(*this, value, text);
    if (m_labelsMultiLine) {
        std::replace(text.begin(), text.end(), ' ', '\n');
    }
    return text;
}

int TChartAxis::LabelSize(double value) {
    const std::string text = LabelText(value);
    if (text.empty()) {
        return 0;
    }
    TChartCanvas& canvas = Canvas();
    int lines = 0;
    int widest = 0;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find('\n', begin);
        const std::string_view line = std::string_view(text).substr(begin, end - begin);
        ++lines;
        widest = std::max(widest, canvas.TextWidth(line));
        if (end == std::string::npos) {
            break;
        }
        begin = end + 1;
    }
    const bool across = Horizontal() ? (m_labelsAngle == 90 || m_labelsAngle == 270)
                                     : (m_labelsAngle == 0 || m_labelsAngle == 180);
    return across ? canvas.TextHeight("W") * lines : widest;
}

double TChartAxis::ComputeIncrement() {
    Canvas().ApplyFont(m_labelsFont);
    int size = std::max(LabelSize(m_workMax), LabelSize(m_workMin));
    if (m_increment != 0) {
        size = std::max({size, LabelSize(m_workMin + m_increment), LabelSize(m_workMax - m_increment)});
    } else {
        size = std::max(size, LabelSize((m_workMax + m_workMin) * 0.5));
    }
    int labelCount = 1;
    if (size > 0) {
        const int gap = m_labelsSeparation > 0 ? RoundHalfEven(m_labelsSeparation * 0.01 * size) : 0;
        labelCount = RoundHalfEven(static_cast<double>(m_axisSize) / (size + gap));
    }
    double increment = IncrementForLabelCount(labelCount);
    if (m_labelsAlternate) {
        increment = m_logarithmic ? increment / m_logarithmicBase : increment / 2;
    }
    return increment;
}

double TChartAxis::IncrementForLabelCount(int labelCount) const {
    if (labelCount < 1) {
        return MinIncrement;
    }
    double increment = 0;
    if (m_increment > 0) {
        increment = m_increment;
    } else if (m_rangeIsZero) {
        increment = 1;
    } else {
        increment = std::fabs(m_workRange) / (labelCount + 1.0);
        // Point numbers are whole: with no more points than labels, a label per point is enough.
        if (m_workRange >= 1 && SeriesXRunAlong() && increment < 1) {
            for (const TChartSeries* series : m_chart.SeriesList()) {
                if (series->Active() && series->IsAssociatedToAxis(*this) &&
                    series->PointCount() <= labelCount) {
                    increment = 1;
                    break;
                }
            }
        }
    }
    if (m_labelsSeparation > 0) {
        // Raise the step along 1-2-5 until the labels fit.
        long long count = static_cast<long long>(labelCount) + 1;
        do {
            const double previous = increment;
            const double ratio = m_workRange / increment;
            if (std::fabs(ratio) < 2147483647.0) {
                count = RoundHalfEven(ratio);
                if (count > labelCount) {
                    increment = NextNiceStep(increment);
                }
            } else {
                increment = NextNiceStep(increment);
            }
            // An increment that cannot grow (an undefined range) ends the search.
            if (!(increment > previous) && count > labelCount) {
                break;
            }
        } while (!(count <= labelCount || increment > m_workRange || std::isinf(increment)));
    }
    if (std::isinf(increment)) {
        return m_workRange;
    }
    return std::max(MinIncrement, increment);
}

} // namespace mouldview::chart
