// The period sums, the dose-response model and the index accumulation.
//
// The hourly sums are added in single precision. That is the same as adding in extended precision
// and rounding to single after every hour: the exact sum of two singles rounded to 64 bits and
// then to 24 bits equals the exact sum rounded to 24 bits once (64 >= 2 * 24 + 2), so a float
// addition gives the stored sum bit for bit, at a fraction of the cost.
#include "model/MouldIndex.h"

#include "platform/runtime/Errors.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace mouldview::model {

namespace {

// Constants of the model in their stated precisions.
constexpr float HoursPerPeriod = 12.0f;
constexpr float Percent = 100.0f;
constexpr float PowerLawThreshold = 75.0f;
constexpr float ReferenceHumidity = 90.0f;
constexpr float PowerLawExponent = 15.5f;
constexpr float PowerLawFactor = 0.5f;
constexpr float LinearLowerEnd = 60.0f;
constexpr long double LinearSlope = 0.0286L;
constexpr long double LinearOffset = -2.118L;
constexpr float Unfavourable = -0.4f;
constexpr long double ColdLimit = 0.1L;
constexpr float NoResponse = 0.0f;
constexpr float ReferenceTemperature = 20.0f;
constexpr float TemperatureExponent = 2.0f;
constexpr float NoTemperatureEffect = 1.0f;
constexpr float DoseDivisor = 17.0f;
constexpr float IndexMaximum = 6.0f;
constexpr float IndexMinimum = 0.0f;
constexpr int FirstLineUsed = 8;
constexpr int LinesLeftOut = 5;

[[noreturn]] void RaiseOverflow(std::size_t period) {
    runtime::EOverflow error;
    error.SetPeriod(static_cast<std::int64_t>(period));
    throw error;
}

// Rounds an extended value to single precision as a store does, raising on overflow.
float Store(long double value, std::size_t period) {
    const auto single = static_cast<float>(value);
    if (std::isinf(single)) {
        RaiseOverflow(period);
    }
    return single;
}

// A key no input can have: the bits of a NaN, and the means are never NaN.
constexpr std::uint32_t EmptyKey = 0xFFFFFFFFu;

template <typename Memo, typename Function> float Remembered(Memo& memo, float input, Function compute) {
    const auto key = std::bit_cast<std::uint32_t>(input);
    const std::size_t slot = (key * 2654435761u) >> 18 & (Memo::Size - 1);
    if (memo.Keys[slot] != key) {
        memo.Values[slot] = compute();
        memo.Keys[slot] = key;
    }
    return memo.Values[slot];
}

} // namespace

TPeriodEvaluator::TPeriodEvaluator()
    : m_rhMemo(std::make_unique<TMemo>()), m_tempMemo(std::make_unique<TMemo>()) {
    std::fill(std::begin(m_rhMemo->Keys), std::end(m_rhMemo->Keys), EmptyKey);
    std::fill(std::begin(m_tempMemo->Keys), std::end(m_tempMemo->Keys), EmptyKey);
}

void TPeriodEvaluator::Evaluate(TModelState& state, int slot, std::size_t i) {
    TFloatArray& periodRH = state.PeriodRH[slot];
    TFloatArray& periodTemp = state.PeriodTemp[slot];
    TFloatArray& rhResponse = state.RHResponse[slot];
    TFloatArray& tempResponse = state.TempResponse[slot];
    TFloatArray& periodDose = state.PeriodDose[slot];
    TFloatArray& mouldIndex = state.MouldIndex[slot];

    periodRH[i] = Store(static_cast<long double>(periodRH[i]) / HoursPerPeriod * Percent, i);
    periodTemp[i] = Store(static_cast<long double>(periodTemp[i]) / HoursPerPeriod, i);

    const long double h = periodRH[i];
    if (h > PowerLawThreshold) {
        rhResponse[i] = Remembered(*m_rhMemo, periodRH[i], [&] {
            return Store(std::exp(PowerLawExponent * std::log(h / ReferenceHumidity)) * PowerLawFactor, i);
        });
    } else if (h >= LinearLowerEnd) {
        // A mean of exactly 75 % takes this rule, which keeps the response positive there,
        // between its two neighbours.
        rhResponse[i] = Store(LinearSlope * h + LinearOffset, i);
    } else {
        rhResponse[i] = Unfavourable;
    }

    const long double t = periodTemp[i];
    if (t < ColdLimit || rhResponse[i] <= NoResponse) {
        tempResponse[i] = NoTemperatureEffect;
    } else {
        tempResponse[i] = Remembered(*m_tempMemo, periodTemp[i], [&] {
            return Store(std::exp(TemperatureExponent * std::log(t / ReferenceTemperature)), i);
        });
    }

    periodDose[i] = Store(static_cast<long double>(tempResponse[i]) * rhResponse[i], i);
    if (t < ColdLimit) {
        periodDose[i] = Unfavourable;
    }

    mouldIndex[i] = Store(static_cast<long double>(periodDose[i]) / DoseDivisor + mouldIndex[i - 1], i);
    if (mouldIndex[i] > IndexMaximum) {
        mouldIndex[i] = IndexMaximum;
    }
    if (!(mouldIndex[i] >= IndexMinimum)) {
        mouldIndex[i] = IndexMinimum;
    }
}

void ComputeMouldIndex(TModelState& state) {
    TPeriodEvaluator evaluator;
    std::size_t i = 1;
    int j = 0;
    for (int slot = 1; slot <= state.DatasetCount; ++slot) {
        const float* hourlyRH = state.HourlyRH[slot].Data();
        const float* hourlyTemp = state.HourlyTemp[slot].Data();
        float* periodRH = state.PeriodRH[slot].Data();
        float* periodTemp = state.PeriodTemp[slot].Data();
        TFloatArray& mouldIndex = state.MouldIndex[slot];
        mouldIndex[i - 1] = 0.0f;
        mouldIndex[i] = 0.0f;
        if (state.LineCount >= FirstLineUsed + LinesLeftOut) {
            const std::int32_t lastLine = state.LineCount - LinesLeftOut;
            std::int32_t l = FirstLineUsed;
            // Whole periods: the sums are kept in registers over the period's hours (the same
            // additions in the same order as adding into the array hour by hour).
            while (lastLine - l + 1 >= 12 - j) {
                float rhSum = periodRH[i];
                float tempSum = periodTemp[i];
                for (; j < 12; ++j, ++l) {
                    rhSum += hourlyRH[l];
                    tempSum += hourlyTemp[l];
                }
                periodRH[i] = rhSum;
                periodTemp[i] = tempSum;
                // A float sum that overflowed is infinite from there on, as its inputs are finite;
                // checking once per period finds it.
                if (std::isinf(rhSum) || std::isinf(tempSum)) {
                    RaiseOverflow(i);
                }
                evaluator.Evaluate(state, slot, i);
                j = 0;
                ++i;
            }
            // The remaining hours, fewer than 12, stay plain sums in the next period's slot.
            for (; l <= lastLine; ++l, ++j) {
                periodRH[i] += hourlyRH[l];
                periodTemp[i] += hourlyTemp[l];
            }
            if (std::isinf(periodRH[i]) || std::isinf(periodTemp[i])) {
                RaiseOverflow(i);
            }
        }
        state.PeriodCount = static_cast<std::int32_t>(i);
    }
}

} // namespace mouldview::model
