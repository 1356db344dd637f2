// Runs a program as a child process in a given directory with a cleaned environment and
// collects its exit status, standard output and standard error.
#pragma once

#include <string>
#include <vector>

namespace mouldview::testing {

struct TProcessResult {
    int ExitStatus = -1; // the exit status, or 128 + signal number when a signal ended it
    std::string Output;
    std::string Error;
};

// Runs arguments[0] with the given arguments in directory. The child's environment is this
// process's without DISPLAY and WAYLAND_DISPLAY (so no box ever waits for a click), plus the
// extra "NAME=value" entries.
TProcessResult RunProcess(const std::vector<std::string>& arguments, const std::string& directory,
                          const std::vector<std::string>& extraEnvironment = {});

} // namespace mouldview::testing
