// Keeping the result from the window: the chart as shown and the period table, written beside the
// climate file under names that never replace an existing file.
#pragma once

#include "model/ModelState.h"
#include "platform/raster/Bitmap.h"

#include <string>

namespace mouldview::ui {

struct TSavedResult {
    std::string Folder;  // the climate file's folder, as its path gives it ("" for the working one)
    std::string PngName; // "GeneralCourse-mould.png", "GeneralCourse-mould-2.png" ...
    std::string CsvName;
};

// The first pair <base>-mould.png / <base>-mould.csv, then <base>-mould-2.*, -3 ..., of which
// neither file exists in the climate file's folder; <base> is the climate file's name without its
// extension.
TSavedResult FreeResultNames(const std::string& climateFileName);

// Writes `picture` as PNG and the state's period table as CSV under FreeResultNames. Each file is
// written under a temporary name and then renamed, and a failure removes whatever this call
// wrote, so that either both files appear complete or neither does. Throws runtime::EInOutError
// naming the file that failed.
TSavedResult SaveResult(const model::TModelState& state, const raster::Bitmap& picture);

} // namespace mouldview::ui
