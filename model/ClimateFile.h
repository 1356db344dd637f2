// Reading the climate data file into the model state: one hourly record per line, fields
// separated by tabs; field 2 is the temperature, field 3 the relative humidity as a fraction, and
// field 3 must be followed by a tab. Every line is a record; a line whose field 2 or 3 is empty or
// not a number raises "'%s' is not a valid floating point value" (with the file and line).
//
// The hourly values are not kept: each line goes straight into the 12-hour sums of its period.
// Lines 8 to LineCount - 5 count, and period k covers lines 12k - 4 to 12k + 7.
#pragma once

#include "model/ModelState.h"
#include "platform/runtime/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace mouldview::model {

inline constexpr std::int32_t FirstLineUsed = 8;
inline constexpr std::int32_t LinesLeftOut = 5;
inline constexpr std::int32_t HoursPerPeriod = 12;

// Reads path, sets DatasetCount, LineCount and PeriodCapacity, and sizes the six period groups
// of slot 1 to PeriodCapacity + 1 elements (at least 2), all 0 except the sums: element k of
// PeriodRH and PeriodTemp holds the sum of the humidities and temperatures of period k, added
// hour by hour in single precision, and the element after the last complete period holds the
// sums of the hours after it. Numbers use the given decimal separator.
void ReadClimateFile(TModelState& state, const std::string& path, char separator,
                     std::size_t bufferSize = runtime::TTextFile::DefaultBufferSize);

// LineCount / 12 rounded to the nearest integer, ties to the even one.
std::int32_t PeriodCapacityFor(std::int32_t lineCount);

// The complete periods among lines 8 to LineCount - 5.
std::int32_t CompletePeriodsFor(std::int32_t lineCount);

} // namespace mouldview::model
