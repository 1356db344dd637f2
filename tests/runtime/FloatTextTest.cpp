// Number texts: the syntax, the two failures, the decimal separator, and the fast conversion
// proven bit-identical to the general one on millions of random ordinary numbers.
#include "platform/runtime/FloatText.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using mouldview::runtime::FastTextToFloat;
using mouldview::runtime::TextToFloat;
using mouldview::runtime::TFloatStatus;

TFloatStatus Convert(const std::string& text, char separator, float& value) {
    return TextToFloat(text, separator, value);
}

float Value(const std::string& text, char separator = '.') {
    float value = -12345.0f;
    EXPECT_EQ(Convert(text, separator, value), TFloatStatus::Ok) << "'" << text << "'";
    return value;
}

TFloatStatus Status(const std::string& text, char separator = '.') {
    float value = 0.0f;
    return Convert(text, separator, value);
}

// The fast conversion on a field followed by a tab, in a buffer with room to read ahead.
const char* Fast(const std::string& text, char separator, float& value, std::string& buffer) {
    buffer = text + "\t" + std::string(16, '\0');
    return FastTextToFloat(buffer.data(), separator, value);
}

TEST(FloatText, AcceptsTheSyntax) {
    EXPECT_EQ(Value("20"), 20.0f);
    EXPECT_EQ(Value("0.95"), 0.95f);
    EXPECT_EQ(Value("1.5E1"), 15.0f);
    EXPECT_EQ(Value("1.5e+1"), 15.0f);
    EXPECT_EQ(Value("150e-1"), 15.0f);
    EXPECT_EQ(Value("-3"), -3.0f);
    EXPECT_EQ(Value("+3"), 3.0f);
    EXPECT_EQ(Value("  7.25  "), 7.25f);
    EXPECT_EQ(Value(".5"), 0.5f);
    EXPECT_EQ(Value("5."), 5.0f);
    EXPECT_EQ(Value("."), 0.0f); // a lone separator reads as 0
    EXPECT_TRUE(std::signbit(Value("-0")));
    EXPECT_TRUE(std::signbit(Value("-.")));
    EXPECT_EQ(Value("20,5", ','), 20.5f);
    EXPECT_EQ(Value("00000000000000000000000000000000001.5"), 1.5f);
    EXPECT_EQ(Value("1e-40"), 1e-40f); // a denormal, no error
    EXPECT_EQ(Value("1e-50"), 0.0f);
    EXPECT_EQ(Value("3.4028234e38"), 3.4028234e38f);
}

TEST(FloatText, RejectsEverythingElse) {
    for (const char* text : {"",    " ",    "+",     "-",     "e5",  ".e",  "1e",  "1e+",    "1.2.3",
                             "1,5", "20 5", "1 000", "0x10",  "nan", "NaN", "inf", "-inf",   "Infinity",
                             "20C", "\t20", "2\x1a", "1e5 5", "++1", "--1", "1-",  "12e3.4", "١"}) {
        EXPECT_EQ(Status(text), TFloatStatus::Invalid) << "'" << text << "'";
    }
    EXPECT_EQ(Status("20.5", ','), TFloatStatus::Invalid);
    EXPECT_EQ(Status(std::string("1\0", 2)), TFloatStatus::Invalid);
}

TEST(FloatText, OverflowAndTheExtendedRange) {
    EXPECT_EQ(Status("1e39"), TFloatStatus::Overflow);
    EXPECT_EQ(Status("-1e39"), TFloatStatus::Overflow);
    EXPECT_EQ(Status("1e4000"), TFloatStatus::Overflow); // still within the extended range
    EXPECT_EQ(Status("3.40282357e38"), TFloatStatus::Overflow);
    EXPECT_EQ(Status("3.40282356e38"), TFloatStatus::Ok); // rounds down to the largest float
    EXPECT_EQ(Status("1e5000"), TFloatStatus::Invalid);   // beyond the extended range
    EXPECT_EQ(Status("1e999999999999999999999"), TFloatStatus::Invalid);
    EXPECT_EQ(Value("1e-999999999999999999999"), 0.0f);
    EXPECT_EQ(Value("0e999999999999999999999"), 0.0f);
    EXPECT_EQ(mouldview::runtime::InvalidFloatMessage("20,5"), "'20,5' is not a valid floating point value");
    EXPECT_EQ(mouldview::runtime::InvalidFloatMessage(""), "'' is not a valid floating point value");
}

TEST(FloatText, ConvertsThroughExtendedPrecision) {
    // 1 + 2^-24 + 2^-70 lies just above a float midpoint; rounded to extended precision first it
    // becomes that midpoint exactly, and the tie then goes to the even float 1. Rounded once, it
    // would have gone up.
    const long double above = 1.0L + std::ldexp(1.0L, -24) + std::ldexp(1.0L, -70);
    char text[80];
    std::snprintf(text, sizeof text, "%.40Lf", above);
    EXPECT_EQ(Value(text), 1.0f);
}

TEST(FloatText, FastPathStopsAtTheFieldsEnd) {
    std::string buffer;
    float value = 0.0f;
    const char* end = Fast(" -12.5  ", '.', value, buffer);
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(*end, '\t');
    EXPECT_EQ(value, -12.5f);
    // Not ordinary: left to the general conversion.
    for (const char* text : {".", "", "-", "1e5", "1234567890123456", "0.0000000000001", "1.5E1"}) {
        EXPECT_EQ(Fast(text, '.', value, buffer), nullptr) << text;
    }
    // Ordinary, but not the whole field: the caller sees the character that stopped it.
    for (const char* text : {"20,5", "20x", "1 2", "2\r0"}) {
        const char* stop = Fast(text, '.', value, buffer);
        EXPECT_TRUE(stop == nullptr || *stop != '\t') << text;
    }
}

// Random ordinary numbers of every shape the fast path takes, and decimal texts of values right
// next to float rounding boundaries, where a wrong intermediate rounding would show.
std::string RandomOrdinaryNumber(std::mt19937_64& random, char separator) {
    std::string text;
    if (random() % 8 == 0) {
        text.append(random() % 3, ' ');
    }
    const int sign = static_cast<int>(random() % 3);
    if (sign == 1) {
        text.push_back('-');
    } else if (sign == 2) {
        text.push_back('+');
    }
    const int fraction = static_cast<int>(random() % 13);
    const int integer = static_cast<int>(random() % (16 - fraction));
    for (int i = 0; i < integer; ++i) {
        text.push_back(static_cast<char>('0' + random() % 10));
    }
    if (fraction > 0 || integer == 0 || random() % 4 == 0) {
        text.push_back(separator);
    }
    for (int i = 0; i < fraction; ++i) {
        text.push_back(static_cast<char>('0' + random() % 10));
    }
    if (integer == 0 && fraction == 0) {
        text.push_back('7');
    }
    if (random() % 8 == 0) {
        text.append(random() % 3, ' ');
    }
    return text;
}

std::string NearBoundary(std::mt19937_64& random) {
    // A random float in a climate-like range, the midpoint to its upper neighbour, nudged by a
    // few units in the 15th significant digit, printed with up to 15 significant digits.
    const float f = std::bit_cast<float>(static_cast<std::uint32_t>(0x3A000000u + random() % 0x0A000000u));
    const double midpoint = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 2e9f))) / 2;
    const double nudged = midpoint * (1.0 + (static_cast<double>(random() % 9) - 4.0) * 1e-15);
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", static_cast<int>(random() % 13), nudged);
    if (std::strlen(text) > 16) {
        std::snprintf(text, sizeof text, "%.15g", nudged);
    }
    return text;
}

// Exact float midpoints written with trailing zeros: the quotient is a tie that must go to the
// even float, and a product with an inexact reciprocal power of ten lands just beside it.
TEST(FloatText, FastPathBreaksExactTiesToEven) {
    std::mt19937_64 random(5);
    std::string buffer;
    int checked = 0;
    for (int n = 0; n < 200000; ++n) {
        const auto bits = static_cast<std::uint32_t>(0x4B800000u + random() % 0x02800000u); // 2^24 .. 2^29
        const float f = std::bit_cast<float>(bits);
        const double midpoint = (static_cast<double>(f) + static_cast<double>(std::nextafter(f, 2e9f))) / 2;
        char text[64];
        const int zeros = 1 + static_cast<int>(random() % 6);
        std::snprintf(text, sizeof text, "%.0f.%0*d", midpoint, zeros, 0);
        float fast = 0.0f;
        const char* end = Fast(text, '.', fast, buffer);
        if (end == nullptr || *end != '\t') {
            continue;
        }
        float general = 0.0f;
        ASSERT_EQ(Convert(text, '.', general), TFloatStatus::Ok);
        ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(general)) << text;
        ++checked;
    }
    EXPECT_GT(checked, 100000);
}

TEST(FloatText, FastPathIsBitIdenticalToTheGeneralPath) {
    std::mt19937_64 random(20081);
    std::string buffer;
    long fastCount = 0;
    const long total = 3'000'000;
    for (long n = 0; n < total; ++n) {
        const char separator = n % 5 == 0 ? ',' : '.';
        const std::string text = n % 3 == 0 ? NearBoundary(random) : RandomOrdinaryNumber(random, separator);
        const char usedSeparator = n % 3 == 0 ? '.' : separator;
        float fast = 0.0f;
        const char* end = Fast(text, usedSeparator, fast, buffer);
        if (end == nullptr || *end != '\t') {
            continue;
        }
        ++fastCount;
        float general = 0.0f;
        ASSERT_EQ(Convert(text, usedSeparator, general), TFloatStatus::Ok) << text;
        ASSERT_EQ(std::bit_cast<std::uint32_t>(fast), std::bit_cast<std::uint32_t>(general))
            << "'" << text << "'";
    }
    // The comparison is only worth something when the fast path really ran.
    EXPECT_GT(fastCount, total * 9 / 10);
}

} // namespace
