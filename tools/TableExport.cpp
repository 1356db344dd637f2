// Writes the period table and the summary of a computed model state.
#include "tools/TableExport.h"

#include <cstdint>

namespace mouldview::tools {

namespace {

// %.9g of a float's value: enough digits to read back to the same float.
void PutNumber(std::FILE* out, float value) {
    std::fprintf(out, ",%.9g", static_cast<double>(value));
}

} // namespace

void WriteCsv(const model::TModelState& state, std::FILE* out) {
    std::fputs("period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index\n", out);
    if (state.DatasetCount < 1) {
        return;
    }
    for (std::int32_t k = 1; k < state.PeriodCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        std::fprintf(out, "%d", k);
        PutNumber(out, state.PeriodRH[model::DataSlot][i]);
        PutNumber(out, state.PeriodTemp[model::DataSlot][i]);
        PutNumber(out, state.RHResponse[model::DataSlot][i]);
        PutNumber(out, state.TempResponse[model::DataSlot][i]);
        PutNumber(out, state.PeriodDose[model::DataSlot][i]);
        PutNumber(out, state.MouldIndex[model::DataSlot][i]);
        std::fputc('\n', out);
    }
}

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
        std::fprintf(out, "maximum index: %.9g in period %d\n", static_cast<double>(maximum), maximumPeriod);
    }
    if (firstAtLeastOne == 0) {
        std::fputs("first period with index >= 1: none\n", out);
    } else {
        std::fprintf(out, "first period with index >= 1: %d\n", firstAtLeastOne);
    }
    std::fprintf(out, "periods with index >= 1: %d\n", atLeastOne);
}

} // namespace mouldview::tools
