// The error box painted into a bitmap, without a display. Its size and the places of mark, text
// and button follow by hand from the text's measured size and the box's margins; the text and the
// button label must be the font engine's own pictures of them, drawn alone, put in those places.
#include "platform/window/ErrorBox.h"

#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>
#include <string>

namespace mouldview::platform {
namespace {

using raster::Bitmap;
using raster::Pixel;
using raster::Rect;

constexpr Pixel Window = 0xFFFFFF;
constexpr Pixel Face = 0xF0F0F0;
constexpr Pixel Highlight = 0xFFFFFF;
constexpr Pixel Shadow = 0xA0A0A0;
constexpr Pixel Black = 0x000000;
constexpr Pixel MarkRed = 0xE81123;
// Never painted by the box: a pixel left in this colour was not painted at all.
constexpr Pixel Unpainted = 0x123456;

raster::Size Extent(const std::string& text) {
    Bitmap scratch(1, 1);
    raster::DeviceContext dc(scratch);
    dc.SetFont(ErrorBox::BoxFont());
    return dc.GetTextExtent(text);
}

// The text alone, black on `background`, in a bitmap of its extent.
Bitmap TextAlone(const std::string& text, Pixel background) {
    const raster::Size size = Extent(text);
    Bitmap bitmap(size.cx, size.cy, background);
    raster::DeviceContext dc(bitmap);
    dc.SetFont(ErrorBox::BoxFont());
    dc.SetBkMode(raster::BkMode::Transparent);
    dc.TextOut(0, 0, text);
    return bitmap;
}

// Where `part` differs from the block of `whole` at (left, top), or "" when it does not.
std::string BlockDifference(const Bitmap& whole, int left, int top, const Bitmap& part) {
    for (int y = 0; y < part.Height(); ++y) {
        for (int x = 0; x < part.Width(); ++x) {
            if (whole.GetPixel(left + x, top + y) != part.GetPixel(x, y)) {
                return "at (" + std::to_string(left + x) + ", " + std::to_string(top + y) + ")";
            }
        }
    }
    return "";
}

::testing::AssertionResult AllOf(const Bitmap& bitmap, const Rect& rect, Pixel pixel) {
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            if (bitmap.GetPixel(x, y) != pixel) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << bitmap.GetPixel(x, y);
            }
        }
    }
    return ::testing::AssertionSuccess();
}

int CountOf(const Bitmap& bitmap, Pixel pixel) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
        for (int x = 0; x < bitmap.Width(); ++x) {
            count += bitmap.GetPixel(x, y) == pixel ? 1 : 0;
        }
    }
    return count;
}

TEST(ErrorBox, SizedToItsTextWithMarkTextAndARaisedOrPressedButton) {
    const std::string text = "Runtime error 217 at 0040A1B2";
    const raster::Size t = Extent(text);
    ASSERT_LT(t.cy, 32) << "one line, lower than the mark";
    const ErrorBox box(text);
    // 12 + 32 + 12 pixels to the text, 12 after it; 12 + 32 + 12 rows of message, 10 + 23 + 10 of
    // button strip.
    const int width = 56 + t.cx + 12;
    ASSERT_EQ(box.ClientSize(), (raster::Size{width, 99}));
    const Rect button{width - 12 - 75, 66, width - 12, 89};
    ASSERT_EQ(box.ButtonRect(), button);

    Bitmap bitmap(width, 99, Unpainted);
    box.Paint(bitmap, false);
    EXPECT_EQ(CountOf(bitmap, Unpainted), 0);
    // The message area is the window colour around mark and text, the strip the button face.
    EXPECT_TRUE(AllOf(bitmap, {0, 0, width, 12}, Window));
    EXPECT_TRUE(AllOf(bitmap, {0, 44, width, 56}, Window));
    EXPECT_TRUE(AllOf(bitmap, {0, 0, 12, 56}, Window));
    EXPECT_TRUE(AllOf(bitmap, {0, 56, width, 66}, Face));
    EXPECT_TRUE(AllOf(bitmap, {0, 89, width, 99}, Face));
    EXPECT_TRUE(AllOf(bitmap, {0, 56, button.left, 99}, Face));
    // The mark: red above its centre, the white cross on the centre, the square's corner untouched.
    EXPECT_EQ(bitmap.GetPixel(12 + 16, 12 + 4), MarkRed);
    EXPECT_EQ(bitmap.GetPixel(12 + 4, 12 + 16), MarkRed);
    EXPECT_EQ(bitmap.GetPixel(12 + 16, 12 + 16), 0xFFFFFFu);
    EXPECT_EQ(bitmap.GetPixel(12, 12), Window);
    // The text, centred on the mark's height.
    EXPECT_EQ(BlockDifference(bitmap, 56, 12 + (32 - t.cy) / 2, TextAlone(text, Window)), "");
    // The button: the black frame, the raised bevel inside it, the label centred on the face.
    EXPECT_TRUE(AllOf(bitmap, {button.left, button.top, button.right, button.top + 1}, Black));
    EXPECT_TRUE(AllOf(bitmap, {button.left, button.bottom - 1, button.right, button.bottom}, Black));
    EXPECT_TRUE(AllOf(bitmap, {button.left, button.top, button.left + 1, button.bottom}, Black));
    EXPECT_TRUE(AllOf(bitmap, {button.right - 1, button.top, button.right, button.bottom}, Black));
    EXPECT_TRUE(
        AllOf(bitmap, {button.left + 1, button.top + 1, button.right - 2, button.top + 2}, Highlight));
    EXPECT_TRUE(
        AllOf(bitmap, {button.left + 1, button.top + 1, button.left + 2, button.bottom - 2}, Highlight));
    EXPECT_TRUE(
        AllOf(bitmap, {button.right - 2, button.top + 1, button.right - 1, button.bottom - 1}, Shadow));
    EXPECT_TRUE(
        AllOf(bitmap, {button.left + 1, button.bottom - 2, button.right - 1, button.bottom - 1}, Shadow));
    const raster::Size ok = Extent("OK");
    const int okLeft = button.left + (75 - ok.cx) / 2;
    const int okTop = button.top + (23 - ok.cy) / 2;
    EXPECT_EQ(BlockDifference(bitmap, okLeft, okTop, TextAlone("OK", Face)), "");

    // Pressed: a shadow frame all round inside the black one, the label one pixel right and down.
    box.Paint(bitmap, true);
    EXPECT_TRUE(AllOf(bitmap, {button.left + 1, button.top + 1, button.right - 1, button.top + 2}, Shadow));
    EXPECT_TRUE(AllOf(bitmap, {button.left + 1, button.top + 1, button.left + 2, button.bottom - 1}, Shadow));
    EXPECT_TRUE(
        AllOf(bitmap, {button.right - 2, button.top + 1, button.right - 1, button.bottom - 1}, Shadow));
    EXPECT_TRUE(
        AllOf(bitmap, {button.left + 1, button.bottom - 2, button.right - 1, button.bottom - 1}, Shadow));
    EXPECT_EQ(BlockDifference(bitmap, okLeft + 1, okTop + 1, TextAlone("OK", Face)), "");
}

TEST(ErrorBox, AShortTextStillGivesTheButtonItsMargins) {
    const ErrorBox box("E");
    EXPECT_EQ(box.ClientSize().cx, 12 + 75 + 12);
    EXPECT_EQ(box.ButtonRect().left, 12);
}

} // namespace
} // namespace mouldview::platform
