// Renders the result window's chart through the form that the program shows, and writes it as PNG.
#include "tools/ChartExport.h"

#include "platform/raster/Png.h"
#include "ui/Form1.h"

namespace mouldview::tools {

raster::Bitmap RenderChart(const model::TModelState& state, int clientWidth, int clientHeight) {
    ui::TForm1 form(state);
    form.SetClientSize(clientWidth, clientHeight);
    return form.PaintClientArea();
}

void WriteChartPng(const model::TModelState& state, int clientWidth, int clientHeight,
                   const std::string& path) {
    raster::WritePng(RenderChart(state, clientWidth, clientHeight), path);
}

} // namespace mouldview::tools
