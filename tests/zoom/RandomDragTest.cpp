// Random mouse sessions on the window chart: whatever the order of presses, moves, releases,
// wheel notches, leaving and paints, once no zoom drag is under way the window shows exactly the
// last frame, with no band left behind, and the pan and zoom states end as the releases say.
#include "tests/zoom/ZoomTestSupport.h"

#include <gtest/gtest.h>
#include <random>

namespace mouldview::chart::test {
namespace {

TEST(RandomDrags, NoBandIsEverLeftBehind) {
    for (unsigned seed = 1; seed <= 8; ++seed) {
        ZoomChart w;
        std::mt19937 random(seed);
        const auto coordinate = [&](int size) {
            return std::uniform_int_distribution<int>(-40, size + 40)(random);
        };
        const auto button = [&] {
            const platform::MouseButton buttons[] = {mbLeft, mbRight, mbMiddle};
            return buttons[std::uniform_int_distribution<int>(0, 2)(random)];
        };
        for (int event = 0; event < 400; ++event) {
            const int x = coordinate(447);
            const int y = coordinate(202);
            switch (std::uniform_int_distribution<int>(0, 9)(random)) {
            case 0:
            case 1:
                w.Chart.MouseDown(button(), x, y);
                break;
            case 2:
            case 3:
                w.Chart.MouseUp(button(), x, y);
                break;
            case 4:
                w.Chart.MouseWheel(platform::WheelDirection::wdDown);
                break;
            case 5:
                w.Chart.PointerLeaves();
                break;
            case 6:
                // Something else changed and the window will be painted in full.
                w.Chart.RequestRepaint();
                break;
            case 7:
                // The window was uncovered: a paint with whatever the buffer holds.
                w.Chart.HandlePaint();
                break;
            default:
                w.Chart.MouseMove(x, y);
                break;
            }
            w.Pump();
            // A paint that copies the clean buffer must not change what the window shows.
            if (!w.Chart.Zoom().DragActive() && !w.Chart.Canvas().BufferDirty()) {
                const raster::Bitmap shown = w.Window();
                w.Chart.HandlePaint();
                ASSERT_EQ(w.Window(), shown) << "seed " << seed << ", event " << event;
            }
        }
        // Every release of the zoom button ends the zoom drag, and any release ends a pan.
        w.Chart.MouseUp(mbLeft, 0, 0);
        EXPECT_FALSE(w.Chart.Zoom().DragActive());
        EXPECT_FALSE(w.Chart.PanningState().DragActive());
    }
}

} // namespace
} // namespace mouldview::chart::test
