// mouldexport's chart half without a process: the --png and --size options, and the PNG written
// for a model state, which must read back as the form's own painting of the same state.
#include "platform/raster/Png.h"
#include "platform/runtime/Errors.h"
#include "tools/ChartExport.h"
#include "tools/ExportOptions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace mouldview::tools {
namespace {

TExportOptions Parse(std::vector<std::string> arguments) {
    return ParseExportOptions(arguments);
}

TEST(ExportOptions, PngWithAndWithoutSize) {
    TExportOptions options = Parse({"--png", "chart.png"});
    EXPECT_EQ(options.PngFile, std::optional<std::string>("chart.png"));
    EXPECT_EQ(options.PngWidth, 447);
    EXPECT_EQ(options.PngHeight, 202);
    EXPECT_FALSE(options.Summary) << "a picture is an output of its own";

    options = Parse({"--size", "1920x1080", "run.ctl", "--png", "-chart.png", "--summary"});
    EXPECT_EQ(options.PngFile, std::optional<std::string>("-chart.png"));
    EXPECT_EQ(options.ControlFile, std::optional<std::string>("run.ctl"));
    EXPECT_EQ(options.PngWidth, 1920);
    EXPECT_EQ(options.PngHeight, 1080);
    EXPECT_TRUE(options.Summary);

    options = Parse({"--png", "a.png", "--size", "1x16384"});
    EXPECT_EQ(options.PngWidth, 1);
    EXPECT_EQ(options.PngHeight, 16384);
}

TEST(ExportOptions, BadSizesAndMisuse) {
    for (const char* size : {"0x10", "10x0", "16385x10", "10", "x10", "10x", "10x10x", "-5x10", "10 x10",
                             "99999999999x1", "10X10", ""}) {
        EXPECT_THROW(Parse({"--png", "a.png", "--size", size}), EUsageError) << "'" << size << "'";
    }
    EXPECT_THROW(Parse({"--size", "10x10"}), EUsageError) << "--size without --png";
    EXPECT_THROW(Parse({"--png"}), EUsageError);
    EXPECT_THROW(Parse({"--png", "a.png", "--png", "b.png"}), EUsageError);
    EXPECT_THROW(Parse({"--png", "a.png", "--size", "10x10", "--size", "20x20"}), EUsageError);
}

model::TModelState StateWith(const std::vector<float>& indices) {
    model::TModelState state;
    state.DatasetCount = 1;
    state.PeriodCount = static_cast<std::int32_t>(indices.size()) + 1;
    state.MouldIndex[1].resize(indices.size() + 1);
    for (std::size_t k = 0; k < indices.size(); ++k) {
        state.MouldIndex[1][k + 1] = indices[k];
    }
    return state;
}

TEST(ChartExport, ThePngHoldsTheFormsPicture) {
    const model::TModelState state = StateWith({0.2f, 0.9f, 1.4f, 1.3f, 2.2f});
    // A random part in the name: other checkouts may run this test in the same temporary folder.
    const std::string path =
        ::testing::TempDir() + "mouldexport-chart-" + std::to_string(std::random_device{}()) + ".png";
    WriteChartPng(state, 300, 180, path);
    const raster::Bitmap written = raster::ReadPng(path);
    std::filesystem::remove(path);
    const raster::Bitmap painted = RenderChart(state, 300, 180);
    EXPECT_EQ(written.Width(), 300);
    EXPECT_EQ(written.Height(), 180);
    EXPECT_TRUE(written == painted);
    // A chart, not an empty picture: the blue curve and the red line are there.
    int red = 0;
    int blue = 0;
    for (int y = 0; y < painted.Height(); ++y) {
        for (int x = 0; x < painted.Width(); ++x) {
            red += painted.GetPixel(x, y) == 0xFF0000 ? 1 : 0;
            blue += painted.GetPixel(x, y) == 0x0000FF ? 1 : 0;
        }
    }
    EXPECT_GT(red, 100);
    EXPECT_GT(blue, 100);
}

TEST(ChartExport, AFileThatCannotBeWrittenIsReportedByName) {
    const model::TModelState state = StateWith({0.5f});
    try {
        WriteChartPng(state, 100, 80, "/nonexistent-directory/chart.png");
        FAIL() << "no error";
    } catch (const runtime::EInOutError& error) {
        EXPECT_EQ(error.FileName(), "/nonexistent-directory/chart.png");
    }
}

} // namespace
} // namespace mouldview::tools
