// The model run: LoadInput, ComputeMouldIndex and FinishRun, in this order, once per process.
#pragma once

#include "model/ModelState.h"

#include <optional>
#include <string>
#include <vector>

namespace mouldview::model {

// The first step. Without arguments the climate file is "GeneralCourse.txt" in the working
// directory; otherwise arguments[0] names the control file (the others are ignored), which is read,
// validated and deleted when it asks for it, and the climate file is its name with extension
// ".txt", deleted after reading when the control file asks for it.
void LoadInput(TModelState& state, const std::vector<std::string>& arguments, char separator);

// The third step; it has nothing to do.
void FinishRun(TModelState& state);

// What a run reads: the program's arguments as LoadInput takes them, or one climate file named
// directly (mouldexport --climate), read without any control file and never deleted. Start is the
// moment of the climate file's first line when no control file gives one (mouldexport --start).
struct TRunInput {
    std::vector<std::string> Arguments;
    std::optional<std::string> ClimateFileName;
    std::optional<TStartMoment> Start;
};

// The whole run on `state`, in the order above. Errors propagate to the caller.
void RunModel(TModelState& state, const TRunInput& input, char separator);

// RunModel on the process-wide state with the program's arguments and the user's decimal
// separator. A guard counter makes only the first call do anything.
void RunModelOnce(const std::vector<std::string>& arguments);

inline constexpr const char* DefaultClimateFileName = "GeneralCourse.txt";

} // namespace mouldview::model
