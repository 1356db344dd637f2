// The readout of the result window: the evaluated period nearest to the pointer's column, its
// mould index and the hours of the climate file it covers, as dates when the start is known.
#pragma once

#include "chart/panel/Chart.h"
#include "model/ModelState.h"
#include "platform/raster/Geometry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mouldview::ui {

struct TReadout {
    std::int32_t Period = 0;
    // The period's point on the index curve, in window pixels, by the chart's last paint.
    raster::Point Point{};
    std::vector<std::string> Lines;
};

// "Period 412", "Mould index 2.86" (three significant digits, with `decimalSeparator`) and the
// period's first and last hour: "Hours 4939 to 4950" counted from the climate file's first line,
// or "2008-08-07 19:00 to 2008-08-08 06:00" when the state knows the start moment.
std::vector<std::string> ReadoutLines(const model::TModelState& state, std::int32_t period,
                                      char decimalSeparator);

// The readout for the pointer at (x, y): nothing unless the point lies in the chart's plot (by its
// last paint) and the state has evaluated periods.
std::optional<TReadout> ReadoutAt(const chart::TChart& chart, const model::TModelState& state, int x, int y,
                                  char decimalSeparator);

} // namespace mouldview::ui
