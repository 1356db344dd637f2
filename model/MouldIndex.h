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

#include <cstdint>
#include <memory>

namespace mouldview::model {

// Fills slot 1 of the six period groups and sets PeriodCount. The period arrays must arrive
// sized by ReadClimateFile and all zero.
void ComputeMouldIndex(TModelState& state);

// The evaluation of complete periods. The humidity response depends only on the stored mean
// humidity and the temperature response only on the stored mean temperature, and the means of a
// real climate series take few distinct values (sums of readings with one to three decimals), so
// the evaluator remembers recent responses by the bits of their input: the same float in gives
// the same float out, and most periods need no exp or ln at all.
class TPeriodEvaluator {
public:
    TPeriodEvaluator();
    // Evaluates period i of the slot, whose sums are in PeriodRH[i] and PeriodTemp[i] and whose
    // previous index is MouldIndex[i - 1]. Raises EOverflow for values beyond the single range.
    void Evaluate(TModelState& state, int slot, std::size_t i);

private:
    struct TMemo {
        static constexpr std::size_t Size = 16384;
        std::uint32_t Keys[Size];
        float Values[Size];
    };
    std::unique_ptr<TMemo> m_rhMemo;
    std::unique_ptr<TMemo> m_tempMemo;
};

} // namespace mouldview::model
