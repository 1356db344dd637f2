// The control file's start date: its validation, the moment it names, and the calendar arithmetic
// that turns hours since that moment into dates.
//
// Accepted: optional blanks, then year-month-day or month-day (the current year), the numbers
// separated by "-" with optional blanks before each number and each "-"; after a date of three
// numbers one more "-" may follow. A date of the Gregorian calendar, years 1 to 9999, February
// 29 only in leap years. A year written with one or two digits lies in the current century.
// After the date may follow, after blanks, a time of day H:MM or H:MM:SS (hours 0 to 23), and
// blanks. Nothing else.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mouldview::model {

// A moment of the Gregorian calendar, to the second, in no particular time zone.
struct TStartMoment {
    int Year = 1;
    int Month = 1;
    int Day = 1;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    bool operator==(const TStartMoment&) const = default;
};

// The moment a valid start date names (a date without a time starts at 0:00), or nothing.
std::optional<TStartMoment> ParseStartDate(std::string_view value, int currentYear);

bool IsValidStartDate(std::string_view value, int currentYear);

// The moment `hours` (>= 0) hours after `start`: calendar arithmetic, no time zones or leap seconds.
TStartMoment AddHours(const TStartMoment& start, long long hours);

// "2008-01-15T07:00" (ISO 8601) with separator 'T', "2008-01-15 07:00" with ' '; the seconds
// follow as ":SS" only when they are not 0.
std::string FormatMoment(const TStartMoment& moment, char separator);

// The calendar year now, in local time.
int CurrentYear();

} // namespace mouldview::model
