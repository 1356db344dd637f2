// The period table of a computed model state as CSV text, the one writer behind mouldexport --csv
// and the result window's Save and Copy, and the hours of the climate file each period covers.
#pragma once

#include "model/ModelState.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace mouldview::model {

// Line 1 of the climate file is hour 0. Period k holds lines 12k - 4 to 12k + 7 (its first line is
// the eighth of the file for k = 1), so it covers these hours.
constexpr long long PeriodFirstHour(std::int32_t period) {
    return 12LL * period - 5;
}
constexpr long long PeriodLastHour(std::int32_t period) {
    return 12LL * period + 6;
}

// Header "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index", then one row per
// evaluated period 1 .. PeriodCount - 1, each line ending in LF. Numbers have 9 significant
// digits, which read back to the stored floats exactly, with "." as decimal point. With `dates`
// (which needs the state's StartOfCalculation) a last column "start" holds the first hour of each
// period in ISO 8601 ("2008-01-15T07:00"). The text goes to `put` in pieces of whole lines.
void WritePeriodTable(const TModelState& state, bool dates, const std::function<void(std::string_view)>& put);

// The whole table as one text.
std::string PeriodTableText(const TModelState& state, bool dates = false);

} // namespace mouldview::model
