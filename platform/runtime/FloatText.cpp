// Number texts to floats: a strict syntax check, then strtold for the general case and a
// division in double precision for ordinary numbers.
#include "platform/runtime/FloatText.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <bit>

namespace mouldview::runtime {

namespace {

bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// Powers of ten that are exact in double precision, for the fast conversion.
constexpr double PowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
constexpr std::uint64_t PowersOfTenInteger[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
constexpr int MaxFastDigits = 15;
constexpr int MaxFastFractionDigits = 12;

// Exponents are clamped to this magnitude before strtold sees them; any value beyond it is far
// outside the extended range whatever the mantissa's digits.
constexpr std::int64_t ExponentLimit = 1'000'000'000'000'000;

} // namespace

std::string InvalidFloatMessage(std::string_view text) {
    std::string message = "'";
    message.append(text);
    message.append("' is not a valid floating point value");
    return message;
}

TFloatStatus TextToFloat(std::string_view text, char separator, float& value) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') {
        ++i;
    }
    std::string canonical;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            canonical.push_back('-');
        }
        ++i;
    }
    const std::size_t integerStart = i;
    while (i < n && IsDigit(text[i])) {
        ++i;
    }
    const std::string_view integerDigits = text.substr(integerStart, i - integerStart);
    std::string_view fractionDigits;
    bool hasSeparator = false;
    if (i < n && text[i] == separator) {
        hasSeparator = true;
        const std::size_t fractionStart = ++i;
        while (i < n && IsDigit(text[i])) {
            ++i;
        }
        fractionDigits = text.substr(fractionStart, i - fractionStart);
    }
    if (integerDigits.empty() && !hasSeparator) {
        return TFloatStatus::Invalid;
    }
    std::int64_t exponent = 0;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        bool negative = false;
        if (i < n && (text[i] == '+' || text[i] == '-')) {
            negative = text[i] == '-';
            ++i;
        }
        if (i == n || !IsDigit(text[i])) {
            return TFloatStatus::Invalid;
        }
        while (i < n && IsDigit(text[i])) {
            exponent = std::min(exponent * 10 + (text[i] - '0'), ExponentLimit);
            ++i;
        }
        if (negative) {
            exponent = -exponent;
        }
    }
    while (i < n && text[i] == ' ') {
        ++i;
    }
    if (i != n) {
        return TFloatStatus::Invalid;
    }

    canonical.append(integerDigits.empty() ? std::string_view("0") : integerDigits);
    canonical.push_back('.');
    canonical.append(fractionDigits.empty() ? std::string_view("0") : fractionDigits);
    canonical.push_back('e');
    canonical.append(std::to_string(exponent));

    errno = 0;
    const long double extended = std::strtold(canonical.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(extended)) {
        return TFloatStatus::Invalid;
    }
    const auto single = static_cast<float>(extended);
    if (std::isinf(single)) {
        return TFloatStatus::Overflow;
    }
    value = single;
    return TFloatStatus::Ok;
}

namespace {

std::uint64_t Load8(const char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// The number of leading decimal digits among the 8 bytes of a little-endian word (8 when all are
// digits). A byte below '0' wraps to a value with the high bit set after the subtraction; a byte
// above '9' gets it from the added 0x76. Borrows and carries only pass from a byte to the next
// higher one, so the lowest flagged byte is exact.
int LeadingDigits(std::uint64_t word) {
    const std::uint64_t values = word - 0x3030303030303030u;
    const std::uint64_t flags = (values | (values + 0x7676767676767676u)) & 0x8080808080808080u;
    return flags == 0 ? 8 : std::countr_zero(flags) / 8;
}

// The value of the first count (1 to 7) digits of a word: they are moved to the top, which
// leaves zeros in front of them, and the eight digits are combined pairwise by multiplications.
std::uint64_t DigitsValue(std::uint64_t word, int count) {
    std::uint64_t values = (word - 0x3030303030303030u) << (8 * (8 - count));
    values = values * 10 + (values >> 8);
    values = (((values & 0x000000FF000000FFu) * 0x000F424000000064u) +
              (((values >> 16) & 0x000000FF000000FFu) * 0x0000271000000001u)) >>
             32;
    return values & 0xFFFFFFFFu;
}

// The same parse, one digit at a time, for runs of 8 digits or more.
const char* SlowOrdinaryNumber(const char* p, char separator, float& value) {
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    std::uint64_t mantissa = 0;
    const char* digitsStart = p;
    unsigned digit;
    while ((digit = static_cast<unsigned char>(*p - '0')) < 10) {
        mantissa = mantissa * 10 + digit;
        ++p;
    }
    int digitCount = static_cast<int>(p - digitsStart);
    int fractionCount = 0;
    if (*p == separator) {
        const char* fractionStart = ++p;
        while ((digit = static_cast<unsigned char>(*p - '0')) < 10) {
            mantissa = mantissa * 10 + digit;
            ++p;
        }
        fractionCount = static_cast<int>(p - fractionStart);
        digitCount += fractionCount;
    }
    if (digitCount == 0 || digitCount > MaxFastDigits || fractionCount > MaxFastFractionDigits || *p == 'e' ||
        *p == 'E') {
        return nullptr;
    }
    while (*p == ' ') {
        ++p;
    }
    const auto single = static_cast<float>(static_cast<double>(mantissa) / PowersOfTen[fractionCount]);
    value = negative ? -single : single;
    return p;
}

} // namespace

const char* FastTextToFloat(const char* text, char separator, float& value) {
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
    const auto single = static_cast<float>(static_cast<double>(mantissa) / PowersOfTen[fractionCount]);
    value = negative ? -single : single;
    return p;
}

} // namespace mouldview::runtime
