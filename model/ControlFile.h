// The control file named on the command line: its delete and start-date settings, and the name
// of the climate file that lies beside it.
//
// Every line is lower-cased (ASCII letters) first. A line holding "deleteafterload" sets the
// delete flag to whether its value is exactly "true" (the last such line counts); otherwise a
// line holding "startofcalculation" must carry a valid start date. Other lines are ignored. The
// value of a setting line is what stands after its first ">" and before the next "<".
#pragma once

#include "model/StartDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace mouldview::model {

// Reads the control file and returns its delete flag; `start`, when given, receives the moment of
// the last start-date line (nothing without one). Raises EInOutError when the file cannot be read
// and EConvertError ("'%s' is not a valid date and time") for an invalid start date.
bool ReadControlFile(const std::string& path, int currentYear, std::optional<TStartMoment>* start = nullptr);

// The value of a setting line by the two cuts.
std::string_view SettingValue(std::string_view line);

// The climate file for a control file: the path with its extension changed to ".txt" (or ".txt"
// appended when the file name has no extension).
std::string ClimateFileNameFor(const std::string& controlPath);

} // namespace mouldview::model
