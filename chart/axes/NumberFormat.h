// Formats numbers with patterns such as "#,##0.###": digit placeholders "0" (always shown) and "#"
// (shown when significant), "," anywhere in the integer part for thousands grouping, "." for the
// decimal separator, and literal text before and after the number. Separators come from the user's
// regional settings, or from settings a caller passes (tests, tools).
#pragma once

#include <string>
#include <string_view>

namespace mouldview::chart {

struct TNumberFormatSettings {
    std::string DecimalSeparator = ".";
    std::string ThousandSeparator = ",";
};

// The user's separators: the decimal separator of the regional settings and the matching thousands
// separator of the locale ("," or, where "," is the decimal separator, ".").
TNumberFormatSettings UserNumberFormatSettings();

// Formats value by pattern. Decimals beyond the pattern's are rounded on the value's shortest
// decimal text, halves away from zero (1.0005 gives 1.001 with three decimals); a result that rounds
// to zero carries no minus sign. Infinities and NaN are written "INF", "-INF" and "NAN".
std::string FormatFloat(std::string_view pattern, double value, const TNumberFormatSettings& settings);

} // namespace mouldview::chart
