// Conversion of number texts to single-precision reals, as the climate file writes them.
//
// Syntax of a whole field: optional blanks, an optional sign "+" or "-", a run of decimal digits,
// optionally the decimal separator and a further run of digits (at least one digit or the
// separator must be present; a lone separator reads as 0), optionally an exponent of "E" or "e",
// an optional sign and decimal digits, and optional blanks. Nothing else.
//
// A number is converted correctly rounded to extended precision (long double) and that value is
// then rounded to single precision, which is what the model stores.
#pragma once

#include <string>
#include <string_view>

namespace mouldview::runtime {

enum class TFloatStatus {
    Ok,       // converted
    Invalid,  // not of the syntax, or beyond the extended range: "'%s' is not a valid floating point value"
    Overflow, // within the extended range but beyond the single range: "Floating point overflow"
};

// The general conversion: any text of the syntax above, with any number of digits.
TFloatStatus TextToFloat(std::string_view text, char separator, float& value);

// The fast conversion of an ordinary number: blanks, sign, at most 15 digits of which at most 12
// after the separator, blanks; no exponent. Parses at text and returns the first character after
// the number and its trailing blanks, or nullptr when the text is not such a number (then the
// general conversion decides). Stops at any character outside the syntax, so a caller that knows
// the field ends in a tab, CR or LF needs no length; it reads digits 8 bytes at a time, so at
// least 8 readable bytes must follow that end. Where it gives a value, that value is
// bit-identical to the one TextToFloat gives for the same field: the quotient of a 15-digit
// integer and a power of ten up to 10^12, rounded once to double, rounds to the same float as the
// exact value (and as its extended-precision rounding), because no such quotient lies close
// enough to a float rounding boundary for the intermediate rounding to land on it.
const char* FastTextToFloat(const char* text, char separator, float& value);

// The error texts of the two failures.
std::string InvalidFloatMessage(std::string_view text);
inline constexpr const char* FloatOverflowMessage = "Floating point overflow";

} // namespace mouldview::runtime
