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

} // namespace

TExportOptions ParseExportOptions(const std::vector<std::string>& arguments) {
    TExportOptions options;
    bool optionsEnded = false;
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
        } else if (argument == "--summary") {
            options.Summary = true;
        } else {
            throw EUsageError("unknown option " + argument);
        }
    }
    if (options.ClimateFile && options.ControlFile) {
        throw EUsageError("--climate and CONTROL_FILE exclude each other");
    }
    if (!options.CsvFile) {
        options.Summary = true;
    }
    return options;
}

std::string UsageText() {
    return "Usage: mouldexport [--climate FILE] [--csv FILE|-] [--summary] [CONTROL_FILE]\n"
           "Runs the mould model headless and writes its results.\n"
           "\n"
           "  CONTROL_FILE    run as mouldview does with this control file: its settings are read,\n"
           "                  the climate file is its name with extension .txt, and both are\n"
           "                  deleted when the control file asks for it\n"
           "  --climate FILE  read this climate file instead; nothing is deleted\n"
           "                  (with neither, GeneralCourse.txt in the working directory is read)\n"
           "  --csv FILE|-    write one row per evaluated period (- for standard output)\n"
           "  --summary       write lines read, periods evaluated, the maximum index and the\n"
           "                  periods with index >= 1 (the default when no output is chosen)\n"
           "  --help          show this text\n"
           "\n"
           "Exit status: 0 on success, 2 for bad usage, 217 when the model run fails (the cause\n"
           "is written to standard error).\n";
}

} // namespace mouldview::tools
