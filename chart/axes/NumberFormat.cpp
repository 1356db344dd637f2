// Pattern-driven number formatting for axis labels.
#include "chart/axes/NumberFormat.h"

#include "platform/runtime/RegionalSettings.h"

#include <charconv>
#include <clocale>
#include <cmath>

namespace mouldview::chart {

TNumberFormatSettings UserNumberFormatSettings() {
    TNumberFormatSettings settings;
    settings.DecimalSeparator.assign(1, runtime::DecimalSeparator());
    settings.ThousandSeparator.clear();
    const std::lconv* conventions = std::localeconv();
    if (conventions != nullptr && conventions->thousands_sep != nullptr) {
        settings.ThousandSeparator = conventions->thousands_sep;
    }
    // The C locale has no thousands separator; the pattern still asks for groups.
    if (settings.ThousandSeparator.empty() || settings.ThousandSeparator == settings.DecimalSeparator) {
        settings.ThousandSeparator.assign(1, settings.DecimalSeparator == "," ? '.' : ',');
    }
    return settings;
}

namespace {

struct TPattern {
    std::string_view Prefix;
    std::string_view Suffix;
    int MinIntegerDigits = 0;
    int MinDecimals = 0;
    int MaxDecimals = 0;
    bool Grouping = false;
};

bool IsNumberChar(char c) {
    return c == '#' || c == '0' || c == ',' || c == '.';
}

TPattern ParsePattern(std::string_view pattern) {
    TPattern parsed;
    std::size_t begin = 0;
    while (begin < pattern.size() && !IsNumberChar(pattern[begin])) {
        ++begin;
    }
    std::size_t end = begin;
    while (end < pattern.size() && IsNumberChar(pattern[end])) {
        ++end;
    }
    parsed.Prefix = pattern.substr(0, begin);
    parsed.Suffix = pattern.substr(end);
    bool inDecimals = false;
    for (std::size_t i = begin; i < end; ++i) {
        const char c = pattern[i];
        if (c == '.') {
            inDecimals = true;
        } else if (inDecimals) {
            // Decimal places up to the last "0" are always written, those up to the last "#" when
            // significant.
            if (c == '0' || c == '#') {
                ++parsed.MaxDecimals;
                if (c == '0') {
                    parsed.MinDecimals = parsed.MaxDecimals;
                }
            }
        } else if (c == ',') {
            parsed.Grouping = true;
        } else if (c == '0') {
            ++parsed.MinIntegerDigits;
        }
    }
    return parsed;
}

// Rounds the decimal digits "integer.fraction" to at most maxDecimals, halves away from zero.
void RoundDecimalText(std::string& integer, std::string& fraction, int maxDecimals) {
    const auto keep = static_cast<std::size_t>(maxDecimals);
    if (fraction.size() <= keep) {
        return;
    }
    const bool roundUp = fraction[keep] >= '5';
    fraction.resize(keep);
    if (!roundUp) {
        return;
    }
    for (std::size_t i = fraction.size(); i-- > 0;) {
        if (fraction[i] != '9') {
            ++fraction[i];
            return;
        }
        fraction[i] = '0';
    }
    for (std::size_t i = integer.size(); i-- > 0;) {
        if (integer[i] != '9') {
            ++integer[i];
            return;
        }
        integer[i] = '0';
    }
    integer.insert(integer.begin(), '1');
}

} // namespace

std::string FormatFloat(std::string_view pattern, double value, const TNumberFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    const TPattern parsed = ParsePattern(pattern);

    // The shortest fixed-point text that reads back as the same double.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    std::string integer(text.substr(0, point));
    std::string fraction(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));

    RoundDecimalText(integer, fraction, parsed.MaxDecimals);
    while (fraction.size() > static_cast<std::size_t>(parsed.MinDecimals) && fraction.back() == '0') {
        fraction.pop_back();
    }
    if (fraction.size() < static_cast<std::size_t>(parsed.MinDecimals)) {
        fraction.append(static_cast<std::size_t>(parsed.MinDecimals) - fraction.size(), '0');
    }
    std::size_t firstDigit = integer.find_first_not_of('0');
    integer.erase(0, firstDigit == std::string::npos ? integer.size() : firstDigit);
    const bool isZero = integer.empty() && fraction.find_first_not_of('0') == std::string::npos;
    if (integer.size() < static_cast<std::size_t>(parsed.MinIntegerDigits)) {
        integer.insert(0, static_cast<std::size_t>(parsed.MinIntegerDigits) - integer.size(), '0');
    }

    std::string out(parsed.Prefix);
    if (value < 0 && !isZero) {
        out += '-';
    }
    for (std::size_t i = 0; i < integer.size(); ++i) {
        const std::size_t remaining = integer.size() - i;
        if (parsed.Grouping && i > 0 && remaining % 3 == 0) {
            out += settings.ThousandSeparator;
        }
        out += integer[i];
    }
    if (!fraction.empty()) {
        out += settings.DecimalSeparator;
        out += fraction;
    }
    out += parsed.Suffix;
    return out;
}

} // namespace mouldview::chart
