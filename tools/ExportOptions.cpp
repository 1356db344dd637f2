// Parses mouldexport's command line.
#include "tools/ExportOptions.h"

namespace mouldview::tools {

namespace {

void SetOnce(std::optional<std::string>& option, const std::string& name, const std::string& value) {
    if (option) {
        throw EUsageError(name + " given twice");
    }
    option = value;
}

// "WxH" with two decimal numbers from 1 to MaximumPngSide.
void ParseSize(const std::string& text, int& width, int& height) {
    const auto side = [&text](std::size_t begin, std::size_t end) {
        if (begin == end || end - begin > 5) {
            return 0;
        }
        int value = 0;
        for (std::size_t i = begin; i < end; ++i) {
            if (text[i] < '0' || text[i] > '9') {
                return 0;
            }
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    const std::size_t x = text.find('x');
    const int w = x == std::string::npos ? 0 : side(0, x);
    const int h = x == std::string::npos ? 0 : side(x + 1, text.size());
    if (w < 1 || h < 1 || w > MaximumPngSide || h > MaximumPngSide) {
        throw EUsageError("--size wants WIDTHxHEIGHT in pixels, each from 1 to " +
                          std::to_string(MaximumPngSide) + ", not '" + text + "'");
    }
    width = w;
    height = h;
}

} // namespace

TExportOptions ParseExportOptions(const std::vector<std::string>& arguments) {
    TExportOptions options;
    bool optionsEnded = false;
    std::optional<std::string> size;
    std::optional<std::string> start;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) {
                throw EUsageError(argument + " needs a value");
            }
            return arguments[++i];
        };
        if (optionsEnded || argument.empty() || argument[0] != '-' || argument == "-") {
            SetOnce(options.ControlFile, "CONTROL_FILE", argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--help" || argument == "-h") {
            options.Help = true;
        } else if (argument == "--climate") {
            SetOnce(options.ClimateFile, argument, value());
        } else if (argument == "--csv") {
            SetOnce(options.CsvFile, argument, value());
        } else if (argument == "--png") {
            SetOnce(options.PngFile, argument, value());
        } else if (argument == "--size") {
            SetOnce(size, argument, value());
        } else if (argument == "--start") {
            SetOnce(start, argument, value());
        } else if (argument == "--dates") {
            options.Dates = true;
        } else if (argument == "--summary") {
            options.Summary = true;
        } else {
            throw EUsageError("unknown option " + argument);
        }
    }
    if (options.ClimateFile && options.ControlFile) {
        throw EUsageError("--climate and CONTROL_FILE exclude each other");
    }
    if (start) {
        if (options.ControlFile) {
            throw EUsageError(
                "--start and CONTROL_FILE exclude each other (the control file gives the start)");
        }
        options.Start = model::ParseStartDate(*start, model::CurrentYear());
        if (!options.Start) {
            throw EUsageError("--start wants a date and time such as 2008-01-15 or '2008-01-15 7:00', not '" +
                              *start + "'");
        }
    }
    if (options.Dates && !options.CsvFile) {
        throw EUsageError("--dates needs --csv");
    }
    // Only a control file can still bring a start.
    if (options.Dates && !options.Start && !options.ControlFile) {
        throw DatesWithoutStart();
    }
    if (size) {
        if (!options.PngFile) {
            throw EUsageError("--size needs --png");
        }
        ParseSize(*size, options.PngWidth, options.PngHeight);
    }
    if (!options.CsvFile && !options.PngFile) {
        options.Summary = true;
    }
    return options;
}

EUsageError DatesWithoutStart() {
    return EUsageError("--dates needs a start: --start DATETIME, or a control file with startofcalculation");
}

std::string UsageText() {
    return "Usage: mouldexport [--climate FILE] [--start DATETIME] [--csv FILE|- [--dates]]\n"
           "                   [--summary] [CONTROL_FILE] [--png FILE [--size WxH]]\n"
           "Runs the mould model headless and writes its results.\n"
           "\n"
           "  CONTROL_FILE    run as mouldview does with this control file: its settings are read,\n"
           "                  the climate file is its name with extension .txt, and both are\n"
           "                  deleted when the control file asks for it\n"
           "  --climate FILE  read this climate file instead; nothing is deleted\n"
           "                  (with neither, GeneralCourse.txt in the working directory is read)\n"
           "  --start DATETIME\n"
           "                  the moment of the climate file's first line (2008-01-15 or\n"
           "                  '2008-01-15 7:00') when no control file gives it as startofcalculation\n"
           "  --csv FILE|-    write one row per evaluated period (- for standard output)\n"
           "  --dates         add a last column start to the CSV: the first hour of each period\n"
           "                  (2008-01-15T07:00); needs a start\n"
           "  --png FILE      draw the chart of mouldview's result window, exactly as the window\n"
           "                  shows it when it opens, and write it as a PNG picture\n"
           "  --size WxH      the window's client size for --png in pixels (default 447x202)\n"
           "  --summary       write lines read, periods evaluated, the maximum index and the\n"
           "                  periods with index >= 1, with their dates when a start is known\n"
           "                  (the default when no output is chosen)\n"
           "  --help          show this text\n"
           "\n"
           "Exit status: 0 on success, 2 for bad usage, 217 when the model run fails or an output\n"
           "cannot be written (the cause is written to standard error).\n";
}

} // namespace mouldview::tools
