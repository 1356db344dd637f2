// The chart half of mouldexport: the result window's chart, built by the window's own form code
// without any window, painted at a client size and stored as a PNG picture.
#pragma once

#include "model/ModelState.h"
#include "platform/raster/Bitmap.h"

#include <string>

namespace mouldview::tools {

// The picture the result window shows when it first opens with this client size, pixel for pixel.
raster::Bitmap RenderChart(const model::TModelState& state, int clientWidth, int clientHeight);

// RenderChart written to `path` as an 8-bit RGB PNG. Throws runtime::EInOutError naming the file
// when it cannot be written.
void WriteChartPng(const model::TModelState& state, int clientWidth, int clientHeight,
                   const std::string& path);

} // namespace mouldview::tools
