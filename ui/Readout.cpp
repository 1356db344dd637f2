// Finds the period under the pointer through the bottom axis' pixel-to-value mapping, and writes
// its lines.
#include "ui/Readout.h"

#include "model/PeriodTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mouldview::ui {

namespace {

std::string ThreeDigits(float value, char decimalSeparator) {
    char text[32];
    // "#" keeps trailing zeros: 1.50, 0.00, 6.00.
    std::snprintf(text, sizeof text, "%#.3g", static_cast<double>(value));
    std::string result = text;
    std::replace(result.begin(), result.end(), '.', decimalSeparator);
    return result;
}

} // namespace

std::vector<std::string> ReadoutLines(const model::TModelState& state, std::int32_t period,
                                      char decimalSeparator) {
    const float index = state.MouldIndex[model::DataSlot][static_cast<std::size_t>(period)];
    const long long first = model::PeriodFirstHour(period);
    const long long last = model::PeriodLastHour(period);
    std::string time;
    if (state.StartOfCalculation) {
        const model::TStartMoment& start = *state.StartOfCalculation;
        time = model::FormatMoment(model::AddHours(start, first), ' ') + " to " +
               model::FormatMoment(model::AddHours(start, last), ' ');
    } else {
        time = "Hours " + std::to_string(first) + " to " + std::to_string(last);
    }
    return {"Period " + std::to_string(period), "Mould index " + ThreeDigits(index, decimalSeparator), time};
}

std::optional<TReadout> ReadoutAt(const chart::TChart& chart, const model::TModelState& state, int x, int y,
                                  char decimalSeparator) {
    const chart::TRect plot = chart.ChartRect();
    const std::int32_t evaluated = state.PeriodCount - 1;
    if (evaluated < 1 || x < plot.Left || x > plot.Right || y < plot.Top || y > plot.Bottom) {
        return std::nullopt;
    }
    // The periods are the curve's x values 1 .. evaluated.
    const double value = chart.BottomAxis()->PixelToValue(x);
    const double nearest = std::clamp(std::round(value), 1.0, static_cast<double>(evaluated));
    TReadout readout;
    readout.Period = static_cast<std::int32_t>(nearest);
    const float index = state.MouldIndex[model::DataSlot][static_cast<std::size_t>(readout.Period)];
    readout.Point = {chart.BottomAxis()->PixelMapping().Map(nearest),
                     chart.LeftAxis()->PixelMapping().Map(static_cast<double>(index))};
    readout.Lines = ReadoutLines(state, readout.Period, decimalSeparator);
    return readout;
}

} // namespace mouldview::ui
