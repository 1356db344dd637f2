// Colour encoding, the system-colour table and the markers that never reach pixels.
#include "platform/raster/Colors.h"

#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>

namespace mouldview::raster {
namespace {

TEST(Colors, PlainColoursSwapRedAndBlueIntoPixels) {
    EXPECT_EQ(ToPixel(0x0000FF), 0xFF0000u); // clRed
    EXPECT_EQ(ToPixel(0xFF0000), 0x0000FFu); // clBlue
    EXPECT_EQ(ToPixel(0x123456), 0x563412u);
    EXPECT_EQ(FromPixel(0x563412u), 0x123456u);
}

TEST(Colors, SystemColoursComeFromTheWindows10Table) {
    EXPECT_EQ(ToPixel(0xFF00000F), 0xF0F0F0u); // button face
    EXPECT_EQ(ToPixel(0xFF000010), 0xA0A0A0u); // button shadow
    EXPECT_EQ(ToPixel(0xFF000014), 0xFFFFFFu); // button highlight
    EXPECT_EQ(ToPixel(0xFF000008), 0x000000u); // window text
    EXPECT_EQ(ToPixel(0xFF00000D), 0x0078D7u); // selection highlight: a colour with distinct channels
    EXPECT_EQ(ResolveColor(0xFF00000D), 0xD77800u);
    EXPECT_EQ(SystemColor(99), 0u);
}

TEST(Colors, ChangedSystemColoursAreSeenAndCanBeReset) {
    SetSystemColor(COLOR_BTNFACE, 0x00112233);
    EXPECT_EQ(ToPixel(0xFF00000F), 0x332211u);
    ResetSystemColors();
    EXPECT_EQ(ToPixel(0xFF00000F), 0xF0F0F0u);
}

TEST(Colors, NoneAndDefaultPaintNothing) {
    EXPECT_FALSE(IsPaintable(clNone));
    EXPECT_FALSE(IsPaintable(clDefault));
    EXPECT_TRUE(IsPaintable(0xFF00000F));
    Bitmap bitmap(8, 8, 0x00123456);
    DeviceContext dc(bitmap);
    for (ColorRef marker : {clNone, clDefault}) {
        dc.SetPen(MakePen(PenStyle::Solid, 1, marker));
        dc.SetBrush(Brush{BrushStyle::Solid, marker, nullptr, false});
        dc.Rectangle(0, 0, 8, 8);
        dc.FillRect(Rect{0, 0, 8, 8});
        dc.SetPixel(3, 3, marker);
        dc.SetTextColor(marker);
        dc.SetBkColor(marker);
        dc.TextOut(0, 0, "Ag");
    }
    EXPECT_EQ(bitmap, Bitmap(8, 8, 0x00123456));
}

} // namespace
} // namespace mouldview::raster
