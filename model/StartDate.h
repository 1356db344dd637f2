// Validation of the control file's start date.
//
// Accepted: optional blanks, then year-month-day or month-day (the current year), the numbers
// separated by "-" with optional blanks before each number and each "-"; after a date of three
// numbers one more "-" may follow. A date of the Gregorian calendar, years 1 to 9999, February
// 29 only in leap years. A year written with one or two digits lies in the current century.
// After the date may follow, after blanks, a time of day H:MM or H:MM:SS (hours 0 to 23), and
// blanks. Nothing else.
#pragma once

#include <string_view>

namespace mouldview::model {

bool IsValidStartDate(std::string_view value, int currentYear);

// The calendar year now, in local time.
int CurrentYear();

} // namespace mouldview::model
