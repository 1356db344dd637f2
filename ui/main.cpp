// The mouldview program, from start to exit:
//   1. the runtime and the framework start: the user's decimal separator is read and the display
//      is opened (before any input is read, so that no input file is deleted for a chart that
//      could never be shown);
//   2. the model run, once: the control file, the climate file, the mould index;
//   3.-4. the result window Form1 is created from its stored layout and filled by FormCreate;
//   5. the message loop runs until the window is closed;
//   6. the finalisations run in reverse order and the program ends with status 0.
// A failure up to the message loop ends in the start-up failure report and status 217.
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "platform/runtime/CommandLine.h"
#include "platform/runtime/RegionalSettings.h"
#include "platform/window/Display.h"
#include "ui/Form1.h"
#include "ui/ResultWindow.h"
#include "ui/StartupFailureReport.h"

#include <exception>
#include <optional>

namespace {

using namespace mouldview;

constexpr const char* ProgramName = "mouldview";

// Steps 3 to 5: the application's one window, shown until it is closed. The window is a normal
// top-level window, so it carries the application's taskbar entry itself.
void ShowResult(platform::Display& display) {
    ui::TForm1 form1;
    ui::TResultWindow window(display, form1, model::Model());
    window.Run();
}

} // namespace

int main(int argc, char** argv) {
    runtime::InitRegionalSettings();
    std::optional<platform::Display> display;
    try {
        display.emplace();
        model::RunModelOnce(runtime::ProgramArguments(argc, argv));
        ShowResult(*display);
    } catch (const std::exception& error) {
        // The display goes with the other finalisations; the box opens a connection of its own.
        display.reset();
        return ui::ReportStartupFailure(ProgramName, error);
    }

    model::Model().Release();
    display.reset();
    return 0;
}
