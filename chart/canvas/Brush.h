// The framework brush: fill colour, fill style (solid, clear or one of the six hatches) and an
// optional pattern bitmap. Setters that change a value call the change callback.
#pragma once

#include "chart/canvas/ChartColors.h"

#include <functional>
#include <memory>

namespace mouldview::raster {
class Bitmap;
}

namespace mouldview::chart {

enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TBrush {
public:
    explicit TBrush(std::function<void()> onChange = {});
    TBrush(const TBrush&) = delete;
    TBrush& operator=(const TBrush&) = delete;
    virtual ~TBrush() = default;

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle value);
    // A pattern to fill with instead of Style; null when there is none. Shared, not copied.
    const std::shared_ptr<const raster::Bitmap>& Bitmap() const { return m_bitmap; }
    void SetBitmap(std::shared_ptr<const raster::Bitmap> value);

    virtual void Assign(const TBrush& source);

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed() const;

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
    std::shared_ptr<const raster::Bitmap> m_bitmap;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
