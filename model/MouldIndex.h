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

#include <cstddef>
#include <cstdint>
#include <memory>

namespace mouldview::model {

// Fills slot 1 of the six period groups and sets PeriodCount. The period arrays must arrive as
// ReadClimateFile leaves them: sized, all zero but the 12-hour sums in PeriodRH and PeriodTemp.
void ComputeMouldIndex(TModelState& state);

// The values of one evaluated period, as they are stored in the six period groups.
struct TPeriodValues {
    float RH = 0.0f;
    float Temp = 0.0f;
    float RHResponse = 0.0f;
    float TempResponse = 0.0f;
    float Dose = 0.0f;
    float Index = 0.0f;
};

// The evaluation of complete periods. The humidity response depends only on the stored mean
// humidity and the temperature response only on the stored mean temperature, and the means of a
// real climate series take few distinct values (sums of readings with one to three decimals), so
// the evaluator remembers recent responses by the bits of their input: the same float in gives
// the same float out, and most periods need no exp or ln at all.
class TPeriodEvaluator {
public:
    TPeriodEvaluator();
    // The two means of the given period from its 12-hour sums. Raises EOverflow, naming the
    // period, for a value beyond the single range.
    static void Means(std::size_t period, float rhSum, float tempSum, TPeriodValues& values);
    // The two responses and the dose of the given period from its means. Raises EOverflow,
    // naming the period, for a value beyond the single range.
    void Respond(std::size_t period, TPeriodValues& values);
    // The index after a period from its dose and the index before it: the index plus dose / 17
    // in extended precision, held between 0 and 6.
    static float NextIndex(float dose, float previousIndex);

private:
    // Direct-mapped: ten million hours of climate have some seventeen thousand distinct mean
    // humidities of 60 % and more and twelve thousand distinct warm mean temperatures, and 65536
    // slots keep nearly all of them; key and value side by side cost one cache line per look-up.
    struct TMemo {
        static constexpr int SizeBits = 16;
        static constexpr std::size_t Size = std::size_t{1} << SizeBits;
        struct TEntry {
            std::uint32_t Key;
            float Value;
        };
        TEntry Entries[Size];
    };
    std::unique_ptr<TMemo> m_rhMemo;
    std::unique_ptr<TMemo> m_tempMemo;
};

} // namespace mouldview::model
