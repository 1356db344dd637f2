// Writes the summary of a computed model state.
#include "tools/TableExport.h"

#include "model/PeriodTable.h"

#include <cstdint>
#include <string>

namespace mouldview::tools {

namespace {

// " (2008-01-18T07:00)": the first hour of the period, when the start is known.
std::string PeriodDate(const model::TModelState& state, std::int32_t period) {
    if (!state.StartOfCalculation) {
        return "";
    }
    return " (" +
           model::FormatMoment(model::AddHours(*state.StartOfCalculation, model::PeriodFirstHour(period)),
                               'T') +
           ")";
}

} // namespace

void WriteSummary(const model::TModelState& state, std::FILE* out) {
    const std::int32_t evaluated = state.PeriodCount > 0 ? state.PeriodCount - 1 : 0;
    std::fprintf(out, "lines read: %d\n", state.LineCount);
    std::fprintf(out, "periods evaluated: %d\n", evaluated);
    float maximum = 0.0f;
    std::int32_t maximumPeriod = 0;
    std::int32_t firstAtLeastOne = 0;
    std::int32_t atLeastOne = 0;
    for (std::int32_t k = 1; k <= evaluated; ++k) {
        const float index = state.MouldIndex[model::DataSlot][static_cast<std::size_t>(k)];
        if (maximumPeriod == 0 || index > maximum) {
            maximum = index;
            maximumPeriod = k;
        }
        if (index >= 1.0f) {
            ++atLeastOne;
            if (firstAtLeastOne == 0) {
                firstAtLeastOne = k;
            }
        }
    }
    if (maximumPeriod == 0) {
        std::fputs("maximum index: none\n", out);
    } else {
        std::fprintf(out, "maximum index: %.9g in period %d%s\n", static_cast<double>(maximum), maximumPeriod,
                     PeriodDate(state, maximumPeriod).c_str());
    }
    if (firstAtLeastOne == 0) {
        std::fputs("first period with index >= 1: none\n", out);
    } else {
        std::fprintf(out, "first period with index >= 1: %d%s\n", firstAtLeastOne,
                     PeriodDate(state, firstAtLeastOne).c_str());
    }
    std::fprintf(out, "periods with index >= 1: %d\n", atLeastOne);
}

} // namespace mouldview::tools
