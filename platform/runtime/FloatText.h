// Conversion of number texts to single-precision reals, as the climate file writes them.
//
// Syntax of a whole field: optional blanks, an optional sign "+" or "-", a run of decimal digits,
// optionally the decimal separator and a further run of digits (at least one digit or the
// separator must be present; a lone separator reads as 0), optionally an exponent of "E" or "e",
// an optional sign and decimal digits, and optional blanks. Nothing else.
//
// A number is converted correctly rounded to extended precision (long double) and that value is
// then rounded to single precision, which is what the model stores.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace mouldview::runtime {

enum class TFloatStatus {
    Ok,       // converted
    Invalid,  // not of the syntax, or beyond the extended range: "'%s' is not a valid floating point value"
    Overflow, // within the extended range but beyond the single range: "Floating point overflow"
};

// The general conversion: any text of the syntax above, with any number of digits.
TFloatStatus TextToFloat(std::string_view text, char separator, float& value);

// The error texts of the two failures.
std::string InvalidFloatMessage(std::string_view text);
inline constexpr const char* FloatOverflowMessage = "Floating point overflow";

// The fast conversion of ordinary numbers, inline because it runs twice per climate line.
namespace fasttext {

inline constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
inline constexpr double ReciprocalPowersOfTen[] = {1e0,  1e-1, 1e-2, 1e-3,  1e-4,  1e-5, 1e-6,
                                                   1e-7, 1e-8, 1e-9, 1e-10, 1e-11, 1e-12};
inline constexpr std::uint64_t PowersOfTenInteger[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
inline constexpr int MaxFastDigits = 15;
inline constexpr int MaxFastFractionDigits = 12;

inline std::uint64_t Load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The number of leading decimal digits among the 8 bytes of a little-endian word (8 when all are
// digits). A byte below '0' wraps to a value with the high bit set after the subtraction; a byte
// above '9' gets it from the added 0x76. Borrows and carries only pass from a byte to the next
// higher one, so the lowest flagged byte is exact.
inline int LeadingDigits(std::uint64_t word) {
    const std::uint64_t values = word - 0x3030303030303030u;
    const std::uint64_t flags = (values | (values + 0x7676767676767676u)) & 0x8080808080808080u;
    return flags == 0 ? 8 : std::countr_zero(flags) / 8;
}

// The value of the first count (1 to 7) digits of a word: they are moved to the top, which
// leaves zeros in front of them, and the eight digits are combined pairwise by multiplications.
inline std::uint64_t DigitsValue(std::uint64_t word, int count) {
    std::uint64_t values = (word - 0x3030303030303030u) << (8 * (8 - count));
    values = values * 10 + (values >> 8);
    values = (((values & 0x000000FF000000FFu) * 0x000F424000000064u) +
              (((values >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u)) >>
             32;
    return values & 0xFFFFFFFFu;
}

// mantissa / 10^fractionCount rounded to float. The quotient rounded once to double rounds to the
// right float (see FastTextToFloat). A product with the rounded reciprocal is faster than the
// division and lies within two units of the double's last place of the exact quotient, so it
// rounds to the same float unless it lies that close to a float rounding boundary, where the bits
// below the float's precision read 1000...0; only then is the division needed.
inline float Quotient(std::uint64_t mantissa, int fractionCount) {
    const double product = static_cast<double>(mantissa) * ReciprocalPowersOfTen[fractionCount];
    const std::uint64_t belowFloat = std::bit_cast<std::uint64_t>(product) & 0x1FFFFFFFu;
    if (belowFloat - (0x10000000u - 4) <= 8) {
        return static_cast<float>(static_cast<double>(mantissa) / PowersOfTen[fractionCount]);
    }
    return static_cast<float>(product);
}

// The digit-by-digit parse for runs of 8 digits or more.
const char* SlowOrdinaryNumber(const char* p, char separator, float& value);

} // namespace fasttext

// The fast conversion of an ordinary number: blanks, sign, at most 15 digits of which at most 12
// after the separator, blanks; no exponent. Parses at text and returns the first character after
// the number and its trailing blanks, or nullptr when the text is not such a number (then the
// general conversion decides). Stops at any character outside the syntax, so a caller that knows
// the field ends in a tab, CR or LF needs no length; it reads digits 8 bytes at a time, so at
// least 8 readable bytes must follow that end. Where it gives a value, that value is
// bit-identical to the one TextToFloat gives for the same field: the quotient of a 15-digit
// integer and a power of ten up to 10^12, rounded once to double, rounds to the same float as the
// exact value (and as its extended-precision rounding), because no such quotient lies close
// enough to a float rounding boundary for the intermediate rounding to land on it.
inline const char* FastTextToFloat(const char* text, char separator, float& value) {
    using namespace fasttext;
    const char* p = text;
    while (*p == ' ') {
        ++p;
    }
    const char* numberStart = p;
    const bool negative = *p == '-';
    p += static_cast<int>(negative || *p == '+');
    const int integerCount = LeadingDigits(Load8(p));
    if (integerCount == 8) {
        return SlowOrdinaryNumber(numberStart, separator, value);
    }
    std::uint64_t mantissa = integerCount == 0 ? 0 : DigitsValue(Load8(p), integerCount);
    p += integerCount;
    int fractionCount = 0;
    if (*p == separator) {
        ++p;
        fractionCount = LeadingDigits(Load8(p));
        if (fractionCount == 8) {
            return SlowOrdinaryNumber(numberStart, separator, value);
        }
        if (fractionCount > 0) {
            mantissa = mantissa * PowersOfTenInteger[fractionCount] + DigitsValue(Load8(p), fractionCount);
            p += fractionCount;
        }
    }
    // A lone separator or an exponent: general conversion.
    if (integerCount + fractionCount == 0 || *p == 'e' || *p == 'E') {
        return nullptr;
    }
    while (*p == ' ') {
        ++p;
    }
    const float magnitude = Quotient(mantissa, fractionCount);
    value = negative ? -magnitude : magnitude;
    return p;
}

} // namespace mouldview::runtime
