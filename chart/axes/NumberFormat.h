// The texts of axis labels: numbers in the format "#,##0.###", that is the integer part with at
// least one digit and groups of three, then at most three decimals, rounded, with trailing zeros
// and a bare decimal separator dropped. The separators are the user's regional ones, or those a
// caller passes (tests).
#pragma once

#include <string>

namespace mouldview::chart {

struct TNumberFormatSettings {
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
};

// The user's separators: the decimal separator of the regional settings and the matching thousands
// separator of the locale ("," or, where "," is the decimal separator, ".").
TNumberFormatSettings UserNumberFormatSettings();

// Formats value as "#,##0.###". The decimals are rounded on the value's shortest decimal text,
// halves away from zero (1.0005 gives 1.001); a result that rounds to zero carries no minus sign.
// Infinities and NaN are written "INF", "-INF" and "NAN".
std::string FormatAxisValue(double value, const TNumberFormatSettings& settings);

} // namespace mouldview::chart
