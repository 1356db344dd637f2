// The model run: LoadInput, ComputeMouldIndex and FinishRun, in this order, once per process.
#pragma once

#include "model/ModelState.h"

#include <string>
#include <vector>

namespace mouldview::model {

// The first step. Without arguments the climate file is "GeneralCourse.txt" in the working
// directory; otherwise arguments[0] names the control file (the others are ignored), which is read,
// validated and deleted when it asks for it, and the climate file is its name with extension
// ".txt", deleted after reading when the control file asks for it.
void LoadInput(TModelState& state, const std::vector<std::string>& arguments, char separator);

// Reads a named climate file without any control file; nothing is deleted.
void LoadClimateFile(TModelState& state, const std::string& climateFileName, char separator);

// The third step; it has nothing to do.
void FinishRun(TModelState& state);

// The whole run on the process-wide state with the user's decimal separator. A guard counter
// makes only the first call do anything. Errors propagate to the caller.
void RunModelOnce(const std::vector<std::string>& arguments);

inline constexpr const char* DefaultClimateFileName = "GeneralCourse.txt";

} // namespace mouldview::model
