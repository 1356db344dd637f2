// PNG writing of a bitmap (libpng): 8-bit RGB, no alpha.
#pragma once

#include "platform/raster/Bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace mouldview::raster {

// Writes `bitmap` to the file `path` as an 8-bit RGB PNG. Throws runtime::EInOutError naming the
// file when it cannot be created or written; an empty bitmap cannot be stored as a PNG and raises
// runtime::ERunError.
void WritePng(const Bitmap& bitmap, const std::string& path);

// The same PNG as a byte block in memory.
std::vector<std::uint8_t> EncodePng(const Bitmap& bitmap);

// Reads an 8-bit RGB or RGBA PNG (as written by WritePng) back into a bitmap; alpha is dropped.
// Throws runtime::ERunError when the file cannot be read or is not such a PNG. Used by tests that
// compare two renderings.
Bitmap ReadPng(const std::string& path);

} // namespace mouldview::raster
