// Reading the climate data file into the model state: one hourly record per line, fields
// separated by tabs; field 2 is the temperature, field 3 the relative humidity as a fraction, and
// field 3 must be followed by a tab. Every line is a record; a line whose field 2 or 3 is empty or
// not a number raises "'%s' is not a valid floating point value" (with the file and line).
#pragma once

#include "model/ModelState.h"
#include "platform/runtime/TextFile.h"

#include <cstddef>
#include <string>

namespace mouldview::model {

// Reads path into slot 1 of HourlyTemp and HourlyRH, sets DatasetCount, LineCount and
// PeriodCapacity and sizes the six period groups. Numbers use the given decimal separator.
void ReadClimateFile(TModelState& state, const std::string& path, char separator,
                     std::size_t bufferSize = runtime::TTextFile::DefaultBufferSize);

// LineCount / 12 rounded to the nearest integer, ties to the even one.
std::int32_t PeriodCapacityFor(std::int32_t lineCount);

} // namespace mouldview::model
