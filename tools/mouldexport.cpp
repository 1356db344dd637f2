// mouldexport: the model run of mouldview without a window, writing its results as text and its
// chart as a picture.
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "model/MouldIndex.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"
#include "platform/runtime/RegionalSettings.h"
#include "platform/runtime/StartupFailure.h"
#include "tools/ChartExport.h"
#include "tools/ExportOptions.h"
#include "tools/TableExport.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

namespace {

using namespace mouldview;

constexpr const char* ProgramName = "mouldexport";
constexpr int UsageExitStatus = 2;

void RunModel(const tools::TExportOptions& options) {
    model::TModelState& state = model::Model();
    const char separator = runtime::DecimalSeparator();
    if (options.ClimateFile) {
        model::LoadClimateFile(state, *options.ClimateFile, separator);
    } else if (options.ControlFile) {
        model::LoadInput(state, {*options.ControlFile}, separator);
    } else {
        model::LoadInput(state, {}, separator);
    }
    model::ComputeMouldIndex(state);
    model::FinishRun(state);
}

void WriteCsvFile(const model::TModelState& state, const std::string& path) {
    if (path == "-") {
        tools::WriteCsv(state, stdout);
        return;
    }
    std::FILE* out = runtime::OpenOutputFile(path, "wb");
    if (out == nullptr) {
        throw runtime::InOutErrorFromErrno(errno, path);
    }
    tools::WriteCsv(state, out);
    const bool failed = std::ferror(out) != 0;
    const int writeError = errno;
    if (std::fclose(out) != 0 || failed) {
        throw runtime::InOutErrorFromErrno(failed ? writeError : errno, path);
    }
}

void WriteOutputs(const tools::TExportOptions& options) {
    const model::TModelState& state = model::Model();
    if (options.CsvFile) {
        WriteCsvFile(state, *options.CsvFile);
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
        WriteOutputs(options);
    } catch (const std::exception& error) {
        model::Model().Release();
        std::fprintf(stderr, "%s\n", runtime::FailureLine(ProgramName, error).c_str());
        return runtime::StartupFailureExitStatus;
    }
    model::Model().Release();
    return 0;
}
