// The texts of a failed start-up: the run-time error line of the failure box, and the line on
// standard error that names the cause, with file and line where there is one.
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace mouldview::runtime {

inline constexpr int StartupFailureExitStatus = 217;
inline constexpr const char* StartupFailureCaption = "Error";

// "Runtime error 217 at 0040A1B2": the error number and the raising place's code as eight
// upper-case hexadecimal digits.
std::string RuntimeErrorText(std::uint32_t codeAddress);

// The code shown for an error: its raising place for the program's own errors, a fixed code for
// anything else (out of memory and the like).
std::uint32_t CodeAddressOf(const std::exception& error);

// "mouldview: run.txt:15: '20,5' is not a valid floating point value"; the file and line parts
// appear only when the error carries them, a period of the computation likewise. Control
// characters are shown as \xHH.
std::string FailureLine(std::string_view program, const std::exception& error);

} // namespace mouldview::runtime
