// The user's regional settings that the model run depends on: the decimal separator of numbers
// in the climate file, read once when the program starts.
#pragma once

namespace mouldview::runtime {

// Reads the user's locale (setlocale with "", then localeconv) and keeps its decimal separator;
// "." when the locale cannot be read or its separator is not a single byte. Afterwards the
// numeric locale of the process is "C", so that everything the program prints uses ".".
void InitRegionalSettings();

// The decimal separator in force: the one read by InitRegionalSettings, "." before that.
char DecimalSeparator();
// Replaces it; for tests and for tools that want a fixed separator.
void SetDecimalSeparator(char separator);

} // namespace mouldview::runtime
