// Axis settings, the range from the series, the value/pixel mapping and the choice of the label
// increment.
#include "chart/axes/ChartAxis.h"

#include "chart/axes/AxisMath.h"
#include "chart/canvas/ChartCanvas.h"
#include "chart/series/ChartSeries.h"
#include "chart/series/ParentChart.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace mouldview::chart {

TChartAxis::TChartAxis(TParentChart& chart, bool horizontal)
    : TChangeNotifier([&chart] { chart.RequestRepaint(); }), m_chart(chart), m_horizontal(horizontal),
      m_formatSettings(UserNumberFormatSettings()), m_title([&chart] { chart.RequestRepaint(); }) {}

// --- Range settings --------------------------------------------------------------------------------

void TChartAxis::SetAutomatic(bool value) {
    // While the stored layout is read, the flag is written alone, so that the layout's own
    // AutomaticMinimum/AutomaticMaximum values are not overwritten by whichever comes first.
    const bool alone = m_chart.IsLoading();
    const bool changed =
        m_automatic != value || (!alone && (m_automaticMinimum != value || m_automaticMaximum != value));
    m_automatic = value;
    if (!alone) {
        m_automaticMinimum = value;
        m_automaticMaximum = value;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetAutomaticMinimum(bool value) {
    const bool automatic = value ? m_automaticMaximum || m_automatic : false;
    const bool changed = m_automaticMinimum != value || m_automatic != automatic;
    m_automaticMinimum = value;
    m_automatic = automatic;
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetAutomaticMaximum(bool value) {
    const bool automatic = value ? m_automaticMinimum || m_automatic : false;
    const bool changed = m_automaticMaximum != value || m_automatic != automatic;
    m_automaticMaximum = value;
    m_automatic = automatic;
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetAxisRange(double a, double b) {
    if (a > b) {
        std::swap(a, b);
    }
    const bool changed =
        m_automatic || m_automaticMinimum || m_automaticMaximum || m_minimum != a || m_maximum != b;
    m_automatic = m_automaticMinimum = m_automaticMaximum = false;
    m_minimum = a;
    m_maximum = b;
    // A zoom band of no height or width still leaves a drawable range.
    if (m_maximum - m_minimum < MinRangeSpan) {
        m_maximum = m_minimum + MinRangeSpan;
    }
    if (changed) {
        Changed();
    }
}

void TChartAxis::ScrollAxisBy(double delta) {
    m_automatic = m_automaticMaximum = m_automaticMinimum = false;
    m_maximum += delta;
    m_minimum += delta;
    Changed();
}

void TChartAxis::RestoreRange(double minimum, double maximum) {
    const bool changed = m_minimum != minimum || m_maximum != maximum;
    m_minimum = minimum;
    m_maximum = maximum;
    if (changed) {
        Changed();
    }
}

void TChartAxis::SetFormatSettings(TNumberFormatSettings settings) {
    m_formatSettings = std::move(settings);
    Changed();
}

// --- Range from the data ---------------------------------------------------------------------------

double TChartAxis::AxisDataExtent(bool wantMinimum) const {
    bool found = false;
    double extent = 0;
    for (const TChartSeries* series : m_chart.SeriesList()) {
        if (series->PointCount() == 0 || !series->IsAssociatedToAxis(*this)) {
            continue;
        }
        const double value = m_horizontal ? (wantMinimum ? series->MinX() : series->MaxX())
                                          : (wantMinimum ? series->MinY() : series->MaxY());
        if (!found || (wantMinimum ? value < extent : value > extent)) {
            extent = value;
            found = true;
        }
    }
    return extent;
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
    // The axis spans its whole side of the rectangle: left to right, or top to bottom.
    m_startPos = m_horizontal ? rect.Left : rect.Top;
    m_endPos = m_horizontal ? rect.Right : rect.Bottom;
    m_axisSize = m_endPos - m_startPos;
    m_centerPos = (m_startPos + m_endPos) / 2;
    RangeChanged();
}

void TChartAxis::ApplyPixelMargins() {
    // The values that the mapping puts at the ends become the range.
    const double first = PixelToValue(m_startPos);
    const double second = PixelToValue(m_endPos);
    m_workMax = second;
    m_workMin = first;
    if (m_workMin > m_workMax) {
        std::swap(m_workMin, m_workMax);
    }
    RangeChanged();
}

TPixelMapping TChartAxis::PixelMapping() const {
    TPixelMapping mapping;
    mapping.constant = m_rangeIsZero;
    mapping.constantPixel = m_centerPos;
    mapping.origin = m_workMin;
    mapping.scale = m_pixelsPerUnit;
    // The bottom axis grows from StartPos to the right, the left axis from EndPos (the bottom) up.
    mapping.base = m_horizontal ? m_startPos : m_endPos;
    mapping.subtract = !m_horizontal;
    return mapping;
}

double TChartAxis::PixelToValue(int pixel) const {
    if (m_axisSize < 1) {
        return 0;
    }
    const double d = (static_cast<double>(pixel) - m_startPos) * m_workRange / m_axisSize;
    return m_horizontal ? m_workMin + d : m_workMax - d;
}

// --- Label increment -------------------------------------------------------------------------------

std::string TChartAxis::LabelText(double value) const {
    return FormatAxisValue(value, m_formatSettings);
}

int TChartAxis::LabelSize(double value) {
    TChartCanvas& canvas = m_chart.Canvas();
    return m_horizontal ? canvas.TextWidth(LabelText(value)) : canvas.TextHeight("W");
}

double TChartAxis::ComputeIncrement() {
    m_chart.Canvas().ApplyFont(m_labelsFont);
    const int size =
        std::max({LabelSize(m_workMax), LabelSize(m_workMin), LabelSize((m_workMax + m_workMin) * 0.5)});
    int labelCount = 1;
    if (size > 0) {
        const int gap = RoundHalfEven(LabelsSeparation * 0.01 * size);
        labelCount = RoundHalfEven(static_cast<double>(m_axisSize) / (size + gap));
    }
    return IncrementForLabelCount(labelCount);
}

double TChartAxis::IncrementForLabelCount(int labelCount) const {
    if (labelCount < 1) {
        return MinIncrement;
    }
    double increment = 1;
    if (!m_rangeIsZero) {
        increment = std::fabs(m_workRange) / (labelCount + 1.0);
        // Period numbers are whole: with no more points than labels, a label per point is enough.
        if (m_workRange >= 1 && m_horizontal && increment < 1) {
            for (const TChartSeries* series : m_chart.SeriesList()) {
                if (series->IsAssociatedToAxis(*this) && series->PointCount() <= labelCount) {
                    increment = 1;
                    break;
                }
            }
        }
    }
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
    if (std::isinf(increment)) {
        return m_workRange;
    }
    return std::max(MinIncrement, increment);
}

} // namespace mouldview::chart
