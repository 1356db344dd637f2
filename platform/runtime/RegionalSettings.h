// The user's regional settings that the model run depends on: the decimal separator of numbers
// in the climate file, read once when the program starts.
#pragma once

namespace mouldview::runtime {

// Reads the user's decimal separator (SystemDecimalSeparator) and keeps it.
void InitRegionalSettings();

// The system's part, one per system: on Linux the user's locale (setlocale with "", then
// localeconv), after which the numeric locale of the process is "C", so that everything the
// program prints uses "."; on Windows the user's regional settings (GetLocaleInfoEx,
// LOCALE_SDECIMAL). "." when the setting cannot be read or is not a single ASCII character.
char SystemDecimalSeparator();

// The decimal separator in force: the one read by InitRegionalSettings, "." before that.
char DecimalSeparator();
// Replaces it; for tests and for tools that want a fixed separator.
void SetDecimalSeparator(char separator);

} // namespace mouldview::runtime
