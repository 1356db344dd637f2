// The report of a failed start-up: the cause on standard error, then the run-time error box.
#pragma once

#include <exception>
#include <string_view>

namespace mouldview::ui {

// Releases the model state, writes "<program>: <file>:<line>: <message>" to standard error,
// shows the box captioned "Error" with "Runtime error 217 at XXXXXXXX" when a display is
// available, and returns the exit status 217.
int ReportStartupFailure(std::string_view program, const std::exception& error);

} // namespace mouldview::ui
