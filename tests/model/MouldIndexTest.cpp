// The mould index numbers: the worked example digit for digit, the further constant climates,
// and the edges of the period bookkeeping and of the dose-response rules.
#include "model/MouldIndex.h"

#include "ModelTestFiles.h"
#include "platform/runtime/Errors.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace mouldview::model;
using mouldview::model::testing::ConstantClimate;
using mouldview::model::testing::PlainReading;
using mouldview::model::testing::RunOn;
using mouldview::model::testing::TPlainReading;

// A float printed with 7 significant digits, the way the worked example writes its numbers.
std::string Digits(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.7g", static_cast<double>(value));
    return text;
}

int FirstPeriodAtLeast(const TModelState& state, float level) {
    for (int k = 1; k < state.PeriodCount; ++k) {
        if (state.MouldIndex[1][static_cast<std::size_t>(k)] >= level) {
            return k;
        }
    }
    return 0;
}

TEST(MouldIndex, WorkedExampleInEveryPrintedDigit) {
    TModelState state;
    RunOn(state, ConstantClimate(48, "20", "0.95"));
    EXPECT_EQ(state.LineCount, 48);
    EXPECT_EQ(state.PeriodCapacity, 4);
    EXPECT_EQ(state.PeriodCount, 4);
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(Digits(state.PeriodRH[1][k]), "94.99999");
        EXPECT_EQ(state.PeriodRH[1][k], std::nextafter(95.0f, 0.0f)); // the float just below 95
        EXPECT_EQ(state.PeriodTemp[1][k], 20.0f);
        EXPECT_EQ(Digits(state.RHResponse[1][k]), "1.155916");
        EXPECT_EQ(state.TempResponse[1][k], 1.0f);
        EXPECT_EQ(Digits(state.PeriodDose[1][k]), "1.155916");
    }
    EXPECT_EQ(Digits(state.MouldIndex[1][1]), "0.06799509");
    EXPECT_EQ(Digits(state.MouldIndex[1][2]), "0.1359902");
    EXPECT_EQ(Digits(state.MouldIndex[1][3]), "0.2039853");
    EXPECT_EQ(state.MouldIndex[1][4], 0.0f);
    EXPECT_EQ(state.MouldIndex[1].size(), 5u);
}

TEST(MouldIndex, WorkedExampleKeptUpReachesOneAndSix) {
    TModelState state;
    RunOn(state, ConstantClimate(12 * 120, "20", "0.95"));
    EXPECT_EQ(FirstPeriodAtLeast(state, 1.0f), 15);
    EXPECT_EQ(FirstPeriodAtLeast(state, 6.0f), 89);
    for (int k = 89; k < state.PeriodCount; ++k) {
        EXPECT_EQ(state.MouldIndex[1][static_cast<std::size_t>(k)], 6.0f); // and stays there
    }
}

TEST(MouldIndex, FurtherConstantClimates) {
    TModelState cool;
    RunOn(cool, ConstantClimate(48, "10", "0.80"));
    EXPECT_EQ(Digits(cool.PeriodRH[1][1]), "80.00001");
    EXPECT_EQ(Digits(cool.RHResponse[1][1]), "0.08055761");
    EXPECT_EQ(cool.TempResponse[1][1], 0.25f);
    EXPECT_EQ(Digits(cool.PeriodDose[1][1]), "0.0201394");
    EXPECT_NEAR(cool.MouldIndex[1][1], 0.0011847, 5e-8);
    EXPECT_NEAR(cool.MouldIndex[1][3] - cool.MouldIndex[1][2], 0.0011847, 5e-8);

    TModelState dry;
    RunOn(dry, ConstantClimate(48, "20", "0.70"));
    EXPECT_EQ(Digits(dry.RHResponse[1][1]), "-0.1160002");
    EXPECT_EQ(dry.TempResponse[1][1], 1.0f);
    EXPECT_EQ(Digits(dry.PeriodDose[1][1]), "-0.1160002");
    for (std::size_t k = 1; k <= 3; ++k) {
        EXPECT_EQ(dry.MouldIndex[1][k], 0.0f);
    }
}

TEST(MouldIndex, PeriodBookkeeping) {
    for (int lines = 7; lines <= 12; ++lines) {
        TModelState state;
        RunOn(state, ConstantClimate(lines, "20", "0.95"));
        EXPECT_EQ(state.PeriodCount, 1) << lines;
        EXPECT_EQ(state.MouldIndex[1][1], 0.0f);
    }
    TModelState thirteen;
    RunOn(thirteen, ConstantClimate(13, "20", "0.95"));
    EXPECT_EQ(thirteen.PeriodCount, 1);
    EXPECT_EQ(thirteen.PeriodRH[1][1], 0.95f); // line 8 alone, a plain sum that is never averaged

    TModelState twentyFour;
    RunOn(twentyFour, ConstantClimate(24, "20", "0.95"));
    EXPECT_EQ(twentyFour.PeriodCount, 2);
    EXPECT_EQ(Digits(twentyFour.MouldIndex[1][1]), "0.06799509");

    // A leftover of fewer than 12 hours stays a plain sum in PeriodRH[PeriodCount].
    TModelState leftover;
    RunOn(leftover, ConstantClimate(24 + 3, "20", "0.5"));
    EXPECT_EQ(leftover.PeriodCount, 2);
    EXPECT_EQ(leftover.PeriodRH[1][2], 1.5f);
    EXPECT_EQ(leftover.MouldIndex[1][2], 0.0f);
}

// One period evaluated from the given 12-hour sums after the given index.
TPeriodValues Evaluate(float rhSum, float tempSum, float previousIndex = 0.0f) {
    TPeriodEvaluator evaluator;
    TPeriodValues values;
    TPeriodEvaluator::Means(1, rhSum, tempSum, values);
    evaluator.Respond(1, values);
    values.Index = TPeriodEvaluator::NextIndex(values.Dose, previousIndex);
    return values;
}

TEST(MouldIndex, ResponseRuleBoundaries) {
    // A mean of exactly 60 %: the linear rule, 0.0286 * 60 - 2.118 = -0.402, and temperature has
    // no effect. (The float sum 7.2 gives exactly 60.)
    const TPeriodValues sixty = Evaluate(7.2f, 240.0f);
    EXPECT_EQ(sixty.RH, 60.0f);
    EXPECT_EQ(sixty.RHResponse, static_cast<float>(0.0286L * 60 - 2.118L));
    EXPECT_EQ(Digits(sixty.RHResponse), "-0.402");
    EXPECT_EQ(sixty.TempResponse, 1.0f);
    EXPECT_EQ(sixty.Dose, sixty.RHResponse);
    EXPECT_EQ(sixty.Index, 0.0f);
    // Just below 60 %: unfavourable, -0.4 as a float.
    const TPeriodValues below = Evaluate(std::nextafter(7.2f, 0.0f), 240.0f);
    EXPECT_LT(below.RH, 60.0f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(below.RHResponse), 0xBECCCCCDu);

    // A constant 0.75 gives exactly 75 %, which takes the linear rule too: a positive response
    // between its two neighbours.
    TModelState seventyFive;
    RunOn(seventyFive, ConstantClimate(24, "20", "0.75"));
    EXPECT_EQ(seventyFive.PeriodRH[1][1], 75.0f);
    const float at75 = seventyFive.RHResponse[1][1];
    EXPECT_EQ(at75, static_cast<float>(0.0286L * 75 - 2.118L));
    EXPECT_GT(at75, Evaluate(std::nextafter(9.0f, 0.0f), 240.0f).RHResponse);
    EXPECT_LT(at75, Evaluate(std::nextafter(9.0f, 10.0f), 240.0f).RHResponse);

    // Above about 74.06 % the linear response is positive and temperature scales it.
    const TPeriodValues warm = Evaluate(8.95f, 120.0f);
    EXPECT_GT(warm.RHResponse, 0.0f);
    EXPECT_EQ(warm.TempResponse, 0.25f);
}

TEST(MouldIndex, ColdPeriods) {
    // 0.05 C at 95 %: the dose is -0.4 whatever the humidity, the index falls by 0.4/17 per
    // period and stops at 0.
    const std::string text =
        ConstantClimate(7 + 12 * 10, "20", "0.95") + ConstantClimate(12 * 40 + 5, "0.05", "0.95");
    TModelState state;
    RunOn(state, text);
    ASSERT_EQ(state.PeriodCount, 51);
    EXPECT_GT(state.RHResponse[1][11], 1.0f);
    EXPECT_EQ(state.TempResponse[1][11], 1.0f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(state.PeriodDose[1][11]), 0xBECCCCCDu);
    EXPECT_EQ(state.MouldIndex[1][11],
              static_cast<float>(static_cast<long double>(-0.4f) / 17 + state.MouldIndex[1][10]));
    EXPECT_EQ(state.MouldIndex[1][50], 0.0f);
    for (std::size_t k = 11; k <= 50; ++k) {
        EXPECT_LE(state.MouldIndex[1][k], state.MouldIndex[1][k - 1]);
        EXPECT_GE(state.MouldIndex[1][k], 0.0f);
    }

    // A mean of exactly 0.1 stored as a float lies just above 0.1: the warm side, (t / 20)^2.
    const TPeriodValues limit = Evaluate(11.4f, 1.2f);
    EXPECT_EQ(limit.Temp, 0.1f);
    EXPECT_EQ(limit.TempResponse,
              static_cast<float>(std::exp(2 * std::log(static_cast<long double>(0.1f) / 20))));
    EXPECT_GT(limit.Dose, 0.0f);
    // Just below it: cold.
    const TPeriodValues cold = Evaluate(11.4f, std::nextafter(1.2f, 0.0f));
    EXPECT_LT(cold.Temp, 0.1f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(cold.Dose), 0xBECCCCCDu);
}

TEST(MouldIndex, IndexIsHeldBetweenZeroAndSix) {
    EXPECT_EQ(Evaluate(11.4f, 240.0f, 5.99f).Index, 6.0f);
    EXPECT_EQ(Evaluate(1.0f, 240.0f, 0.01f).Index, 0.0f);
}

TEST(MouldIndex, OverflowingPeriodValuesRaise) {
    TModelState state;
    EXPECT_THROW(RunOn(state, ConstantClimate(24, "3e38", "0.5")), mouldview::runtime::EOverflow);
    TModelState humid;
    try {
        RunOn(humid, ConstantClimate(24, "20", "300"));
        FAIL() << "no overflow";
    } catch (const mouldview::runtime::EOverflow& error) {
        EXPECT_STREQ(error.what(), "Floating point overflow");
        EXPECT_EQ(error.Period(), 1);
    }
    // Period 1's response overflows before period 2's sums do: period 1 is reported.
    TModelState both;
    try {
        RunOn(both, ConstantClimate(19, "20", "300") + ConstantClimate(17, "3e38", "0.5"));
        FAIL() << "no overflow";
    } catch (const mouldview::runtime::EOverflow& error) {
        EXPECT_EQ(error.Period(), 1);
    }
}

// The computation exactly as its steps read: every sum and every step in extended precision, each
// stored value rounded to single at once, exp and ln for every period, nothing remembered.
struct TLiteralResult {
    std::vector<float> RH, Temp, RHResponse, TempResponse, Dose, Index;
    int PeriodCount = 0;
};
TLiteralResult LiteralComputation(const TPlainReading& hours) {
    const auto lineCount = static_cast<int>(hours.Temperatures.size());
    const std::size_t length = hours.Temperatures.size() / 12 + 2;
    TLiteralResult r{std::vector<float>(length), std::vector<float>(length), std::vector<float>(length),
                     std::vector<float>(length), std::vector<float>(length), std::vector<float>(length)};
    std::size_t i = 1;
    int j = 0;
    for (int l = 8; lineCount >= 13 && l <= lineCount - 5; ++l) {
        const auto line = static_cast<std::size_t>(l - 1);
        r.RH[i] = static_cast<float>(static_cast<long double>(r.RH[i]) + hours.Humidities[line]);
        r.Temp[i] = static_cast<float>(static_cast<long double>(r.Temp[i]) + hours.Temperatures[line]);
        if (++j < 12) {
            continue;
        }
        r.RH[i] = static_cast<float>(static_cast<long double>(r.RH[i]) / 12.0f * 100.0f);
        r.Temp[i] = static_cast<float>(static_cast<long double>(r.Temp[i]) / 12.0f);
        const long double h = r.RH[i];
        if (h > 75.0f) {
            r.RHResponse[i] = static_cast<float>(std::exp(15.5f * std::log(h / 90.0f)) * 0.5f);
        } else if (h >= 60.0f) {
            r.RHResponse[i] = static_cast<float>(0.0286L * h + -2.118L);
        } else {
            r.RHResponse[i] = -0.4f;
        }
        const long double t = r.Temp[i];
        r.TempResponse[i] = t < 0.1L || r.RHResponse[i] <= 0.0f
                                ? 1.0f
                                : static_cast<float>(std::exp(2.0f * std::log(t / 20.0f)));
        r.Dose[i] = static_cast<float>(static_cast<long double>(r.TempResponse[i]) * r.RHResponse[i]);
        if (t < 0.1L) {
            r.Dose[i] = -0.4f;
        }
        r.Index[i] = static_cast<float>(static_cast<long double>(r.Dose[i]) / 17.0f + r.Index[i - 1]);
        if (r.Index[i] > 6.0f) {
            r.Index[i] = 6.0f;
        }
        if (!(r.Index[i] >= 0.0f)) {
            r.Index[i] = 0.0f;
        }
        j = 0;
        ++i;
    }
    r.PeriodCount = static_cast<int>(i);
    return r;
}

// A climate that visits every rule: seasons of readings with one and three decimals, dry and
// cold spells, steady stretches on the rule edges (60 %, 75 %, 0.1 C), readings of full single
// precision, tiny and huge magnitudes.
std::string VariedClimate(unsigned seed, int lines) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::string text;
    char line[96];
    for (int l = 0; l < lines; ++l) {
        const int spell = (l / 300) % 8;
        double temperature = 12 + 14 * std::sin(l / 2000.0) + 6 * unit(random);
        double humidity = 0.72 + 0.25 * std::sin(l / 700.0) + 0.06 * unit(random);
        const char* format = "%d\t%.1f\t%.3f\t\n";
        switch (spell) {
        case 1:
            temperature -= 20;
            break;
        case 2:
            humidity = 0.6;
            break;
        case 3:
            humidity = 0.75;
            temperature = 0.1;
            break;
        case 4:
            format = "%d\t%.9g\t%.9g\t\n";
            break;
        case 5:
            temperature *= 1e-39;
            humidity *= 1e-40;
            format = "%d\t%.9g\t%.9g\t\n";
            break;
        case 6:
            temperature *= 1e19;
            format = "%d\t%.9g\t%.3f\t\n";
            break;
        default:
            break;
        }
        std::snprintf(line, sizeof line, format, l, temperature, std::min(humidity, 1.0));
        text += line;
    }
    return text;
}

TEST(MouldIndex, EqualsTheStepsDoneLiterallyBitForBit) {
    for (const int lines : {12 * 2000 + 7, 12 * 3001 + 12, 13, 30}) {
        TModelState state;
        const std::string text = VariedClimate(static_cast<unsigned>(lines), lines);
        RunOn(state, text);
        const TLiteralResult literal = LiteralComputation(PlainReading(text, '.'));
        ASSERT_EQ(state.PeriodCount, literal.PeriodCount) << lines;
        const auto bits = [](float value) { return std::bit_cast<std::uint32_t>(value); };
        for (std::size_t k = 1; k <= static_cast<std::size_t>(literal.PeriodCount); ++k) {
            ASSERT_EQ(bits(state.PeriodRH[1][k]), bits(literal.RH[k])) << lines << " period " << k;
            ASSERT_EQ(bits(state.PeriodTemp[1][k]), bits(literal.Temp[k])) << lines << " period " << k;
            ASSERT_EQ(bits(state.RHResponse[1][k]), bits(literal.RHResponse[k])) << lines << " period " << k;
            ASSERT_EQ(bits(state.TempResponse[1][k]), bits(literal.TempResponse[k]))
                << lines << " period " << k;
            ASSERT_EQ(bits(state.PeriodDose[1][k]), bits(literal.Dose[k])) << lines << " period " << k;
            ASSERT_EQ(bits(state.MouldIndex[1][k]), bits(literal.Index[k])) << lines << " period " << k;
        }
    }
}

// The mean humidity is taken as sum * 25 / 3 in double precision, one rounding to single, where
// the steps read sum / 12 * 100 in extended precision: the two agree on random sums of every
// magnitude, subnormals included, which the climates above reach only in places.
TEST(MouldIndex, MeanHumidityShortcutEqualsTheExtendedSteps) {
    std::mt19937 random(17);
    const auto bits = [](float value) { return std::bit_cast<std::uint32_t>(value); };
    for (int n = 0; n < 2'000'000; ++n) {
        const float sum = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (!std::isfinite(sum)) {
            continue;
        }
        ASSERT_EQ(bits(static_cast<float>(static_cast<double>(sum) * 25.0 / 3.0)),
                  bits(static_cast<float>(static_cast<long double>(sum) / 12.0f * 100.0f)))
            << sum;
    }
}

} // namespace
