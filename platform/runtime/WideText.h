// Windows only: the conversions between the program's UTF-8 texts and the system's UTF-16 ones,
// so that file names and arguments with any characters pass through unchanged.
#pragma once

#include <string>
#include <string_view>

namespace mouldview::runtime {

// Invalid sequences become U+FFFD in either direction.
std::wstring Utf16FromUtf8(std::string_view text);
std::string Utf8FromUtf16(std::wstring_view text);

} // namespace mouldview::runtime
