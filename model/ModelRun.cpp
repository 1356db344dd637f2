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
        deleteFlag = ReadControlFile(controlFileName, CurrentYear(), &state.StartOfCalculation);
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

void FinishRun(TModelState& /*state*/) {}

void RunModel(TModelState& state, const TRunInput& input, char separator) {
    if (input.ClimateFileName) {
        state.ClimateFileName = *input.ClimateFileName;
        ReadClimateFile(state, state.ClimateFileName, separator);
    } else {
        LoadInput(state, input.Arguments, separator);
    }
    if (input.Start) {
        state.StartOfCalculation = input.Start;
    }
    ComputeMouldIndex(state);
    FinishRun(state);
}

void RunModelOnce(const std::vector<std::string>& arguments) {
    static int runCount = 0;
    if (runCount++ > 0) {
        return;
    }
    RunModel(Model(), TRunInput{arguments, std::nullopt, std::nullopt}, runtime::DecimalSeparator());
}

} // namespace mouldview::model
