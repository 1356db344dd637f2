// The dose-response model and the index accumulation, over the 12-hour sums the reader forms.
//
// Three operations are done in single precision because that gives the stored value bit for bit:
// an extended operation on two singles whose exact result is rounded to 64 bits and then to 24
// bits gives the exact result rounded to 24 bits once (double rounding is harmless when the wider
// format has at least 2 * 24 + 2 bits), and a single operation rounds it once. This covers the
// hourly sums (single + single, in the reader), the mean temperature (single / 12) and the dose
// (single * single), at a fraction of the cost of the x87 unit. The mean humidity, two extended
// steps, is one double quotient for a like reason (see Means); the linear response, exp and ln,
// and the index increment stay in extended precision.
#include "model/MouldIndex.h"

#include "model/ClimateFile.h"
#include "platform/runtime/Errors.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace mouldview::model {

namespace {

// Constants of the model in their stated precisions.
constexpr float SumDivisor = 12.0f; // hours per period
constexpr float Percent = 100.0f;
// 100 / 12 as the exact ratio 25 / 3, for the mean humidity in percent.
constexpr double HumidityPercentPerSum = 25.0;
static_assert(Percent * 3 == HumidityPercentPerSum * SumDivisor);
constexpr float PowerLawThreshold = 75.0f;
constexpr float ReferenceHumidity = 90.0f;
constexpr float PowerLawExponent = 15.5f;
constexpr float PowerLawFactor = 0.5f;
constexpr float LinearLowerEnd = 60.0f;
constexpr long double LinearSlope = 0.0286L;
constexpr long double LinearOffset = -2.118L;
constexpr float Unfavourable = -0.4f;
constexpr long double ColdLimit = 0.1L;
// 0.1 as an extended value lies between two singles, and a single lies below it exactly when it
// lies below the upper of the two, 0.1f: the comparison with a stored mean needs no x87 unit.
constexpr float ColdLimitSingle = 0.1f;
static_assert(static_cast<long double>(ColdLimitSingle) > ColdLimit &&
              static_cast<long double>(std::bit_cast<float>(std::bit_cast<std::uint32_t>(ColdLimitSingle) -
                                                            1)) < ColdLimit);
constexpr float NoResponse = 0.0f;
constexpr float ReferenceTemperature = 20.0f;
constexpr float TemperatureExponent = 2.0f;
constexpr float NoTemperatureEffect = 1.0f;
constexpr float DoseDivisor = 17.0f;
constexpr float IndexMaximum = 6.0f;
constexpr float IndexMinimum = 0.0f;

[[noreturn]] void RaiseOverflow(std::size_t period) {
    runtime::EOverflow error;
    error.SetPeriod(static_cast<std::int64_t>(period));
    throw error;
}

// Rounds an extended (or double) value to single precision as a store does, raising on overflow.
template <typename Real> float Store(Real value, std::size_t period) {
    const auto single = static_cast<float>(value);
    if (std::isinf(single)) {
        RaiseOverflow(period);
    }
    return single;
}

// A key no input can have: the bits of a NaN, and the means are never NaN.
constexpr std::uint32_t EmptyKey = 0xFFFFFFFFu;

template <typename Memo> auto& EntryFor(Memo& memo, float input) {
    const auto key = std::bit_cast<std::uint32_t>(input);
    return memo.Entries[(key * 2654435761u) >> (32 - Memo::SizeBits)];
}

template <typename Memo, typename Function> float Remembered(Memo& memo, float input, Function compute) {
    const auto key = std::bit_cast<std::uint32_t>(input);
    auto& entry = EntryFor(memo, input);
    if (entry.Key != key) {
        entry = {key, compute()};
    }
    return entry.Value;
}

} // namespace

TPeriodEvaluator::TPeriodEvaluator()
    : m_rhMemo(std::make_unique<TMemo>()), m_tempMemo(std::make_unique<TMemo>()) {
    for (TMemo* memo : {m_rhMemo.get(), m_tempMemo.get()}) {
        std::fill(std::begin(memo->Entries), std::end(memo->Entries), TMemo::TEntry{EmptyKey, 0.0f});
    }
}

void TPeriodEvaluator::Means(std::size_t period, float rhSum, float tempSum, TPeriodValues& values) {
    // The extended steps sum / 12 * 100, each rounded to 64 bits, and then the rounding to single
    // give the exact sum * 25 / 3 rounded to single once: sum * 25 is exact, and a third of it is
    // either exact or, its binary digits going on as 0101... for ever, at least 2^-31 of its size
    // away from any point where rounding to single turns, far more than a 64-bit rounding moves
    // it. A 53-bit rounding does not move it that far either, so the double quotient gives the
    // same single without the x87 unit.
    values.RH = Store(static_cast<double>(rhSum) * HumidityPercentPerSum / 3.0, period);
    values.Temp = tempSum / SumDivisor;
}

void TPeriodEvaluator::Respond(std::size_t period, TPeriodValues& values) {
    const float h = values.RH;
    if (h >= LinearLowerEnd) {
        // Both rules are remembered: the linear one costs two extended constants loaded from
        // memory, more than a look-up.
        values.RHResponse = Remembered(*m_rhMemo, h, [&] {
            if (h > PowerLawThreshold) {
                const long double ratio = static_cast<long double>(h) / ReferenceHumidity;
                return Store(std::exp(PowerLawExponent * std::log(ratio)) * PowerLawFactor, period);
            }
            // A mean of exactly 75 % takes this rule, which keeps the response positive there,
            // between its two neighbours.
            return Store(LinearSlope * static_cast<long double>(h) + LinearOffset, period);
        });
    } else {
        values.RHResponse = Unfavourable;
    }

    const float t = values.Temp;
    const bool cold = t < ColdLimitSingle;
    if (cold || values.RHResponse <= NoResponse) {
        values.TempResponse = NoTemperatureEffect;
    } else {
        values.TempResponse = Remembered(*m_tempMemo, t, [&] {
            const long double ratio = static_cast<long double>(t) / ReferenceTemperature;
            return Store(std::exp(TemperatureExponent * std::log(ratio)), period);
        });
    }

    values.Dose = values.TempResponse * values.RHResponse;
    if (std::isinf(values.Dose)) {
        RaiseOverflow(period);
    }
    if (cold) {
        values.Dose = Unfavourable;
    }
}

float TPeriodEvaluator::NextIndex(float dose, float previousIndex) {
    // The division does not lengthen the chain from period to period: it depends on the dose
    // alone, so the processor does it ahead. Cannot overflow: the increment is at most the single
    // maximum / 17 and the index at most 6.
    const long double increment = static_cast<long double>(dose) / DoseDivisor;
    float index = static_cast<float>(increment + previousIndex);
    index = index > IndexMaximum ? IndexMaximum : index;
    return index >= IndexMinimum ? index : IndexMinimum;
}

void ComputeMouldIndex(TModelState& state) {
    if (state.DatasetCount < 1) {
        return;
    }
    std::vector<float>& periodRH = state.PeriodRH[DataSlot];
    std::vector<float>& periodTemp = state.PeriodTemp[DataSlot];
    const auto complete = static_cast<std::size_t>(CompletePeriodsFor(state.LineCount));
    TPeriodEvaluator evaluator;
    float index = 0.0f;
    for (std::size_t k = 1; k <= complete; ++k) {
        // A float sum that overflowed is infinite from there on, as its inputs are finite.
        if (std::isinf(periodRH[k]) || std::isinf(periodTemp[k])) {
            RaiseOverflow(k);
        }
        TPeriodValues values;
        TPeriodEvaluator::Means(k, periodRH[k], periodTemp[k], values);
        evaluator.Respond(k, values);
        index = TPeriodEvaluator::NextIndex(values.Dose, index);
        periodRH[k] = values.RH;
        periodTemp[k] = values.Temp;
        state.RHResponse[DataSlot][k] = values.RHResponse;
        state.TempResponse[DataSlot][k] = values.TempResponse;
        state.PeriodDose[DataSlot][k] = values.Dose;
        state.MouldIndex[DataSlot][k] = index;
    }
    // The hours after the last complete period stay plain sums in the next element.
    if (std::isinf(periodRH[complete + 1]) || std::isinf(periodTemp[complete + 1])) {
        RaiseOverflow(complete + 1);
    }
    state.PeriodCount = static_cast<std::int32_t>(complete + 1);
}

} // namespace mouldview::model
