// Fuzzes the axis label texts and label steps. A value (any bit pattern: huge, tiny, denormal,
// infinite, NaN) is formatted in the axis format "#,##0.###" under one of several pairs of
// separators, some of them several bytes long as in real locales; the text must have the
// format's form and read back as the value to within half of the last decimal. The same value
// goes through an axis' LabelText and the step arithmetic. Then an axis of a painted chart gets a
// range from the input: the chart computes its label step and draws every label text it finds
// room for.
#include "chart/axes/AxisMath.h"
#include "chart/axes/NumberFormat.h"
#include "chart/panel/Chart.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

using namespace mouldview::chart;

// Decimal and thousands separators of real locales: English, German, French (narrow no-break
// space), Swiss (apostrophe), none, and Arabic (two-byte separators).
const TNumberFormatSettings Separators[] = {
    {".", ","}, {",", "."}, {",", "\xE2\x80\xAF"}, {".", "'"}, {",", ""}, {"\xD9\xAB", "\xD9\xAC"},
};

[[noreturn]] void Fail(const std::string& text, double value, const char* what) {
    std::fprintf(stderr, "label text '%s' for %.17g: %s\n", text.c_str(), value, what);
    std::abort();
}

// The text of a finite value: an optional minus, the integer digits in groups of three (the first
// group one to three digits), then up to three decimals that do not end in 0.
void CheckAxisText(const std::string& text, double value, const TNumberFormatSettings& settings) {
    std::string_view rest = text;
    const bool negative = rest.starts_with('-');
    rest.remove_prefix(negative ? 1 : 0);
    std::string plain = negative ? "-" : "";
    int group = 0;
    int groups = 0;
    while (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
        plain += rest[0];
        rest.remove_prefix(1);
        ++group;
        if (!settings.ThousandSeparator.empty() && rest.starts_with(settings.ThousandSeparator)) {
            if (group > 3 || group < (groups == 0 ? 1 : 3)) {
                Fail(text, value, "a digit group of the wrong size");
            }
            rest.remove_prefix(settings.ThousandSeparator.size());
            group = 0;
            ++groups;
        }
    }
    if (group == 0 || (!settings.ThousandSeparator.empty() && (group > 3 || (groups > 0 && group != 3)))) {
        Fail(text, value, "the integer part is malformed");
    }
    if (rest.starts_with(settings.DecimalSeparator)) {
        rest.remove_prefix(settings.DecimalSeparator.size());
        plain += '.';
        std::size_t decimals = 0;
        while (decimals < rest.size() && rest[decimals] >= '0' && rest[decimals] <= '9') {
            plain += rest[decimals];
            ++decimals;
        }
        if (decimals == 0 || decimals > 3 || rest[decimals - 1] == '0') {
            Fail(text, value, "malformed decimals");
        }
        rest.remove_prefix(decimals);
    }
    if (!rest.empty()) {
        Fail(text, value, "characters after the number");
    }
    if (text == "-0") {
        Fail(text, value, "a signed zero");
    }
    const double readBack = std::strtod(plain.c_str(), nullptr);
    if (!(std::fabs(readBack - value) <= 0.0005 + std::fabs(value) * 1e-15)) {
        Fail(text, value, "does not read back as the value");
    }
}

double TakeDouble(const std::uint8_t*& data, std::size_t& size) {
    double value = 0;
    if (size >= sizeof value) {
        std::memcpy(&value, data, sizeof value);
        data += sizeof value;
        size -= sizeof value;
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 10) {
        return 0;
    }
    const double value = TakeDouble(data, size);
    const TNumberFormatSettings& settings = Separators[data[0] % std::size(Separators)];
    const bool horizontal = (data[0] & 0x20) != 0;
    const int width = 20 + data[1] * 3;
    data += 2;
    size -= 2;

    const std::string text = FormatAxisValue(value, settings);
    if (std::isfinite(value)) {
        CheckAxisText(text, value, settings);
    } else if (text != (std::isnan(value) ? "NAN" : value > 0 ? "INF" : "-INF")) {
        Fail(text, value, "a wrong text for a value that is not finite");
    }
    (void)RoundHalfEven(value);
    const double step = NextNiceStep(value);
    // Below about 1e-290 the steps of the sequence are no longer apart in binary (callers stop there).
    if (std::isfinite(value) && value > 1e-290 && value < 1e300 && !(step > value)) {
        std::fprintf(stderr, "the step after %.17g is %.17g\n", value, step);
        std::abort();
    }

    TChart chart;
    chart.SetSize(width, 250);
    TChartAxis& axis = horizontal ? *chart.BottomAxis() : *chart.LeftAxis();
    axis.SetFormatSettings(settings);
    if (axis.LabelText(value) != text) {
        Fail(axis.LabelText(value), value, "LabelText differs from the axis format");
    }

    const double minimum = TakeDouble(data, size);
    const double maximum = TakeDouble(data, size);
    if (std::isfinite(minimum) && std::isfinite(maximum)) {
        axis.SetAxisRange(minimum, maximum);
    }
    chart.HandlePaint();
    return 0;
}
