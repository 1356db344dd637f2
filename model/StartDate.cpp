// A small scanner for the start-date forms the control file accepts.
#include "model/StartDate.h"

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
bool TimeOfDay(TScanner& scanner) {
    int hour = 0;
    int minute = 0;
    int second = 0;
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

} // namespace

bool IsValidStartDate(std::string_view value, int currentYear) {
    TScanner scanner(value);
    int numbers[3] = {};
    int digits[3] = {};
    int count = 0;
    scanner.SkipBlanks();
    if (!scanner.Number(numbers[0], digits[0])) {
        return false;
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
        return false;
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
        return false;
    }
    const std::size_t afterDate = scanner.Position();
    scanner.SkipBlanks();
    if (scanner.AtEnd()) {
        return true;
    }
    if (scanner.Position() == afterDate || !TimeOfDay(scanner)) {
        return false;
    }
    scanner.SkipBlanks();
    return scanner.AtEnd();
}

int CurrentYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

} // namespace mouldview::model
