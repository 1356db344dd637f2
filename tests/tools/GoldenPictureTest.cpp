// The charts mouldexport draws, pixel for pixel against pictures committed in golden/: the example
// year, a climate that keeps the index below 1 and one that saturates it at 6, each at the window's
// size of 447 x 202. A change of pixels must replace the pictures on purpose: run the test with
// MOULDVIEW_WRITE_GOLDEN=1 to write what it draws instead of comparing, and look at them.
#include "model/ModelRun.h"
#include "platform/raster/Png.h"
#include "tools/ChartExport.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace mouldview::tools {
namespace {

// A climate file of `hours` lines, each at temperature `celsius` and humidity `fraction`.
std::string ConstantClimate(int hours, const char* celsius, const char* fraction) {
    std::string text;
    for (int hour = 1; hour <= hours; ++hour) {
        text += std::to_string(hour) + "\t" + celsius + "\t" + fraction + "\t\n";
    }
    return text;
}

// The chart of the climate text as mouldexport --png draws it at the window's size. The file name
// is the running test's with a random part: ctest runs the tests side by side, and other checkouts
// may run theirs in the same temporary folder.
raster::Bitmap ChartOf(const std::string& climateText) {
    const std::string path = ::testing::TempDir() +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                             std::to_string(std::random_device{}()) + ".txt";
    std::ofstream(path, std::ios::binary) << climateText;
    model::TModelState state;
    model::RunModel(state, model::TRunInput{{}, path, std::nullopt}, '.');
    std::filesystem::remove(path);
    return RenderChart(state, 447, 202);
}

void ExpectGolden(const raster::Bitmap& drawn, const std::string& name) {
    const std::string golden = std::string(GOLDEN_DIR) + "/" + name + ".png";
    const char* write = std::getenv("MOULDVIEW_WRITE_GOLDEN");
    if (write != nullptr && std::string(write) == "1") {
        raster::WritePng(drawn, golden);
        GTEST_SKIP() << "wrote " << golden;
    }
    const raster::Bitmap expected = raster::ReadPng(golden);
    ASSERT_EQ(drawn.Width(), expected.Width());
    ASSERT_EQ(drawn.Height(), expected.Height());
    for (int y = 0; y < drawn.Height(); ++y) {
        for (int x = 0; x < drawn.Width(); ++x) {
            if (drawn.GetPixel(x, y) != expected.GetPixel(x, y)) {
                const std::string actual = ::testing::TempDir() + name + "-drawn.png";
                raster::WritePng(drawn, actual);
                FAIL() << name << ": pixel (" << x << ", " << y
                       << ") differs from the golden picture; drawn: " << actual;
            }
        }
    }
}

TEST(GoldenPicture, TheExampleYear) {
    std::ifstream in(EXAMPLE_CLIMATE, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ExpectGolden(ChartOf(text), "example-year");
}

TEST(GoldenPicture, AResultBelowOne) {
    // 10 degrees at 80 %: the index grows by about 0.0012 a period, to about 0.24 after 200.
    ExpectGolden(ChartOf(ConstantClimate(12 + 200 * 12, "10", "0.80")), "below-one");
}

TEST(GoldenPicture, AResultSaturatedAtSix) {
    // 20 degrees at 95 %: the index passes 1 in period 15 and reaches 6 in period 89.
    ExpectGolden(ChartOf(ConstantClimate(12 + 150 * 12, "20", "0.95")), "saturated");
}

} // namespace
} // namespace mouldview::tools
