// The summary of a run, as mouldexport writes it (the period table is model/PeriodTable's).
#pragma once

#include "model/ModelState.h"

#include <cstdio>

namespace mouldview::tools {

// Lines read, periods evaluated, the maximum index and its (first) period, the first period with
// index >= 1 (or "none") and how many periods have index >= 1. When the state knows its start
// moment, the two periods are followed by the date of their first hour: "in period 7
// (2008-01-18T07:00)".
void WriteSummary(const model::TModelState& state, std::FILE* out);

} // namespace mouldview::tools
