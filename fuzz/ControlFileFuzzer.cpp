// Fuzzes the control-file reader and the start-date validation. The input is a control file read
// through the real reader (any mix of tags, markup, line ends and Ctrl-Z); its only failures may
// be the reader's own errors. The same bytes also go to the date validation directly, and their
// first bytes choose a date of year, month and day written with "-" and blanks, which must be
// accepted exactly when it exists in the Gregorian calendar.
#include "fuzz/MemoryFile.h"
#include "model/ControlFile.h"
#include "model/StartDate.h"
#include "platform/runtime/Errors.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace mouldview;

bool ExistsInCalendar(int year, int month, int day) {
    static constexpr int Days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= (month == 2 && leap ? 29 : Days[month - 1]);
}

// A date of three numbers with blanks where the input's bits say; years of three digits or more,
// so that no century is added.
void CheckWrittenDate(const std::uint8_t* data, int currentYear) {
    const int year = 100 + (data[0] | data[1] << 8) % 10000;
    const int month = data[2] % 14;
    const int day = data[3] % 33;
    const unsigned blanks = data[4];
    const auto blank = [&](int bit) { return std::string((blanks >> bit & 1) != 0 ? " " : ""); };
    const std::string text = blank(0) + std::to_string(year) + blank(1) + "-" + blank(2) +
                             std::to_string(month) + blank(3) + "-" + blank(4) +
                             (month < 10 && (blanks & 0x80) != 0 ? "0" : "") + std::to_string(day) +
                             blank(5) + ((blanks & 0x40) != 0 ? "-" : "") + blank(6);
    const std::optional<model::TStartMoment> moment = model::ParseStartDate(text, currentYear);
    if (moment.has_value() != ExistsInCalendar(year, month, day) ||
        (moment && *moment != model::TStartMoment{year, month, day, 0, 0, 0})) {
        std::fprintf(stderr, "start date '%s' judged or read wrongly\n", text.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 7) {
        return 0;
    }
    const int currentYear = 1 + (data[0] | data[1] << 8) % 9999;
    CheckWrittenDate(data + 2, currentYear);
    data += 7;
    size -= 7;

    model::IsValidStartDate(std::string_view(reinterpret_cast<const char*>(data), size), currentYear);

    const fuzz::TMemoryFile file(data, size);
    try {
        model::ReadControlFile(file.Path(), currentYear);
    } catch (const runtime::EConvertError& error) {
        if (error.Message().find("' is not a valid date and time") == std::string::npos) {
            std::fprintf(stderr, "unexpected conversion error: %s\n", error.Message().c_str());
            std::abort();
        }
    }
    const std::string climate = model::ClimateFileNameFor(file.Path());
    if (climate != file.Path() + ".txt") {
        std::abort();
    }
    return 0;
}
