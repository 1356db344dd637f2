// The mould index computation: 12-hour means of temperature and humidity from climate line 8 to
// LineCount - 5, a dose-response model per completed period, and the index accumulated from one
// seventeenth of each dose, held between 0 and 6.
//
// Numbers: every value is computed in extended precision (long double) and rounded to single
// precision when it is stored; later steps read the stored value. Constants keep their stated
// precisions: 0.0286, -2.118 and 0.1 are extended values, -0.4 is the single nearest to it, the
// others are exact. A stored value beyond the single range raises "Floating point overflow".
#pragma once

#include "model/ModelState.h"

namespace mouldview::model {

// Fills slot 1 of the six period groups and sets PeriodCount. The period arrays must arrive
// sized by ReadClimateFile and all zero.
void ComputeMouldIndex(TModelState& state);

// The evaluation of one complete period i whose sums are in PeriodRH[i] and PeriodTemp[i] and
// whose previous index is MouldIndex[i - 1] (slot given). Raises EOverflow for values beyond the
// single range.
void EvaluatePeriod(TModelState& state, int slot, std::size_t i);

} // namespace mouldview::model
