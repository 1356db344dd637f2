// Coordinates anywhere in the 32-bit plane (chart values far outside the visible range map to
// such pixels) draw what falls into the bitmap and nothing else; under the sanitizers this also
// checks that no arithmetic overflows on the way.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

namespace mouldview::raster {
namespace {

TEST(ExtremeCoordinates, EveryOperationSurvivesThemAndStaysInTheClip) {
    const int values[] = {INT_MIN, INT_MIN + 1, -1000000000, -5, 0, 7, 1000000000, INT_MAX - 1, INT_MAX};
    std::mt19937 random(99);
    auto any = [&] { return values[random() % std::size(values)]; };
    Bitmap bitmap(30, 20, 0x00102030);
    DeviceContext dc(bitmap);
    dc.IntersectClip(Rect{2, 2, 28, 18});
    FontDesc font;
    font.height = -11;
    for (int trial = 0; trial < 400; ++trial) {
        Pen pen = MakePen(static_cast<PenStyle>(trial % 9), 1 + trial % 4, 0x0000FF);
        pen.endCap = static_cast<EndCap>(trial % 3);
        pen.join = static_cast<LineJoin>((trial / 3) % 3);
        dc.SetPen(pen);
        dc.SetBrush(Brush{static_cast<BrushStyle>(trial % 8), 0x00FF00, nullptr, false});
        dc.SetRop2(static_cast<RasterOp>(1 + trial % 16));
        dc.MoveTo(any(), any());
        dc.LineTo(any(), any());
        dc.Rectangle(any(), any(), any(), any());
        const Point polygon[] = {{any(), any()}, {any(), any()}, {any(), any()}};
        dc.Polygon(polygon);
        dc.Polyline(polygon);
        dc.FillRect(Rect{any(), any(), any(), any()});
        dc.SetPixel(any(), any(), 0);
        dc.BitBlt(any(), any(), bitmap);
        font.escapement = trial * 450;
        dc.SetFont(font);
        dc.SetTextAlign(static_cast<unsigned>(trial % 2) * TA_CENTER);
        dc.TextOut(any(), any(), "Extreme");
    }
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            if (x < 2 || x >= 28 || y < 2 || y >= 18) {
                ASSERT_EQ(bitmap.GetPixel(x, y), 0x00102030u) << x << "," << y;
            }
}

} // namespace
} // namespace mouldview::raster
