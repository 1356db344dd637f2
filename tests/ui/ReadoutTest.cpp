// What the readout says of a period, and the files Save writes beside the climate file.
#include "ui/Readout.h"

#include "platform/raster/Png.h"
#include "platform/runtime/FileSystem.h"
#include "ui/ResultFiles.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace mouldview::ui {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

TEST(Readout, PeriodIndexInThreeDigitsAndItsHours) {
    model::TModelState state;
    state.DatasetCount = 1;
    state.PeriodCount = 4;
    state.MouldIndex[model::DataSlot] = {0.0f, 0.000429115229f, 1.5f, 6.0f, 0.0f};
    // Period 1 holds lines 8 to 19: hours 7 to 18 from line 1.
    EXPECT_EQ(ReadoutLines(state, 1, '.'), (Lines{"Period 1", "Mould index 0.000429", "Hours 7 to 18"}));
    EXPECT_EQ(ReadoutLines(state, 2, ','), (Lines{"Period 2", "Mould index 1,50", "Hours 19 to 30"}));
    // With a start: 2008-02-28 18:30 plus 31 and 42 hours, across the leap day.
    state.StartOfCalculation = model::TStartMoment{2008, 2, 28, 18, 30, 0};
    EXPECT_EQ(ReadoutLines(state, 3, '.'),
              (Lines{"Period 3", "Mould index 6.00", "2008-03-01 01:30 to 2008-03-01 12:30"}));
}

TEST(ResultFiles, FreeNamesBesideTheClimateFileAndBothFilesWritten) {
    const fs::path directory =
        fs::temp_directory_path() / ("mouldview-names-" + std::to_string(std::random_device{}()));
    ASSERT_TRUE(fs::create_directory(directory));
    const std::string folder = directory.string() + "/";
    const std::string climate = folder + "Run.2008.txt";

    TSavedResult names = FreeResultNames(climate);
    EXPECT_EQ(names.Folder, folder);
    EXPECT_EQ(names.PngName, "Run.2008-mould.png");
    EXPECT_EQ(names.CsvName, "Run.2008-mould.csv");
    // Either file of a pair takes the pair's number.
    std::ofstream(folder + "Run.2008-mould.csv") << "x";
    EXPECT_EQ(FreeResultNames(climate).PngName, "Run.2008-mould-2.png");
    fs::create_directory(folder + "Run.2008-mould-2.png");
    names = FreeResultNames(climate);
    EXPECT_EQ(names.PngName, "Run.2008-mould-3.png");
    EXPECT_EQ(names.CsvName, "Run.2008-mould-3.csv");
    // A climate file in the working folder, without an extension.
    EXPECT_EQ(FreeResultNames("climate").Folder, "");
    EXPECT_EQ(FreeResultNames("climate").CsvName, "climate-mould.csv");

    // Saving takes the free pair, and leaves the two files and nothing else.
    model::TModelState state;
    state.DatasetCount = 1;
    state.PeriodCount = 2;
    state.ClimateFileName = climate;
    for (auto* group : {&state.PeriodRH, &state.PeriodTemp, &state.RHResponse, &state.TempResponse,
                        &state.PeriodDose, &state.MouldIndex}) {
        (*group)[model::DataSlot] = {0.0f, 0.0f};
    }
    state.PeriodRH[model::DataSlot][1] = 95.5f;
    state.PeriodTemp[model::DataSlot][1] = -2.25f;
    state.MouldIndex[model::DataSlot][1] = 0.125f;
    raster::Bitmap picture(3, 2);
    picture.Fill(0x00123456);
    names = SaveResult(state, picture);
    EXPECT_EQ(names.CsvName, "Run.2008-mould-3.csv");
    std::ifstream csv(folder + names.CsvName, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(csv), {});
    csv.close(); // Windows removes no open file.
    EXPECT_EQ(
        text,
        "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index\n1,95.5,-2.25,0,0,0,0.125\n");
    EXPECT_EQ(raster::ReadPng(folder + names.PngName).GetPixel(2, 1), 0x00123456U);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(directory)) {
        ++files;
    }
    EXPECT_EQ(files, 4) << "the first csv, the -2 folder and the saved pair";

    // The rename never replaces: a taken name stays as it was.
    std::ofstream(folder + "a") << "a";
    EXPECT_EQ(runtime::RenameWithoutReplacing(folder + "a", folder + "Run.2008-mould.csv"), -EEXIST);
    EXPECT_TRUE(fs::exists(folder + "a"));
    EXPECT_EQ(fs::file_size(folder + "Run.2008-mould.csv"), 1U);
    fs::remove_all(directory);
}

} // namespace
} // namespace mouldview::ui
