// What the readout says of a period, and the names Save chooses beside the climate file.
#include "ui/Readout.h"

#include "ui/ResultFiles.h"

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

TEST(ResultFiles, NamesBesideTheClimateFileThatNeverReplaceOne) {
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
    fs::remove_all(directory);
}

} // namespace
} // namespace mouldview::ui
