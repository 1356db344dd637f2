// The chart engine's brush: the framework brush with colour clDefault (the element applying it
// always passes the colour) and an Image that, once it holds a graphic, fills as a pattern.
#pragma once

#include "chart/canvas/Brush.h"

#include <memory>

namespace mouldview::chart {

// A picture slot: empty, or holding one graphic.
class TPicture {
public:
    const std::shared_ptr<const raster::Bitmap>& Graphic() const { return m_graphic; }
    void SetGraphic(std::shared_ptr<const raster::Bitmap> value) { m_graphic = std::move(value); }
    bool HasGraphic() const { return m_graphic != nullptr; }

private:
    std::shared_ptr<const raster::Bitmap> m_graphic;
};

class TChartBrush : public TBrush {
public:
    explicit TChartBrush(std::function<void()> onChange = {});

    // Created empty on first access; HasImage asks without creating it.
    TPicture& Image();
    bool HasImage() const { return m_image != nullptr; }
    const TPicture* ImageIfCreated() const { return m_image.get(); }

    void Assign(const TBrush& source) override;

private:
    std::unique_ptr<TPicture> m_image;
};

} // namespace mouldview::chart
