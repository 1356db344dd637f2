// Renders the result window's chart through the form that the program shows, and writes it as PNG.
#include "tools/ChartExport.h"

#include "platform/raster/Png.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/FileSystem.h"
#include "ui/Form1.h"

#include <cerrno>
#include <cstdio>

namespace mouldview::tools {

raster::Bitmap RenderChart(const model::TModelState& state, int clientWidth, int clientHeight) {
    ui::TForm1 form(state);
    form.SetClientSize(clientWidth, clientHeight);
    return form.PaintClientArea();
}

void WriteChartPng(const model::TModelState& state, int clientWidth, int clientHeight,
                   const std::string& path) {
    const std::vector<std::uint8_t> png = raster::EncodePng(RenderChart(state, clientWidth, clientHeight));
    std::FILE* out = runtime::OpenOutputFile(path, "wb");
    if (out == nullptr) {
        throw runtime::InOutErrorFromErrno(errno, path);
    }
    const bool written = std::fwrite(png.data(), 1, png.size(), out) == png.size();
    const int writeError = errno;
    if (std::fclose(out) != 0 || !written) {
        throw runtime::InOutErrorFromErrno(written ? errno : writeError, path);
    }
}

} // namespace mouldview::tools
