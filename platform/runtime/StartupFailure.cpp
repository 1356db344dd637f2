// Formats the start-up failure report.
#include "platform/runtime/StartupFailure.h"

#include "platform/runtime/Errors.h"

#include <cstdio>
#include <new>

namespace mouldview::runtime {

namespace {
// Shown for errors that did not come from the program's own raising places.
constexpr std::uint32_t ForeignErrorCode = 0x00401000;
// Control characters (a NUL byte or binary garbage quoted from a file) are shown as \xHH, so the
// report stays one readable line on a terminal.
std::string Printable(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(byte));
            result.append(escaped);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace

std::string RuntimeErrorText(std::uint32_t codeAddress) {
    char text[40];
    std::snprintf(text, sizeof text, "Runtime error %3d at %08X", StartupFailureExitStatus,
                  static_cast<unsigned>(codeAddress));
    return text;
}

std::uint32_t CodeAddressOf(const std::exception& error) {
    if (const auto* own = dynamic_cast<const ERunError*>(&error)) {
        return own->CodeAddress();
    }
    return ForeignErrorCode;
}

std::string FailureLine(std::string_view program, const std::exception& error) {
    std::string line(program);
    line.append(": ");
    if (const auto* own = dynamic_cast<const ERunError*>(&error)) {
        if (!own->FileName().empty()) {
            line.append(Printable(own->FileName()));
            if (own->LineNumber() > 0) {
                line.append(":");
                line.append(std::to_string(own->LineNumber()));
            }
            line.append(": ");
        }
        if (own->Period() > 0) {
            line.append("period ");
            line.append(std::to_string(own->Period()));
            line.append(": ");
        }
        line.append(Printable(own->Message()));
    } else if (dynamic_cast<const std::bad_alloc*>(&error) != nullptr) {
        line.append("Out of memory");
    } else {
        line.append(Printable(error.what()));
    }
    return line;
}

} // namespace mouldview::runtime
