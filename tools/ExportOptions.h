// The command line of mouldexport:
//   mouldexport [--climate FILE] [--csv FILE|-] [--summary] [CONTROL_FILE]
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mouldview::tools {

struct TExportOptions {
    std::optional<std::string> ClimateFile; // read this climate file, no control file, no deletion
    std::optional<std::string> ControlFile; // run exactly as the program does with this argument
    std::optional<std::string> CsvFile;     // "-" for standard output
    bool Summary = false;
    bool Help = false;
};

// A command line that does not fit the usage; its message says what is wrong.
class EUsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Parses the arguments after the program name. Without any output option the summary is
// written. Raises EUsageError for unknown options, missing option values, repeated options and
// for a climate file given together with a control file.
TExportOptions ParseExportOptions(const std::vector<std::string>& arguments);

// The usage text, ending with a line end.
std::string UsageText();

} // namespace mouldview::tools
