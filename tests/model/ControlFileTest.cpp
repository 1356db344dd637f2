// The control file: settings, start dates and the climate file's name. What a run deletes is
// checked end to end and under failure injection.
#include "model/ControlFile.h"

#include "ModelTestFiles.h"
#include "model/StartDate.h"
#include "platform/runtime/Errors.h"

#include <gtest/gtest.h>

namespace {

using namespace mouldview::model;
using mouldview::model::testing::TTempDir;

TEST(ControlFile, SettingValueTakesTheTwoCuts) {
    EXPECT_EQ(SettingValue("<deleteafterload>true</deleteafterload>"), "true");
    EXPECT_EQ(SettingValue("  <a x=\"1\">value</a> more"), "value");
    EXPECT_EQ(SettingValue("no angle brackets"), "");
    EXPECT_EQ(SettingValue("value</end>"), "");             // everything up to the first ">" is removed
    EXPECT_EQ(SettingValue("value<x"), "value");            // no ">": nothing removed
    EXPECT_EQ(SettingValue("<tag> true </tag>"), " true "); // blanks are not trimmed
    EXPECT_EQ(SettingValue("<tag>true"), "");
}

TEST(ControlFile, ClimateFileNameChangesTheExtension) {
    EXPECT_EQ(ClimateFileNameFor("run.ctl"), "run.txt");
    EXPECT_EQ(ClimateFileNameFor("data/run"), "data/run.txt");
    EXPECT_EQ(ClimateFileNameFor("data.d/run"),
              "data.d/run.txt"); // the dot before the last "/" is no extension
    EXPECT_EQ(ClimateFileNameFor("/tmp/a.b.ctl"), "/tmp/a.b.txt");
    EXPECT_EQ(ClimateFileNameFor("run.txt"), "run.txt");
}

TEST(ControlFile, TheStartMomentAndHoursAfterIt) {
    // The moment a date names, from the same forms the validation accepts.
    EXPECT_EQ(ParseStartDate(" 08 - 1 - 15 ", 2024), (TStartMoment{2008, 1, 15, 0, 0, 0}));
    EXPECT_EQ(ParseStartDate("2-29 7:05:09", 2024), (TStartMoment{2024, 2, 29, 7, 5, 9}));
    EXPECT_EQ(ParseStartDate("2008-02-30", 2024), std::nullopt);
    // Hours counted across a day, a leap day, a century without one, a year and 400 years
    // (146097 days), all by hand.
    EXPECT_EQ(FormatMoment(AddHours({2008, 2, 28, 18, 30, 0}, 7), 'T'), "2008-02-29T01:30");
    EXPECT_EQ(FormatMoment(AddHours({1900, 2, 28, 12, 0, 0}, 12), 'T'), "1900-03-01T00:00");
    EXPECT_EQ(FormatMoment(AddHours({2000, 2, 28, 12, 0, 0}, 12), ' '), "2000-02-29 00:00");
    EXPECT_EQ(FormatMoment(AddHours({2008, 12, 31, 23, 0, 0}, 1063), 'T'), "2009-02-14T06:00");
    EXPECT_EQ(FormatMoment(AddHours({2008, 1, 15, 0, 0, 0}, 24 * 366), 'T'), "2009-01-15T00:00");
    EXPECT_EQ(FormatMoment(AddHours({1, 1, 1, 0, 0, 59}, 24LL * 146097), 'T'), "0401-01-01T00:00:59");

    // The control file's last start line counts; without one there is none.
    const TTempDir dir;
    std::optional<TStartMoment> start;
    ReadControlFile(dir.Write("s.ctl", "<startofcalculation>2008-01-15</startofcalculation>\n"
                                       "<StartOfCalculation>2009-3-1 6:00</StartOfCalculation>\n"),
                    2024, &start);
    EXPECT_EQ(start, (TStartMoment{2009, 3, 1, 6, 0, 0}));
    start.reset();
    ReadControlFile(dir.Write("n.ctl", "<deleteafterload>false</deleteafterload>\n"), 2024, &start);
    EXPECT_EQ(start, std::nullopt);
}

TEST(ControlFile, StartDates) {
    for (const char* valid :
         {"2008-01-15", " 2008 - 1 - 15 ", "2008-01-15-", "2008-1-15  ", "1-15", "02-29", "2000-02-29",
          "2008-12-31 23:59", "2008-12-31 0:00:59", "9999-12-31", "0001-01-01", "08-01-15"}) {
        EXPECT_TRUE(IsValidStartDate(valid, 2024)) << valid;
    }
    for (const char* invalid : {"",
                                " ",
                                "2008/01/15",
                                "2008.01.15",
                                "2008-13-01",
                                "2008-02-30",
                                "1900-02-29",
                                "2007-02-29",
                                "0000-01-01",
                                "2008-00-10",
                                "2008-01-00",
                                "2008",
                                "1-15-",
                                "2008-01-15 x",
                                "2008-01-15 24:00",
                                "2008-01-15 12",
                                "2008-01-15 12:5",
                                "2008-01-15--",
                                "10000-01-01",
                                "2008-01-15T12:00",
                                "true"}) {
        EXPECT_FALSE(IsValidStartDate(invalid, 2024)) << invalid;
    }
    // Month and day alone use the current year: 29 February only in a leap year.
    EXPECT_TRUE(IsValidStartDate("2-29", 2024));
    EXPECT_FALSE(IsValidStartDate("2-29", 2023));
}

TEST(ControlFile, Settings) {
    const TTempDir dir;
    const int year = 2024;
    EXPECT_FALSE(ReadControlFile(dir.Write("a.ctl", "<settings>\n<other>x</other>\n</settings>\n"), year));
    EXPECT_TRUE(ReadControlFile(dir.Write("b.ctl", "<DeleteAfterLoad>TRUE</DeleteAfterLoad>\r\n"), year));
    EXPECT_FALSE(ReadControlFile(dir.Write("c.ctl", "<deleteafterload>true</deleteafterload>\n"
                                                    "<deleteafterload>false</deleteafterload>\n"),
                                 year)); // the last one counts
    EXPECT_FALSE(ReadControlFile(dir.Write("d.ctl", "<deleteafterload> true</deleteafterload>\n"), year));
    EXPECT_FALSE(ReadControlFile(dir.Write("e.ctl", "<deleteafterload>yes</deleteafterload>\n"), year));
    // A line with both names is a delete line; its date is not checked.
    EXPECT_TRUE(
        ReadControlFile(dir.Write("f.ctl", "<deleteafterload>true</deleteafterload><startofcalculation>"
                                           "nonsense</startofcalculation>\n"),
                        year));
    EXPECT_FALSE(
        ReadControlFile(dir.Write("g.ctl", "<StartOfCalculation>2008-01-15</StartOfCalculation>\n"), year));
    // A Ctrl-Z at a line start ends the file.
    EXPECT_FALSE(ReadControlFile(dir.Write("h.ctl", "\x1a<deleteafterload>true</deleteafterload>\n"), year));
}

TEST(ControlFile, InvalidDateNamesTheValueAndLine) {
    const TTempDir dir;
    const std::string path =
        dir.Write("run.ctl", "<run>\n<startofcalculation>2008/01/15</startofcalculation>\n");
    try {
        ReadControlFile(path, 2024);
        FAIL();
    } catch (const mouldview::runtime::EConvertError& error) {
        EXPECT_EQ(error.Message(), "'2008/01/15' is not a valid date and time");
        EXPECT_EQ(error.FileName(), path);
        EXPECT_EQ(error.LineNumber(), 2);
    }
    EXPECT_THROW(ReadControlFile(dir.Write("e.ctl", "<startofcalculation></startofcalculation>\n"), 2024),
                 mouldview::runtime::EConvertError);
}

} // namespace
