// Fuzzes the climate-file reader: the input is a climate file read through the real reader (the
// fast in-place path, the general path, the line rules across buffer boundaries) with either
// decimal separator and a small or the default read buffer. The result is checked against a plain
// reading of the same file: whole lines by the line rules, three cuts at tabs, the general number
// conversion, and the 12-hour sums added up as the computation's steps read. Both must agree on
// every sum to the bit, on the line count, or on the error and the line it names. Every converted
// number must also equal the text read by the C library at extended precision and rounded to
// single precision.
#include "fuzz/MemoryFile.h"
#include "model/ClimateFile.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FloatText.h"
#include "platform/runtime/TextFile.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mouldview;

struct TReading {
    std::vector<float> Temperatures;
    std::vector<float> Humidities;
    // The error, if any: its message and the line it names.
    std::optional<std::string> Error;
    std::int64_t ErrorLine = 0;
};

// A cut at the first tab: the part before it, the rest after it; without a tab, nothing before
// and the whole text after.
std::string_view Cut(std::string_view& text) {
    const auto tab = text.find('\t');
    if (tab == std::string_view::npos) {
        return {};
    }
    const std::string_view before = text.substr(0, tab);
    text.remove_prefix(tab + 1);
    return before;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "climate reader disagrees with the plain reading: %s\n", what);
    std::abort();
}

// The C library's reading of a number the conversion accepted: the same digits with "." as the
// separator, at extended precision, rounded to single precision.
void CheckAgainstLibrary(std::string_view field, char separator, float value) {
    std::string text(field);
    for (char& c : text) {
        if (c == separator) {
            c = '.';
        }
    }
    // A lone separator (with or without sign and exponent) reads as 0, which strtold does not know.
    const bool hasDigit = text.find_first_of("0123456789") < text.find_first_of("eE");
    const float expected = hasDigit ? static_cast<float>(std::strtold(text.c_str(), nullptr)) : 0.0f;
    if (hasDigit ? std::bit_cast<std::uint32_t>(expected) != std::bit_cast<std::uint32_t>(value)
                 : value != 0.0f) {
        std::fprintf(stderr, "'%s' converts to %a, the C library reads %a\n", text.c_str(),
                     static_cast<double>(value), static_cast<double>(expected));
        std::abort();
    }
}

TReading PlainReading(const std::string& path, char separator) {
    TReading reading;
    runtime::TTextFile file(path, 4096);
    std::string line;
    while (file.ReadLine(line)) {
        std::string_view rest = line;
        Cut(rest);
        const std::string_view fields[2] = {Cut(rest), Cut(rest)};
        float values[2] = {0.0f, 0.0f};
        for (int i = 0; i < 2; ++i) {
            switch (runtime::TextToFloat(fields[i], separator, values[i])) {
            case runtime::TFloatStatus::Ok:
                CheckAgainstLibrary(fields[i], separator, values[i]);
                break;
            case runtime::TFloatStatus::Invalid:
                reading.Error = runtime::InvalidFloatMessage(fields[i]);
                reading.ErrorLine = file.LineNumber();
                return reading;
            case runtime::TFloatStatus::Overflow:
                reading.Error = runtime::FloatOverflowMessage;
                reading.ErrorLine = file.LineNumber();
                return reading;
            }
        }
        reading.Temperatures.push_back(values[0]);
        reading.Humidities.push_back(values[1]);
    }
    return reading;
}

constexpr std::size_t BufferSizes[] = {2, 3, 8, 17, 33, 64, 257, runtime::TTextFile::DefaultBufferSize};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const char separator = (data[0] & 1) != 0 ? ',' : '.';
    const std::size_t bufferSize = BufferSizes[(data[0] >> 1) & 7];
    const fuzz::TMemoryFile file(data + 1, size - 1);

    const TReading expected = PlainReading(file.Path(), separator);
    model::TModelState state;
    try {
        model::ReadClimateFile(state, file.Path(), separator, bufferSize);
    } catch (const runtime::ERunError& error) {
        if (!expected.Error) {
            Fail("the reader failed on a valid file");
        }
        if (error.Message() != *expected.Error) {
            Fail("another error message");
        }
        if (error.LineNumber() != expected.ErrorLine) {
            Fail("the error names another line");
        }
        return 0;
    }
    if (expected.Error) {
        Fail("the reader accepted an invalid file");
    }
    const std::size_t lines = expected.Temperatures.size();
    if (state.DatasetCount != 1 || static_cast<std::size_t>(state.LineCount) != lines) {
        Fail("another line count");
    }
    if (state.PeriodCapacity != model::PeriodCapacityFor(state.LineCount) ||
        state.MouldIndex[1].size() !=
            std::max<std::size_t>(static_cast<std::size_t>(state.PeriodCapacity) + 1, 2) ||
        state.PeriodRH[1].size() != state.MouldIndex[1].size()) {
        Fail("period arrays sized wrongly");
    }
    // Lines 8 to lines - 5, twelve to a period, summed in line order; the hours after the last
    // complete period in the element after it.
    std::vector<float> rhSums(state.PeriodRH[1].size());
    std::vector<float> tempSums(rhSums.size());
    for (std::size_t line = 8, period = 1, hour = 0; line + 5 <= lines; ++line) {
        rhSums[period] += expected.Humidities[line - 1];
        tempSums[period] += expected.Temperatures[line - 1];
        if (++hour == 12) {
            hour = 0;
            ++period;
        }
    }
    for (std::size_t k = 0; k < rhSums.size(); ++k) {
        if (std::bit_cast<std::uint32_t>(state.PeriodRH[1][k]) != std::bit_cast<std::uint32_t>(rhSums[k]) ||
            std::bit_cast<std::uint32_t>(state.PeriodTemp[1][k]) !=
                std::bit_cast<std::uint32_t>(tempSums[k])) {
            Fail("another sum");
        }
    }
    return 0;
}
