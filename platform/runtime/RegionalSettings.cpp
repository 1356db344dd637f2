// Keeps the decimal separator read from the user's settings once, at program start.
#include "platform/runtime/RegionalSettings.h"

namespace mouldview::runtime {

namespace {
char g_decimalSeparator = '.';
}

void InitRegionalSettings() {
    g_decimalSeparator = SystemDecimalSeparator();
}

char DecimalSeparator() {
    return g_decimalSeparator;
}

void SetDecimalSeparator(char separator) {
    g_decimalSeparator = separator;
}

} // namespace mouldview::runtime
