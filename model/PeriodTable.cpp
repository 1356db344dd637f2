// Formats the period table row by row; rows are gathered into blocks so that a file or a string
// receives the text in few large pieces.
#include "model/PeriodTable.h"

#include <cstdio>
#include <stdexcept>

namespace mouldview::model {

namespace {

constexpr std::size_t BlockSize = 64 * 1024;

// ",%.9g" of a float's value: enough digits to read back to the same float.
void PutNumber(std::string& block, float value) {
    char text[32];
    const int length = std::snprintf(text, sizeof text, ",%.9g", static_cast<double>(value));
    block.append(text, static_cast<std::size_t>(length));
}

} // namespace

void WritePeriodTable(const TModelState& state, bool dates,
                      const std::function<void(std::string_view)>& put) {
    if (dates && !state.StartOfCalculation) {
        throw std::logic_error("the period table's dates need a start moment");
    }
    std::string block = "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index";
    block += dates ? ",start\n" : "\n";
    if (state.DatasetCount >= 1) {
        for (std::int32_t k = 1; k < state.PeriodCount; ++k) {
            const auto i = static_cast<std::size_t>(k);
            block += std::to_string(k);
            PutNumber(block, state.PeriodRH[DataSlot][i]);
            PutNumber(block, state.PeriodTemp[DataSlot][i]);
            PutNumber(block, state.RHResponse[DataSlot][i]);
            PutNumber(block, state.TempResponse[DataSlot][i]);
            PutNumber(block, state.PeriodDose[DataSlot][i]);
            PutNumber(block, state.MouldIndex[DataSlot][i]);
            if (dates) {
                block += ',';
                block += FormatMoment(AddHours(*state.StartOfCalculation, PeriodFirstHour(k)), 'T');
            }
            block += '\n';
            if (block.size() >= BlockSize) {
                put(block);
                block.clear();
            }
        }
    }
    put(block);
}

std::string PeriodTableText(const TModelState& state, bool dates) {
    std::string text;
    WritePeriodTable(state, dates, [&text](std::string_view piece) { text += piece; });
    return text;
}

} // namespace mouldview::model
