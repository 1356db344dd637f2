// The command line of mouldexport:
//   mouldexport [--climate FILE] [--csv FILE|-] [--summary] [CONTROL_FILE] [--png FILE [--size WxH]]
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace mouldview::tools {

// The result window's client size at 96 pixels per inch, and the largest side --size accepts.
inline constexpr int DefaultPngWidth = 447;
inline constexpr int DefaultPngHeight = 202;
inline constexpr int MaximumPngSide = 16384;

struct TExportOptions {
    std::optional<std::string> ClimateFile; // read this climate file, no control file, no deletion
    std::optional<std::string> ControlFile; // run exactly as the program does with this argument
    std::optional<std::string> CsvFile;     // "-" for standard output
    std::optional<std::string> PngFile;     // the result window's chart as a picture
    int PngWidth = DefaultPngWidth;         // the window's client size the chart is drawn at
    int PngHeight = DefaultPngHeight;
    bool Summary = false;
    bool Help = false;
};

// A command line that does not fit the usage; its message says what is wrong.
class EUsageError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

// Parses the arguments after the program name. Without any output option the summary is
// written. Raises EUsageError for unknown options, missing option values, repeated options, a
// climate file given together with a control file, and a --size that is not WxH with both sides
// from 1 to MaximumPngSide or comes without --png.
TExportOptions ParseExportOptions(const std::vector<std::string>& arguments);

// The usage text, ending with a line end.
std::string UsageText();

} // namespace mouldview::tools
