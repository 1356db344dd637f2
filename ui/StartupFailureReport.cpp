// Turns an error of the model run into the start-up failure report.
#include "ui/StartupFailureReport.h"

#include "model/ModelState.h"
#include "platform/runtime/StartupFailure.h"
#include "platform/window/MessageBox.h"

#include <cstdio>

namespace mouldview::ui {

int ReportStartupFailure(std::string_view program, const std::exception& error) {
    // The finalisations of the model run come first: the arrays are released.
    model::Model().Release();
    const std::string line = runtime::FailureLine(program, error);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    if (platform::DisplayAvailable() &&
        !platform::ShowErrorBox(runtime::StartupFailureCaption,
                                runtime::RuntimeErrorText(runtime::CodeAddressOf(error)))) {
        std::fprintf(stderr, "%.*s: the error box could not be shown\n", static_cast<int>(program.size()),
                     program.data());
    }
    return runtime::StartupFailureExitStatus;
}

} // namespace mouldview::ui
