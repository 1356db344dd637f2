// The sequence of the model run and the choice of its input files.
#include "model/ModelRun.h"

#include "model/ClimateFile.h"
#include "model/ControlFile.h"
#include "model/MouldIndex.h"
#include "model/StartDate.h"
#include "platform/runtime/RegionalSettings.h"
#include "platform/runtime/TextFile.h"

namespace mouldview::model {

void LoadInput(TModelState& state, const std::vector<std::string>& arguments, char separator) {
    bool deleteFlag = false;
    if (arguments.empty()) {
        state.ClimateFileName = DefaultClimateFileName;
    } else {
        const std::string& controlFileName = arguments.front();
        deleteFlag = ReadControlFile(controlFileName, CurrentYear());
        if (deleteFlag) {
            runtime::DeleteFileIgnoringFailure(controlFileName);
        }
        state.ClimateFileName = ClimateFileNameFor(controlFileName);
    }
    ReadClimateFile(state, state.ClimateFileName, separator);
    if (deleteFlag) {
        runtime::DeleteFileIgnoringFailure(state.ClimateFileName);
    }
}

void LoadClimateFile(TModelState& state, const std::string& climateFileName, char separator) {
    state.ClimateFileName = climateFileName;
    ReadClimateFile(state, state.ClimateFileName, separator);
}

void FinishRun(TModelState& /*state*/) {}

void RunModelOnce(const std::vector<std::string>& arguments) {
    static int runCount = 0;
    if (runCount++ > 0) {
        return;
    }
    TModelState& state = Model();
    LoadInput(state, arguments, runtime::DecimalSeparator());
    ComputeMouldIndex(state);
    FinishRun(state);
}

} // namespace mouldview::model
