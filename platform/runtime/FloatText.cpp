// Number texts to floats: a strict syntax check, then strtold for the general case and a
// division in double precision for ordinary numbers.
#include "platform/runtime/FloatText.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace mouldview::runtime {

using namespace fasttext;

namespace {

bool IsDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

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

const char* fasttext::SlowOrdinaryNumber(const char* p, char separator, float& value) {
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
    value = negative ? -Quotient(mantissa, fractionCount) : Quotient(mantissa, fractionCount);
    return p;
}

} // namespace mouldview::runtime
