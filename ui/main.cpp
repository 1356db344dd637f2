// The mouldview program: the runtime start (the user's decimal separator), the model run once,
// then the result; a failure of the model run ends in the start-up failure report (status 217).
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "platform/runtime/RegionalSettings.h"
#include "ui/StartupFailureReport.h"

#include <exception>
#include <string>
#include <vector>

namespace {

constexpr const char* ProgramName = "mouldview";

// The model run on the command line's arguments; false after a failure has been reported.
bool RunModel(const std::vector<std::string>& arguments, int& exitStatus) {
    try {
        mouldview::model::RunModelOnce(arguments);
        return true;
    } catch (const std::exception& error) {
        exitStatus = mouldview::ui::ReportStartupFailure(ProgramName, error);
        return false;
    }
}

} // namespace

int main(int argc, char** argv) {
    mouldview::runtime::InitRegionalSettings();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    int exitStatus = 0;
    if (!RunModel(arguments, exitStatus)) {
        return exitStatus;
    }
    // The model state is complete here; the result window is shown between this point and the
    // release below.
    mouldview::model::Model().Release();
    return exitStatus;
}
