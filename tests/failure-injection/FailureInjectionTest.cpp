// Failure injection into the start-up: every open, read and delete that a model run makes is made
// to fail in turn, with the system error numbers a real file system gives. A failed open or read
// must end the start-up with status 217 and the one standard-error line naming the file and the
// system's text; a failed delete must change nothing else; and no file may disappear that the
// control file's delete setting does not remove (on a climate-file failure the control file is
// already gone when the setting is "true", the climate file stays).
#include "InjectingFileSystem.h"
#include "model/ModelRun.h"
#include "model/ModelState.h"
#include "model/MouldIndex.h"
#include "ui/StartupFailureReport.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <unistd.h>

namespace mouldview::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* Program = "mouldview";

struct TSystemError {
    int Number;
    const char* Text; // what the start-up failure line says for it
};

// Errors an open really gives: missing file or directory, a file where a directory should be,
// no permission, descriptor limits, a device error, a symbolic link loop.
const std::vector<TSystemError> OpenErrors = {
    {ENOENT, "File not found"},      {ENOTDIR, "Invalid filename"},   {EACCES, "File access denied"},
    {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"}, {EIO, "I/O error 5"},
    {ELOOP, "I/O error 40"}};
// Errors a read really gives: a device error, a directory, a descriptor not fit for reading.
const std::vector<TSystemError> ReadErrors = {
    {EIO, "I/O error 5"}, {EISDIR, "File access denied"}, {EINVAL, "I/O error 22"}};
// Errors a delete really gives; none of them may matter.
const std::vector<int> UnlinkErrors = {ENOENT, EACCES, EPERM, EBUSY, EROFS, EIO};

// A climate series of about 560 KB, so that the reader needs several blocks and a read can fail
// after whole blocks of lines have been taken.
std::string LongClimate(const char* lineEnd) {
    std::string text;
    for (int hour = 0; hour < 40000; ++hour) {
        text += std::to_string(hour) + "\t" + std::to_string(10 + hour % 17) + ".5\t0.9" +
                std::to_string(hour % 10) + "\t" + lineEnd;
    }
    return text;
}

struct TScenario {
    const char* Name;
    std::string ControlText; // empty: started without arguments
    bool DeleteFlag;
    const char* LineEnd; // of the climate file
};

void PrintTo(const TScenario& scenario, std::ostream* out) {
    *out << scenario.Name;
}

const std::vector<TScenario>& Scenarios() {
    static const std::vector<TScenario> scenarios = {
        {"NoArgument", "", false, "\n"},
        {"DeleteTrue", "<run>\n<deleteafterload>true</deleteafterload>\n</run>\n", true, "\n"},
        {"DeleteFalse", "<run>\n<deleteafterload>false</deleteafterload>\n</run>\n", false, "\n"},
        {"StartDateAndDelete",
         "<run>\r\n<startofcalculation>2008-01-15</startofcalculation>\r\n"
         "<deleteafterload>True</deleteafterload>\r\n</run>\r\n",
         true, "\r\n"},
    };
    return scenarios;
}

// Every file a run directory holds at the start. Files the run must not touch stand beside the
// inputs: the other start form's climate file, a second control file, an unrelated text.
const std::vector<std::string> AllFiles = {"GeneralCourse.txt", "run.ctl", "run.txt", "other.ctl",
                                           "notes.txt"};

struct TOutcome {
    int Status = -1;
    std::string Stderr;
    std::int32_t LineCount = 0;
    std::int32_t PeriodCount = 0;
    // Slot 1 of the arrays after a good run.
    std::vector<float> PeriodRH, PeriodTemp, MouldIndex;
};

// The model run as the program's entry makes it, in a fresh directory of its own that is the
// working directory meanwhile, through the given file system; an error ends in the program's own
// start-up failure report.
class TRunDirectory {
public:
    explicit TRunDirectory(const TScenario& scenario) {
        std::string pattern = ::testing::TempDir() + "mouldview-inject-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
        const std::string climate = LongClimate(scenario.LineEnd);
        Write("GeneralCourse.txt", climate);
        Write("run.ctl", scenario.ControlText.empty() ? "<deleteafterload>true</deleteafterload>\n"
                                                      : scenario.ControlText);
        Write("run.txt", climate);
        Write("other.ctl", "<deleteafterload>true</deleteafterload>\n");
        Write("notes.txt", "kept\n");
        if (!scenario.ControlText.empty()) {
            m_arguments = {m_path + "/run.ctl"};
        }
    }
    ~TRunDirectory() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TRunDirectory(const TRunDirectory&) = delete;
    TRunDirectory& operator=(const TRunDirectory&) = delete;

    // The path a file of the directory goes by in the run: as named on the command line for the
    // control file and the climate file beside it, relative to the working directory otherwise.
    std::string RunPath(const std::string& name) const {
        return m_arguments.empty() ? name : m_path + "/" + name;
    }

    TOutcome Run(TInjectingFileSystem& fileSystem) const {
        const fs::path previous = fs::current_path();
        fs::current_path(m_path);
        model::TModelState& state = model::Model();
        state.Release();
        state.DatasetCount = state.LineCount = state.PeriodCapacity = state.PeriodCount = 0;
        TOutcome outcome;
        ::testing::internal::CaptureStderr();
        {
            const runtime::TFileSystemOverride use(fileSystem);
            try {
                model::LoadInput(state, m_arguments, '.');
                model::ComputeMouldIndex(state);
                model::FinishRun(state);
                outcome.Status = 0;
                outcome.LineCount = state.LineCount;
                outcome.PeriodCount = state.PeriodCount;
                outcome.PeriodRH = state.PeriodRH[1];
                outcome.PeriodTemp = state.PeriodTemp[1];
                outcome.MouldIndex = state.MouldIndex[1];
                state.Release();
            } catch (const std::exception& error) {
                outcome.Status = ui::ReportStartupFailure(Program, error);
            }
        }
        outcome.Stderr = ::testing::internal::GetCapturedStderr();
        fs::current_path(previous);
        return outcome;
    }

    std::set<std::string> Files() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(m_path + "/" + name, std::ios::binary) << content;
    }

    std::string m_path;
    std::vector<std::string> m_arguments;
};

std::string BaseName(const std::string& path) {
    return fs::path(path).filename().string();
}

// The calls in a short form, runs of reads of one file folded: "open run.ctl|read run.ctl+|...".
std::string Outline(const std::vector<TCallRecord>& calls) {
    std::string outline;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const std::string item = std::string(CallName(calls[i].Call)) + " " + BaseName(calls[i].Path);
        if (calls[i].Call == TCall::Read) {
            while (i + 1 < calls.size() && calls[i + 1].Call == TCall::Read &&
                   calls[i + 1].Path == calls[i].Path) {
                ++i;
            }
            outline += (outline.empty() ? "" : "|") + item + "+";
        } else {
            outline += (outline.empty() ? "" : "|") + item;
        }
    }
    return outline;
}

// The files left after a run in which the given file's open or read failed (empty: none did),
// and the given file's delete failed (empty: none did), as the delete setting rules it.
std::set<std::string> FilesLeft(const TScenario& scenario, const std::string& unreadable,
                                const std::string& undeletable) {
    std::set<std::string> left(AllFiles.begin(), AllFiles.end());
    if (!scenario.DeleteFlag || unreadable == "run.ctl") {
        return left;
    }
    // The control file goes right after it has been read, the climate file after it has been read.
    if (undeletable != "run.ctl") {
        left.erase("run.ctl");
    }
    if (unreadable.empty() && undeletable != "run.txt") {
        left.erase("run.txt");
    }
    return left;
}

class FailureInjection : public ::testing::TestWithParam<TScenario> {
protected:
    static void SetUpTestSuite() {
        // The report shows its box only where a display can be reached; here only its line counts.
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
    }
};

TEST_P(FailureInjection, AGoodRunOpensReadsAndDeletesInTheOrderOfTheRules) {
    const TScenario& scenario = GetParam();
    const TRunDirectory directory(scenario);
    TInjectingFileSystem fileSystem;
    const TOutcome outcome = directory.Run(fileSystem);
    EXPECT_EQ(outcome.Status, 0);
    EXPECT_EQ(outcome.Stderr, "");
    EXPECT_EQ(outcome.LineCount, 40000);
    EXPECT_EQ(outcome.PeriodCount, (40000 - 12) / 12 + 1);
    EXPECT_TRUE(fileSystem.OpenFiles().empty());
    EXPECT_EQ(directory.Files(), FilesLeft(scenario, "", ""));

    const char* expected = "open GeneralCourse.txt|read GeneralCourse.txt+|close GeneralCourse.txt";
    if (scenario.DeleteFlag) {
        expected = "open run.ctl|read run.ctl+|close run.ctl|unlink run.ctl|"
                   "open run.txt|read run.txt+|close run.txt|unlink run.txt";
    } else if (!scenario.ControlText.empty()) {
        expected = "open run.ctl|read run.ctl+|close run.ctl|open run.txt|read run.txt+|close run.txt";
    }
    EXPECT_EQ(Outline(fileSystem.Calls()), expected);
    std::size_t climateReads = 0;
    for (const TCallRecord& call : fileSystem.Calls()) {
        climateReads += call.Call == TCall::Read && BaseName(call.Path) != "run.ctl" ? 1 : 0;
    }
    // Several blocks and the end of the file: a read can fail in the middle of the series.
    EXPECT_GE(climateReads, 3u);
}

TEST_P(FailureInjection, EveryFailedOpenOrReadEndsTheStartUpWith217AndDeletesOnlyWhatTheRulesDelete) {
    const TScenario& scenario = GetParam();
    std::vector<TCallRecord> goodCalls;
    {
        const TRunDirectory directory(scenario);
        TInjectingFileSystem fileSystem;
        ASSERT_EQ(directory.Run(fileSystem).Status, 0);
        goodCalls = fileSystem.Calls();
    }
    std::map<TCall, std::size_t> seen;
    std::size_t injected = 0;
    for (std::size_t at = 0; at < goodCalls.size(); ++at) {
        const TCallRecord& target = goodCalls[at];
        const std::size_t index = seen[target.Call]++;
        if (target.Call != TCall::Open && target.Call != TCall::Read) {
            continue;
        }
        for (const TSystemError& error : target.Call == TCall::Open ? OpenErrors : ReadErrors) {
            SCOPED_TRACE(std::string(CallName(target.Call)) + " #" + std::to_string(index) + " of " +
                         BaseName(target.Path) + " fails with errno " + std::to_string(error.Number));
            const TRunDirectory directory(scenario);
            TInjectingFileSystem fileSystem;
            fileSystem.FailAt(target.Call, index, error.Number);
            const TOutcome outcome = directory.Run(fileSystem);
            ++injected;

            EXPECT_EQ(outcome.Status, 217);
            const std::string failed = BaseName(target.Path);
            EXPECT_EQ(outcome.Stderr,
                      std::string(Program) + ": " + directory.RunPath(failed) + ": " + error.Text + "\n");
            EXPECT_EQ(directory.Files(), FilesLeft(scenario, failed, ""));
            EXPECT_TRUE(fileSystem.OpenFiles().empty()) << "a descriptor was left open";
            // The run went as the good one up to the failing call, and stopped there: after it
            // only the failed file is closed.
            const auto& calls = fileSystem.Calls();
            ASSERT_GT(calls.size(), at);
            for (std::size_t i = 0; i < at; ++i) {
                EXPECT_EQ(calls[i].Call, goodCalls[i].Call);
                EXPECT_EQ(BaseName(calls[i].Path), BaseName(goodCalls[i].Path));
            }
            EXPECT_EQ(calls[at].Error, error.Number);
            for (std::size_t i = at + 1; i < calls.size(); ++i) {
                EXPECT_EQ(calls[i].Call, TCall::Close) << CallName(calls[i].Call) << " " << calls[i].Path;
                EXPECT_EQ(BaseName(calls[i].Path), failed);
            }
        }
    }
    EXPECT_GE(injected, 4 * ReadErrors.size());
}

TEST_P(FailureInjection, AFailedDeleteIsIgnoredAndTheRunGoesOnToItsEnd) {
    const TScenario& scenario = GetParam();
    TOutcome good;
    std::vector<TCallRecord> goodCalls;
    {
        const TRunDirectory directory(scenario);
        TInjectingFileSystem fileSystem;
        good = directory.Run(fileSystem);
        ASSERT_EQ(good.Status, 0);
        goodCalls = fileSystem.Calls();
    }
    std::size_t index = 0;
    for (const TCallRecord& target : goodCalls) {
        if (target.Call != TCall::Unlink) {
            continue;
        }
        for (const int errorNumber : UnlinkErrors) {
            SCOPED_TRACE("unlink #" + std::to_string(index) + " of " + BaseName(target.Path) +
                         " fails with errno " + std::to_string(errorNumber));
            const TRunDirectory directory(scenario);
            TInjectingFileSystem fileSystem;
            fileSystem.FailAt(TCall::Unlink, index, errorNumber);
            const TOutcome outcome = directory.Run(fileSystem);

            EXPECT_EQ(outcome.Status, 0);
            EXPECT_EQ(outcome.Stderr, "");
            EXPECT_EQ(outcome.LineCount, good.LineCount);
            EXPECT_EQ(outcome.PeriodCount, good.PeriodCount);
            EXPECT_EQ(outcome.PeriodRH, good.PeriodRH);
            EXPECT_EQ(outcome.PeriodTemp, good.PeriodTemp);
            EXPECT_EQ(outcome.MouldIndex, good.MouldIndex);
            EXPECT_EQ(directory.Files(), FilesLeft(scenario, "", BaseName(target.Path)));
            EXPECT_EQ(Outline(fileSystem.Calls()), Outline(goodCalls));
        }
        ++index;
    }
    EXPECT_EQ(index, scenario.DeleteFlag ? 2u : 0u);
}

TEST_P(FailureInjection, ReadsThatStopShortGiveTheSameRun) {
    const TScenario& scenario = GetParam();
    TOutcome good;
    {
        const TRunDirectory directory(scenario);
        TInjectingFileSystem fileSystem;
        good = directory.Run(fileSystem);
        ASSERT_EQ(good.Status, 0);
    }
    // A limit of one byte splits every CR LF; 4093 bytes leave lines cut at changing places.
    for (const std::size_t limit : {std::size_t{1}, std::size_t{7}, std::size_t{4093}}) {
        SCOPED_TRACE("reads of at most " + std::to_string(limit) + " bytes");
        const TRunDirectory directory(scenario);
        TInjectingFileSystem fileSystem;
        fileSystem.SetReadLimit(limit);
        const TOutcome outcome = directory.Run(fileSystem);
        EXPECT_EQ(outcome.Status, 0);
        EXPECT_EQ(outcome.Stderr, "");
        EXPECT_EQ(outcome.LineCount, good.LineCount);
        EXPECT_EQ(outcome.PeriodCount, good.PeriodCount);
        EXPECT_EQ(outcome.PeriodRH, good.PeriodRH);
        EXPECT_EQ(outcome.PeriodTemp, good.PeriodTemp);
        EXPECT_EQ(outcome.MouldIndex, good.MouldIndex);
        EXPECT_EQ(directory.Files(), FilesLeft(scenario, "", ""));
    }
}

INSTANTIATE_TEST_SUITE_P(StartForms, FailureInjection, ::testing::ValuesIn(Scenarios()),
                         [](const ::testing::TestParamInfo<TScenario>& info) { return info.param.Name; });

} // namespace
} // namespace mouldview::testing
