// The table outputs of mouldexport: the period table as CSV and the run's summary.
#pragma once

#include "model/ModelState.h"

#include <cstdio>

namespace mouldview::tools {

// Header "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index", then one row per
// evaluated period 1 .. PeriodCount - 1. Numbers have 9 significant digits, which read back to the
// stored floats exactly, with "." as decimal point.
void WriteCsv(const model::TModelState& state, std::FILE* out);

// Lines read, periods evaluated, the maximum index and its (first) period, the first period with
// index >= 1 (or "none") and how many periods have index >= 1.
void WriteSummary(const model::TModelState& state, std::FILE* out);

} // namespace mouldview::tools
