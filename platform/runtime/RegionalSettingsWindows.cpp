// The decimal separator of the user's regional settings on Windows (Control Panel, Region).
#include "platform/runtime/RegionalSettings.h"

#include <windows.h>

namespace mouldview::runtime {

char SystemDecimalSeparator() {
    // LOCALE_SDECIMAL allows up to three characters; the climate file is single-byte text, so
    // only a separator of one ASCII character can appear in it.
    wchar_t separator[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    if (length == 2 && separator[0] > 0 && separator[0] < 0x80) {
        return static_cast<char>(separator[0]);
    }
    return '.';
}

} // namespace mouldview::runtime
