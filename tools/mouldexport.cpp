// mouldexport: the model run of mouldview without a window, writing its results as text and its
// chart as a picture.
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "model/PeriodTable.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/OutputFile.h"
#include "platform/runtime/RegionalSettings.h"
#include "platform/runtime/StartupFailure.h"
#include "tools/ChartExport.h"
#include "tools/ExportOptions.h"
#include "tools/TableExport.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mouldview;

constexpr const char* ProgramName = "mouldexport";
constexpr int UsageExitStatus = 2;

void RunModel(const tools::TExportOptions& options) {
    model::TRunInput input;
    if (options.ControlFile) {
        input.Arguments = {*options.ControlFile};
    }
    input.ClimateFileName = options.ClimateFile;
    input.Start = options.Start;
    model::RunModel(model::Model(), input, runtime::DecimalSeparator());
}

void WriteCsv(const model::TModelState& state, bool dates, std::FILE* out) {
    model::WritePeriodTable(
        state, dates, [out](std::string_view piece) { std::fwrite(piece.data(), 1, piece.size(), out); });
}

void WriteCsvFile(const model::TModelState& state, bool dates, const std::string& path) {
    if (path == "-") {
        WriteCsv(state, dates, stdout);
    } else {
        runtime::WriteOutputFile(path, [&](std::FILE* file) { WriteCsv(state, dates, file); });
    }
}

void WriteOutputs(const tools::TExportOptions& options) {
    const model::TModelState& state = model::Model();
    if (options.CsvFile) {
        WriteCsvFile(state, options.Dates, *options.CsvFile);
    }
    if (options.PngFile) {
        tools::WriteChartPng(state, options.PngWidth, options.PngHeight, *options.PngFile);
    }
    if (options.Summary) {
        tools::WriteSummary(state, stdout);
    }
    if (std::fflush(stdout) != 0) {
        throw runtime::InOutErrorFromErrno(errno, "standard output");
    }
}

} // namespace

int main(int argc, char** argv) {
    runtime::InitRegionalSettings();
    // The table has the same bytes on every system: LF line ends, also on standard output.
    runtime::UseBinaryStandardOutput();
    tools::TExportOptions options;
    try {
        options = tools::ParseExportOptions(runtime::ProgramArguments(argc, argv));
    } catch (const tools::EUsageError& error) {
        std::fprintf(stderr, "%s: %s\n%s", ProgramName, error.what(), tools::UsageText().c_str());
        return UsageExitStatus;
    }
    if (options.Help) {
        std::fputs(tools::UsageText().c_str(), stdout);
        return 0;
    }
    try {
        RunModel(options);
        if (options.Dates && !model::Model().StartOfCalculation) {
            const tools::EUsageError error = tools::DatesWithoutStart();
            model::Model().Release();
            std::fprintf(stderr, "%s: %s\n%s", ProgramName, error.what(), tools::UsageText().c_str());
            return UsageExitStatus;
        }
        WriteOutputs(options);
    } catch (const std::exception& error) {
        model::Model().Release();
        std::fprintf(stderr, "%s\n", runtime::FailureLine(ProgramName, error).c_str());
        return runtime::StartupFailureExitStatus;
    }
    model::Model().Release();
    return 0;
}
