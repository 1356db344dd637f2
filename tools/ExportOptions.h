// The command line of mouldexport:
//   mouldexport [--climate FILE] [--start DATETIME] [--csv FILE|-] [--dates] [--summary]
//               [CONTROL_FILE] [--png FILE [--size WxH]]
#pragma once

#include "model/StartDate.h"

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
    std::optional<model::TStartMoment> Start; // the climate file's first hour, without a control file
    bool Dates = false;                       // the CSV's last column "start"
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
// climate file given together with a control file, a --start that is not a valid date and time or
// comes with a control file (which gives its own start), --dates without --csv, and a --size that
// is not WxH with both sides from 1 to MaximumPngSide or comes without --png. Whether --dates has
// a start is known only after the control file has been read (DatesWithoutStart).
TExportOptions ParseExportOptions(const std::vector<std::string>& arguments);

// The usage error of --dates when neither --start nor the control file gave a start.
EUsageError DatesWithoutStart();

// The usage text, ending with a line end.
std::string UsageText();

} // namespace mouldview::tools
