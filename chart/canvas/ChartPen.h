// The chart engine's pen: colour, width and line style of a stroke. The zoom band is drawn with one
// (white by default; the result window makes it red, dotted and 2 pixels wide); the chart's other
// lines have fixed pens (TChartCanvas::ApplyPen with colour, width and style).
#pragma once

#include "chart/canvas/ChangeNotifier.h"
#include "chart/canvas/ChartColors.h"
#include "platform/raster/Pen.h"

namespace mouldview::chart {

// Line styles, by the platform's pen style numbers.
using TPenStyle = raster::PenStyle;
inline constexpr TPenStyle psSolid = raster::PenStyle::Solid;
inline constexpr TPenStyle psDot = raster::PenStyle::Dot;

class TChartPen : public TChangeNotifier {
public:
    explicit TChartPen(std::function<void()> onChange = {}, TColor color = clBlack, int width = 1,
                       TPenStyle style = psSolid)
        : TChangeNotifier(std::move(onChange)), m_color(color), m_width(width), m_style(style) {}

    TColor Color() const { return m_color; }
    void SetColor(TColor value) { Store(m_color, value); }
    // Width 1 strokes with the platform's 1-pixel patterns, 2 and more with round caps and joins.
    int Width() const { return m_width; }
    void SetWidth(int value) { Store(m_width, value); }
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle value) { Store(m_style, value); }

private:
    TColor m_color;
    int m_width;
    TPenStyle m_style;
};

} // namespace mouldview::chart
