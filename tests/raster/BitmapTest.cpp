// Bitmap storage, resizing, the block copy of the device context and PNG round trips.
#include "RasterTestSupport.h"
#include "platform/raster/DeviceContext.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace mouldview::raster {
namespace {

TEST(Bitmap, ResizeToTheSameSizeKeepsTheContent) {
    Bitmap bitmap(4, 3, 0);
    bitmap.SetPixel(1, 2, 0x00ABCDEF);
    const Pixel* before = bitmap.Data();
    bitmap.Resize(4, 3);
    EXPECT_EQ(bitmap.Data(), before);
    EXPECT_EQ(bitmap.GetPixel(1, 2), 0x00ABCDEFu);
}

TEST(Bitmap, ResizeKeepsTheSharedPartAndWhitensTheRest) {
    Bitmap bitmap(3, 3, 0);
    bitmap.SetPixel(2, 2, 0x00010203);
    bitmap.Resize(5, 4);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 4);
    EXPECT_EQ(bitmap.GetPixel(2, 2), 0x00010203u);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0u);
    EXPECT_EQ(bitmap.GetPixel(4, 3), 0x00FFFFFFu);
    bitmap.Resize(-1, 2);
    EXPECT_TRUE(bitmap.IsEmpty());
}

TEST(Bitmap, OutOfRangeAccessIsHarmless) {
    Bitmap bitmap(2, 2, 7);
    bitmap.SetPixel(-1, 0, 1);
    bitmap.SetPixel(2, 0, 1);
    EXPECT_EQ(bitmap.GetPixel(0, 5), 0u);
    EXPECT_EQ(bitmap, Bitmap(2, 2, 7));
}

TEST(BitBlt, CopiesTheWholeSourceClippedToTargetAndClip) {
    Bitmap source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.SetPixel(x, y, static_cast<Pixel>(y * 4 + x + 1));
    Bitmap target(6, 6, 0);
    DeviceContext dc(target);
    dc.IntersectClip(Rect{0, 0, 5, 6});
    dc.BitBlt(3, -1, source);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool copied = x >= 3 && x < 5 && y < 3;
            EXPECT_EQ(target.GetPixel(x, y), copied ? static_cast<Pixel>((y + 1) * 4 + (x - 3) + 1) : 0u)
                << x << "," << y;
        }
}

TEST(BitBlt, CopiesAPartOfTheSource) {
    Bitmap source(4, 4, 0);
    source.SetPixel(2, 1, 9);
    Bitmap target(3, 3, 1);
    DeviceContext dc(target);
    dc.BitBlt(0, 0, 2, 2, source, 2, 1);
    EXPECT_EQ(target.GetPixel(0, 0), 9u);
    EXPECT_EQ(target.GetPixel(1, 1), 0u);
    EXPECT_EQ(target.GetPixel(2, 2), 1u);
}

TEST(Png, RoundTripKeepsEveryPixel) {
    Bitmap bitmap(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bitmap.SetPixel(x, y,
                            MakePixel(static_cast<unsigned>(x * 37), static_cast<unsigned>(y * 51), 200));
    test::SaveForInspection(bitmap, "png_round_trip");
    const Bitmap read = ReadPng(std::string(RASTER_TEST_OUTPUT_DIR) + "/png_round_trip.png");
    EXPECT_EQ(read, bitmap);
    EXPECT_EQ(EncodePng(bitmap).at(1), 'P');
}

TEST(Png, FailuresAreReported) {
    EXPECT_THROW(WritePng(Bitmap(1, 1), "/nonexistent-dir/x.png"), std::runtime_error);
    EXPECT_THROW(EncodePng(Bitmap()), std::runtime_error);
    EXPECT_THROW(ReadPng("/nonexistent-dir/x.png"), std::runtime_error);
}

} // namespace
} // namespace mouldview::raster
