// The decimal separator of the user's locale on Linux.
#include "platform/runtime/RegionalSettings.h"

#include <clocale>
#include <cstring>

namespace mouldview::runtime {

char SystemDecimalSeparator() {
    char separator = '.';
    if (std::setlocale(LC_ALL, "") != nullptr) {
        const std::lconv* conventions = std::localeconv();
        if (conventions != nullptr && conventions->decimal_point != nullptr &&
            std::strlen(conventions->decimal_point) == 1) {
            separator = conventions->decimal_point[0];
        }
    }
    // Number conversion and printing inside the program always work with "."; the user's
    // separator is applied by the climate file's own number syntax.
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

} // namespace mouldview::runtime
