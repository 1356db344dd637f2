// A small scanner for the start-date forms the control file accepts, and the day counting that
// moves a moment by whole hours.
#include "model/StartDate.h"

#include <cstdio>
#include <ctime>

namespace mouldview::model {

namespace {

class TScanner {
public:
    explicit TScanner(std::string_view text) : m_text(text) {}

    void SkipBlanks() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ') {
            ++m_pos;
        }
    }
    bool Take(char c) {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    // A run of decimal digits; its value saturates far above any valid field.
    bool Number(int& value, int& digits) {
        value = 0;
        digits = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') {
            value = value > 99999 ? 999999 : value * 10 + (m_text[m_pos] - '0');
            ++digits;
            ++m_pos;
        }
        return digits > 0;
    }
    bool AtEnd() const { return m_pos == m_text.size(); }
    std::size_t Position() const { return m_pos; }
    void SetPosition(std::size_t pos) { m_pos = pos; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

// H:MM or H:MM:SS.
bool TimeOfDay(TScanner& scanner, int& hour, int& minute, int& second) {
    int digits = 0;
    if (!scanner.Number(hour, digits) || digits > 2 || hour > 23 || !scanner.Take(':')) {
        return false;
    }
    if (!scanner.Number(minute, digits) || digits != 2 || minute > 59) {
        return false;
    }
    if (scanner.Take(':') && (!scanner.Number(second, digits) || digits != 2 || second > 59)) {
        return false;
    }
    return true;
}

// Days since 1970-01-01 of a Gregorian date, and back: the civil-calendar counting in eras of 400
// years (146097 days), in which March is the first month so that the leap day comes last.
long long DaysFromCivil(long long year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yearOfEra = year - era * 400;
    const long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long long days, long long& year, int& month, int& day) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const long long dayOfEra = days - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

} // namespace

bool IsValidStartDate(std::string_view value, int currentYear) {
    return ParseStartDate(value, currentYear).has_value();
}

std::optional<TStartMoment> ParseStartDate(std::string_view value, int currentYear) {
    TScanner scanner(value);
    int numbers[3] = {};
    int digits[3] = {};
    int count = 0;
    scanner.SkipBlanks();
    if (!scanner.Number(numbers[0], digits[0])) {
        return std::nullopt;
    }
    count = 1;
    for (; count < 3; ++count) {
        const std::size_t before = scanner.Position();
        scanner.SkipBlanks();
        if (!scanner.Take('-')) {
            scanner.SetPosition(before);
            break;
        }
        scanner.SkipBlanks();
        if (!scanner.Number(numbers[count], digits[count])) {
            // A "-" without a number after it is not part of the date (after three numbers it
            // is taken below).
            scanner.SetPosition(before);
            break;
        }
    }
    if (count < 2) {
        return std::nullopt;
    }
    if (count == 3) {
        const std::size_t before = scanner.Position();
        scanner.SkipBlanks();
        if (!scanner.Take('-')) {
            scanner.SetPosition(before);
        }
    }
    int year = currentYear;
    int month = numbers[0];
    int day = numbers[1];
    if (count == 3) {
        year = numbers[0];
        month = numbers[1];
        day = numbers[2];
        if (digits[0] <= 2) {
            year += currentYear / 100 * 100;
        }
    }
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    TStartMoment moment{year, month, day, 0, 0, 0};
    const std::size_t afterDate = scanner.Position();
    scanner.SkipBlanks();
    if (scanner.AtEnd()) {
        return moment;
    }
    if (scanner.Position() == afterDate || !TimeOfDay(scanner, moment.Hour, moment.Minute, moment.Second)) {
        return std::nullopt;
    }
    scanner.SkipBlanks();
    if (!scanner.AtEnd()) {
        return std::nullopt;
    }
    return moment;
}

TStartMoment AddHours(const TStartMoment& start, long long hours) {
    const long long total = start.Hour + hours;
    const long long dayShift = total / 24;
    long long year = 0;
    TStartMoment moment = start;
    CivilFromDays(DaysFromCivil(start.Year, start.Month, start.Day) + dayShift, year, moment.Month,
                  moment.Day);
    moment.Year = static_cast<int>(year);
    moment.Hour = static_cast<int>(total - dayShift * 24);
    return moment;
}

std::string FormatMoment(const TStartMoment& moment, char separator) {
    char text[48];
    int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d%c%02d:%02d", moment.Year, moment.Month,
                               moment.Day, separator, moment.Hour, moment.Minute);
    if (moment.Second != 0) {
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), ":%02d",
                                moment.Second);
    }
    return std::string(text, static_cast<std::size_t>(length));
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace mouldview::model
