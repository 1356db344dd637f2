// The real model run on good and bad inputs, through mouldexport (which runs exactly the
// program's model run, control file and deletions included, without needing a display): exit
// statuses, the standard-error line of a failed start-up, which files are deleted, and the
// outputs.
#include "ProcessRunner.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using mouldview::testing::RunProcess;
using mouldview::testing::TProcessResult;
namespace fs = std::filesystem;

const std::string Mouldexport = MOULDEXPORT_EXE;

std::string Lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += line;
    }
    return text;
}

const std::string GoodLine = "x\t20\t0.95\t\n";
const std::string DeleteSetting = "<deleteafterload>true</deleteafterload>\n";

class EndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "mouldview-e2e-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        ::chmod(m_dir.c_str(), 0755); // reachable for the unprivileged run below
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    std::string Write(const std::string& name, const std::string& content) const {
        const std::string path = m_dir + "/" + name;
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    bool Exists(const std::string& name) const { return fs::exists(m_dir + "/" + name); }
    TProcessResult Run(std::vector<std::string> arguments,
                       const std::vector<std::string>& environment = {}) const {
        return RunProcess(arguments, m_dir, environment);
    }

    // Runs the model on run.ctl (asking for deletion) beside run.txt holding the climate text,
    // and checks the failure: status 217, the one standard-error line, the control file deleted
    // and the climate file kept; then the same with the climate file named directly.
    void ExpectClimateFailure(const std::string& climate, const std::string& errorLine,
                              const std::vector<std::string>& environment = {}) {
        Write("run.ctl", DeleteSetting);
        Write("run.txt", climate);
        const TProcessResult result = Run({Mouldexport, "run.ctl"}, environment);
        EXPECT_EQ(result.ExitStatus, 217);
        EXPECT_EQ(result.Error, "mouldexport: " + errorLine + "\n");
        EXPECT_EQ(result.Output, "");
        EXPECT_FALSE(Exists("run.ctl"));
        EXPECT_TRUE(Exists("run.txt"));
        const TProcessResult direct = Run({Mouldexport, "--climate", "run.txt", "--csv", "-"}, environment);
        EXPECT_EQ(direct.ExitStatus, 217);
        EXPECT_EQ(direct.Error, "mouldexport: " + errorLine + "\n");
        EXPECT_TRUE(Exists("run.txt"));
    }

    std::string m_dir;
};

TEST_F(EndToEnd, GoodRunEndsWithStatusZeroAndDeletesWhenAsked) {
    Write("run.ctl", "<control>\n" + DeleteSetting + "<startofcalculation>2008-01-15</startofcalculation>\n");
    Write("run.txt", Lines(48, GoodLine));
    const TProcessResult result = Run({Mouldexport, "run.ctl"});
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Error, "");
    EXPECT_FALSE(Exists("run.ctl"));
    EXPECT_FALSE(Exists("run.txt"));

    Write("GeneralCourse.txt", Lines(48, GoodLine));
    EXPECT_EQ(Run({Mouldexport}).ExitStatus, 0);
    EXPECT_TRUE(Exists("GeneralCourse.txt"));
}

TEST_F(EndToEnd, FilesThatCannotBeRead) {
    TProcessResult result = Run({Mouldexport});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: GeneralCourse.txt: File not found\n");

    result = Run({Mouldexport, "missing.ctl"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: missing.ctl: File not found\n");

    result = Run({Mouldexport, "nowhere/run.ctl"});
    EXPECT_EQ(result.Error, "mouldexport: nowhere/run.ctl: Invalid filename\n");

    fs::create_directory(m_dir + "/folder.ctl");
    result = Run({Mouldexport, "folder.ctl"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: folder.ctl: File access denied\n");

    Write("nodata.ctl", "");
    result = Run({Mouldexport, "nodata.ctl"});
    EXPECT_EQ(result.Error, "mouldexport: nodata.txt: File not found\n");

    // A read that fails after a successful open: a process's memory at address 0.
    result = Run({Mouldexport, "--climate", "/proc/self/mem"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: /proc/self/mem: I/O error 5\n");
}

TEST_F(EndToEnd, UnreadableFile) {
    const std::string path = Write("locked.ctl", DeleteSetting);
    ::chmod(path.c_str(), 0);
    std::vector<std::string> command = {Mouldexport, "locked.ctl"};
    if (::geteuid() == 0) {
        // Root reads everything; run as nobody instead.
        if (!fs::exists("/usr/bin/setpriv")) {
            GTEST_SKIP() << "running as root without setpriv";
        }
        command.insert(command.begin(),
                       {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    const TProcessResult result = Run(command);
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: locked.ctl: File access denied\n");
    EXPECT_TRUE(Exists("locked.ctl"));
}

TEST_F(EndToEnd, BadClimateLines) {
    ExpectClimateFailure(Lines(3, GoodLine) + "x\t\t0.95\t\n",
                         "run.txt:4: '' is not a valid floating point value");
    ExpectClimateFailure("hour\ttemperature\thumidity\t\n" + Lines(3, GoodLine),
                         "run.txt:1: 'temperature' is not a valid floating point value");
    ExpectClimateFailure(Lines(3, GoodLine) + "\n", "run.txt:4: '' is not a valid floating point value");
    ExpectClimateFailure(Lines(14, GoodLine) + "x\t20,5\t0.95\t\n",
                         "run.txt:15: '20,5' is not a valid floating point value");
    ExpectClimateFailure(Lines(2, GoodLine) + "x\t20\t1e39\t\n", "run.txt:3: Floating point overflow");
    ExpectClimateFailure(Lines(2, GoodLine) + "x\t1e5000\t0.5\t\n",
                         "run.txt:3: '1e5000' is not a valid floating point value");
    ExpectClimateFailure("x\tnan\t0.5\t\n", "run.txt:1: 'nan' is not a valid floating point value");
    ExpectClimateFailure("x\t20\tinf\t\n", "run.txt:1: 'inf' is not a valid floating point value");
    ExpectClimateFailure(Lines(2, GoodLine) + "x\t20\t0.95\n",
                         "run.txt:3: '' is not a valid floating point value");
    ExpectClimateFailure(GoodLine + std::string("x\t2\0"
                                                "0\t0.5\t\n",
                                                9),
                         "run.txt:2: '2\\x000' is not a valid floating point value");
    ExpectClimateFailure(GoodLine + "\x7f"
                                    "ELF\x02\x01\t\x01\x88\xff\t\x00\x00\t\n",
                         "run.txt:2: '\\x01\x88\xff' is not a valid floating point value");
}

TEST_F(EndToEnd, OverflowInTheComputation) {
    // A mean humidity far beyond any climate. The computation runs after LoadInput has finished,
    // deletions included, so both files are gone by then.
    Write("run.ctl", DeleteSetting);
    Write("run.txt", Lines(24, "x\t20\t300\t\n"));
    TProcessResult result = Run({Mouldexport, "run.ctl"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: period 1: Floating point overflow\n");
    EXPECT_FALSE(Exists("run.ctl"));
    EXPECT_FALSE(Exists("run.txt"));

    // A bad line anywhere wins over the overflow: the whole file is read before the computation.
    Write("run.ctl", DeleteSetting);
    Write("run.txt", Lines(24, "x\t20\t300\t\n") + "x\t20\t0.95\n");
    result = Run({Mouldexport, "run.ctl"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: run.txt:25: '' is not a valid floating point value\n");
    EXPECT_FALSE(Exists("run.ctl"));
    EXPECT_TRUE(Exists("run.txt"));
}

TEST_F(EndToEnd, BadControlFiles) {
    Write("run.ctl", DeleteSetting + "<startofcalculation>2008/01/15</startofcalculation>\n");
    Write("run.txt", Lines(24, GoodLine));
    TProcessResult result = Run({Mouldexport, "run.ctl"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: run.ctl:2: '2008/01/15' is not a valid date and time\n");
    EXPECT_TRUE(Exists("run.ctl")); // nothing deleted before the date is accepted
    EXPECT_TRUE(Exists("run.txt"));

    // A control file named .txt that deletes itself: its climate file is then missing.
    Write("self.txt", DeleteSetting);
    result = Run({Mouldexport, "self.txt"});
    EXPECT_EQ(result.ExitStatus, 217);
    EXPECT_EQ(result.Error, "mouldexport: self.txt: File not found\n");
    EXPECT_FALSE(Exists("self.txt"));
}

// A locale with a decimal comma, built into the test's own directory, since few machines have
// one installed; skipped where the locale sources are missing.
std::string CommaLocaleDirectory() {
    static const std::string directory = [] {
        const std::string dir = ::testing::TempDir() + "mouldview-locale-" + std::to_string(::getpid());
        fs::create_directories(dir);
        const std::string command = "localedef -i de_DE -f UTF-8 " + dir + "/de_DE.UTF-8 >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 || fs::exists(dir + "/de_DE.UTF-8") ? dir : std::string();
    }();
    return directory;
}

TEST_F(EndToEnd, DecimalSeparatorOfTheLocale) {
    const std::string locales = CommaLocaleDirectory();
    if (locales.empty()) {
        GTEST_SKIP() << "cannot build the de_DE.UTF-8 locale (package locales missing)";
    }
    const std::vector<std::string> comma = {"LOCPATH=" + locales, "LC_ALL=de_DE.UTF-8"};
    ExpectClimateFailure(Lines(2, "x\t20,5\t0,95\t\n") + "x\t20.5\t0,95\t\n",
                         "run.txt:3: '20.5' is not a valid floating point value", comma);
    Write("comma.txt", Lines(24, "x\t20,5\t0,95\t\n"));
    const TProcessResult result = Run({Mouldexport, "--climate", "comma.txt", "--csv", "-"}, comma);
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_NE(result.Output.find("\n1,94.9999924,20.5,"), std::string::npos)
        << result.Output; // "." in the CSV
}

TEST_F(EndToEnd, ExportUsage) {
    TProcessResult result = Run({Mouldexport, "--help"});
    EXPECT_EQ(result.ExitStatus, 0);
    EXPECT_EQ(result.Output.rfind(
                  "Usage: mouldexport [--climate FILE] [--start DATETIME] [--csv FILE|- [--dates]]", 0),
              0u);
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"--bogus"},
                                                {"--csv"},
                                                {"--climate", "a", "b.ctl"},
                                                {"a.ctl", "b.ctl"},
                                                {"--start", "2008-02-30", "--csv", "-"},
                                                {"--start", "2008-01-15", "a.ctl"},
                                                {"--climate", "a", "--csv", "-", "--dates"},
                                                {"--start", "2008-01-15", "--dates"}}) {
        std::vector<std::string> command = {Mouldexport};
        command.insert(command.end(), bad.begin(), bad.end());
        result = Run(command);
        EXPECT_EQ(result.ExitStatus, 2) << bad.front();
        EXPECT_NE(result.Error.find("Usage: mouldexport"), std::string::npos);
    }
}

// One row of the period table, worked out from the formulas of the dose-response model with no
// code of the program: sums and responses in extended precision, every stored value rounded to
// single precision, as the model keeps its arrays.
struct ReferenceRow {
    float Humidity;
    float Temperature;
    float HumidityResponse;
    float TemperatureResponse;
    float Dose;
    float Index;
};

std::vector<ReferenceRow> ReferenceTable(const std::string& climateText) {
    // Fields 2 and 3 of every line: temperature and humidity, converted at extended precision.
    std::vector<float> temperature{0};
    std::vector<float> humidity{0};
    std::istringstream lines(climateText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string number;
        std::getline(fields, number, '\t');
        std::getline(fields, number, '\t');
        temperature.push_back(static_cast<float>(std::strtold(number.c_str(), nullptr)));
        std::getline(fields, number, '\t');
        humidity.push_back(static_cast<float>(std::strtold(number.c_str(), nullptr)));
    }
    const auto count = static_cast<int>(temperature.size()) - 1;
    std::vector<ReferenceRow> rows;
    float humiditySum = 0;
    float temperatureSum = 0;
    float index = 0;
    // Lines 8 to count - 5, twelve hours to a period.
    for (int l = 8; l <= count - 5; ++l) {
        humiditySum = static_cast<float>(static_cast<long double>(humiditySum) + humidity[l]);
        temperatureSum = static_cast<float>(static_cast<long double>(temperatureSum) + temperature[l]);
        if ((l - 7) % 12 != 0) {
            continue;
        }
        ReferenceRow r{};
        r.Humidity = static_cast<float>(humiditySum / 12.0L * 100.0L);
        r.Temperature = static_cast<float>(temperatureSum / 12.0L);
        const long double h = r.Humidity;
        const long double t = r.Temperature;
        // Above 75 % the power law, from 60 % up to 75 % inclusive the line, below that -0.4.
        r.HumidityResponse = h > 75    ? static_cast<float>(std::exp(15.5L * std::log(h / 90)) * 0.5L)
                             : h >= 60 ? static_cast<float>(0.0286L * h + -2.118L)
                                       : -0.4f;
        const bool cold = t < 0.1L;
        r.TemperatureResponse =
            cold || r.HumidityResponse <= 0 ? 1.0f : static_cast<float>(std::exp(2 * std::log(t / 20)));
        r.Dose =
            cold ? -0.4f
                 : static_cast<float>(static_cast<long double>(r.TemperatureResponse) * r.HumidityResponse);
        index = static_cast<float>(r.Dose / 17.0L + index);
        index = index > 6 ? 6 : !(index >= 0) ? 0 : index;
        r.Index = index;
        rows.push_back(r);
        humiditySum = 0;
        temperatureSum = 0;
    }
    return rows;
}

TEST_F(EndToEnd, TheExampleYearsTableAndSummaryFollowTheModelsFormulas) {
    const std::string text = [] {
        std::ifstream in(EXAMPLE_CLIMATE, std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        return content.str();
    }();
    Write("year.txt", text);
    const TProcessResult result =
        Run({Mouldexport, "--climate", "year.txt", "--csv", "table.csv", "--summary"});
    ASSERT_EQ(result.ExitStatus, 0) << result.Error;
    EXPECT_TRUE(Exists("year.txt")); // --climate deletes nothing

    const std::vector<ReferenceRow> reference = ReferenceTable(text);
    ASSERT_EQ(reference.size(), 729U) << "8760 lines: (8760 - 12) / 12 periods";
    std::ifstream table(m_dir + "/table.csv");
    std::string line;
    std::getline(table, line);
    EXPECT_EQ(line, "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index");
    std::size_t rows = 0;
    while (std::getline(table, line)) {
        ASSERT_LT(rows, reference.size());
        const ReferenceRow& r = reference[rows++];
        std::istringstream fields(line);
        std::string field;
        std::getline(fields, field, ',');
        ASSERT_EQ(std::stoul(field), rows);
        for (const float expected :
             {r.Humidity, r.Temperature, r.HumidityResponse, r.TemperatureResponse, r.Dose, r.Index}) {
            std::getline(fields, field, ',');
            ASSERT_EQ(std::strtof(field.c_str(), nullptr), expected) << line;
        }
    }
    EXPECT_EQ(rows, reference.size());

    // The summary from the same rows: the largest index and its first period, the first period at
    // 1 or above and how many are.
    std::size_t maximumAt = 0;
    std::size_t firstAtLeastOne = 0;
    int atLeastOne = 0;
    for (std::size_t k = 0; k < reference.size(); ++k) {
        maximumAt = reference[k].Index > reference[maximumAt].Index ? k : maximumAt;
        if (reference[k].Index >= 1.0f) {
            firstAtLeastOne = firstAtLeastOne == 0 ? k + 1 : firstAtLeastOne;
            ++atLeastOne;
        }
    }
    char maximum[64];
    std::snprintf(maximum, sizeof maximum, "%.9g in period %zu",
                  static_cast<double>(reference[maximumAt].Index), maximumAt + 1);
    EXPECT_EQ(result.Output, "lines read: 8760\n"
                             "periods evaluated: 729\n"
                             "maximum index: " +
                                 std::string(maximum) +
                                 "\n"
                                 "first period with index >= 1: " +
                                 std::to_string(firstAtLeastOne) +
                                 "\nperiods with index >= 1: " + std::to_string(atLeastOne) + "\n");
    // The year is meant to take the index above 1 during its humid spell.
    EXPECT_GT(firstAtLeastOne, 0U);
}

TEST_F(EndToEnd, DatesFromTheStartMoment) {
    // Four periods; the first covers hours 7 to 18, each next one 12 hours later.
    Write("run.ctl", "<startofcalculation>2008-02-28 18:30</startofcalculation>\n");
    Write("run.txt", Lines(12 * 5, GoodLine));
    const TProcessResult plain = Run({Mouldexport, "--climate", "run.txt", "--csv", "-"});
    const TProcessResult dated = Run({Mouldexport, "run.ctl", "--csv", "-", "--dates"});
    ASSERT_EQ(dated.ExitStatus, 0) << dated.Error;
    std::istringstream plainLines(plain.Output);
    std::istringstream datedLines(dated.Output);
    std::string plainLine;
    std::string datedLine;
    std::vector<std::string> starts;
    while (std::getline(plainLines, plainLine) && std::getline(datedLines, datedLine)) {
        // The same table with one more column.
        ASSERT_EQ(datedLine.rfind(plainLine + ",", 0), 0U) << datedLine;
        starts.push_back(datedLine.substr(plainLine.size() + 1));
    }
    EXPECT_EQ(starts, (std::vector<std::string>{"start", "2008-02-29T01:30", "2008-02-29T13:30",
                                                "2008-03-01T01:30", "2008-03-01T13:30"}));

    // Without a control file --start gives the moment, and the summary names the two dates.
    Write("long.txt", Lines(12 * 120, GoodLine));
    const TProcessResult summary = Run({Mouldexport, "--climate", "long.txt", "--start", "2008-12-31 23:00"});
    EXPECT_EQ(summary.Output, "lines read: 1440\n"
                              "periods evaluated: 119\n"
                              "maximum index: 6 in period 89 (2009-02-14T06:00)\n"
                              "first period with index >= 1: 15 (2009-01-08T06:00)\n"
                              "periods with index >= 1: 105\n");

    // A control file without a start cannot give --dates one: a usage error, and no table.
    Write("none.ctl", "<deleteafterload>false</deleteafterload>\n");
    Write("none.txt", Lines(12 * 5, GoodLine));
    const TProcessResult none = Run({Mouldexport, "none.ctl", "--csv", "-", "--dates"});
    EXPECT_EQ(none.ExitStatus, 2);
    EXPECT_EQ(none.Output, "");
}

TEST_F(EndToEnd, AClimateTooShortForAPeriodGivesAnEmptyTable) {
    Write("short.txt", Lines(5, GoodLine));
    const TProcessResult tiny = Run({Mouldexport, "--climate", "short.txt", "--csv", "-"});
    EXPECT_EQ(tiny.ExitStatus, 0);
    EXPECT_EQ(tiny.Output, "period,rh_percent,temp_c,rh_response,temp_response,dose,mould_index\n");
}

} // namespace
