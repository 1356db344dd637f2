// Reads the decimal separator from the user's locale once, at program start.
#include "platform/runtime/RegionalSettings.h"

#include <clocale>
#include <cstring>

namespace mouldview::runtime {

namespace {
char g_decimalSeparator = '.';
}

void InitRegionalSettings() {
    g_decimalSeparator = '.';
    if (std::setlocale(LC_ALL, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions != nullptr && conventions->decimal_point != nullptr &&
            std::strlen(conventions->decimal_point) == 1) {
            g_decimalSeparator = conventions->decimal_point[0];
        }
    }
    // Number conversion and printing inside the program always work with "."; the user's
    // separator is applied by the climate file's own number syntax.
    std::setlocale(LC_NUMERIC, "C");
}

char DecimalSeparator() {
    return g_decimalSeparator;
}

void SetDecimalSeparator(char separator) {
    g_decimalSeparator = separator;
}

} // namespace mouldview::runtime
