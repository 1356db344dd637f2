// The number format of axis labels.
#include "chart/axes/NumberFormat.h"

#include "platform/runtime/RegionalSettings.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <string_view>

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

// Decimals an axis label shows at most.
constexpr std::size_t MaxDecimals = 3;

// Rounds the decimal digits "integer.fraction" to at most `keep` decimals, halves away from zero.
void RoundDecimalText(std::string& integer, std::string& fraction, std::size_t keep) {
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

std::string FormatAxisValue(double value, const TNumberFormatSettings& settings) {
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    // The shortest fixed-point text that reads back as the same double.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t point = text.find('.');
    std::string integer(text.substr(0, point));
    std::string fraction(point == std::string_view::npos ? std::string_view() : text.substr(point + 1));

    RoundDecimalText(integer, fraction, MaxDecimals);
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.pop_back();
    }
    integer.erase(0, std::min(integer.find_first_not_of('0'), integer.size()));
    const bool isZero = integer.empty() && fraction.empty();
    if (integer.empty()) {
        integer = "0";
    }

    std::string out;
    if (value < 0 && !isZero) {
        out += '-';
    }
    for (std::size_t i = 0; i < integer.size(); ++i) {
        if (i > 0 && (integer.size() - i) % 3 == 0) {
            out += settings.ThousandSeparator;
        }
        out += integer[i];
    }
    if (!fraction.empty()) {
        out += settings.DecimalSeparator;
        out += fraction;
    }
    return out;
}

} // namespace mouldview::chart
