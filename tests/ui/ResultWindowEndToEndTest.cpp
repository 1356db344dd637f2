// mouldview on a real X display (a private Xvfb per test, see scripts/xvfb-run-test.sh): the
// result window's place, size, caption and picture (the same pixels as mouldexport --png), zoom,
// undo, panning and the wheel with real mouse input, resizing, closing as a window manager does,
// the readout, Save, Copy and the keys, and the start-up failures with their error box and what
// they leave of the input files. The same cases drive the Windows build under Wine
// (tests/windows), which names its programs in the environment.
#include "tests/window/XSession.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace mouldview::xtest {
namespace {

namespace fs = std::filesystem;

constexpr const char* Caption = "Output Ardune Tevo model";
constexpr int Width = 447;
constexpr int Height = 202;
constexpr std::uint32_t Red = 0xFF0000;
constexpr std::uint32_t Blue = 0x0000FF;
// The pale yellow of the boxes the window draws over the chart.
constexpr std::uint32_t BoxBack = 0xFFFFE1;
const std::string DeleteSetting = "<deleteafterload>true</deleteafterload>\n";

// A program under test: this build's, or the command that the environment variable holds (words
// separated by blanks, e.g. a launcher, its options and the program).
std::vector<std::string> Command(const char* variable, const char* builtIn,
                                 const std::vector<std::string>& arguments = {}) {
    std::vector<std::string> words;
    const char* command = std::getenv(variable);
    std::istringstream in(command != nullptr ? command : "");
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    if (words.empty()) {
        words.emplace_back(builtIn);
    }
    words.insert(words.end(), arguments.begin(), arguments.end());
    return words;
}

std::vector<std::string> Mouldview(const std::vector<std::string>& arguments) {
    return Command("MOULDVIEW_UNDER_TEST", MOULDVIEW_EXE, arguments);
}

std::string Quote(const std::string& text) {
    return "'" + text + "'";
}

// The words as the start of a shell command line, each quoted, with a blank after each.
std::string ShellWords(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        line += Quote(word) + " ";
    }
    return line;
}

std::string Mouldexport() {
    return ShellWords(Command("MOULDEXPORT_UNDER_TEST", MOULDEXPORT_EXE));
}

// A fresh directory for one test's input files, removed afterwards.
class TempDirectory {
public:
    TempDirectory() {
        std::string pattern = (fs::temp_directory_path() / "mouldview-ui-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        m_path = pattern;
    }
    ~TempDirectory() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    std::string Path(const std::string& name) const { return m_path + "/" + name; }
    std::string Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
        return Path(name);
    }
    std::string CopyExample(const std::string& name) const {
        fs::copy_file(EXAMPLE_CLIMATE, Path(name));
        return Path(name);
    }
    bool Exists(const std::string& name) const { return fs::exists(Path(name)); }

private:
    std::string m_path;
};

// What mouldexport --png draws for the climate file at the given client size.
Image ExportedChart(const TempDirectory& dir, const std::string& climate, int width, int height) {
    const std::string png =
        dir.Path("export-" + std::to_string(width) + "x" + std::to_string(height) + ".png");
    const std::string command = Mouldexport() + "--climate " + Quote(climate) + " --png " + Quote(png) +
                                " --size " + std::to_string(width) + "x" + std::to_string(height);
    if (RunShell(command) != 0) {
        throw std::runtime_error("mouldexport failed: " + command);
    }
    return LoadImage(png);
}

// The table mouldexport --csv writes for the climate file.
std::string ExportedCsv(const std::string& climate) {
    std::string csv;
    if (RunShell(Mouldexport() + "--climate " + Quote(climate) + " --csv -", &csv) != 0) {
        throw std::runtime_error("mouldexport --csv failed");
    }
    return csv;
}

bool WaitForFile(const std::string& path) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (!fs::exists(path)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The smallest rectangle (edges included) around the pixels of one colour, and their number.
struct Bounds {
    int left = INT_MAX;
    int top = INT_MAX;
    int right = -1;
    int bottom = -1;
    int count = 0;
    bool Contains(int x, int y, int margin) const {
        return x >= left - margin && x <= right + margin && y >= top - margin && y <= bottom + margin;
    }
};

Bounds BoundsOf(const Image& image, std::uint32_t color) {
    Bounds b;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.At(x, y) == color) {
                b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y),
                     b.count + 1};
            }
        }
    }
    return b;
}

bool Same(const Image& a, const Image& b) {
    return FirstDifference(a, b).empty();
}

// Where the result window's client area lies on the screen: at the corner (Linux under Xvfb, with
// no window manager), or just inside the frame that the system draws from the corner (Windows).
// Screenshots and pointer positions of the tests are in client pixels.
WindowInfo g_client;

std::optional<WindowInfo> WaitForResultWindow(std::chrono::milliseconds timeout = 10s) {
    const auto window = WaitForWindow(Caption, timeout);
    if (window.has_value()) {
        g_client = *window;
    }
    return window;
}

// Runs xdotool with the coordinates of its mousemove commands taken as client pixels.
int ClientXdotool(const std::string& arguments) {
    std::istringstream in(arguments);
    std::string translated;
    for (std::string word; in >> word;) {
        translated += word + " ";
        if (word == "mousemove") {
            int x = 0;
            int y = 0;
            in >> x >> y;
            translated += std::to_string(g_client.left + x) + " " + std::to_string(g_client.top + y) + " ";
        }
    }
    return Xdotool(translated);
}

Image ClientScreenshotWhen(int width, int height, const std::function<bool(const Image&)>& accept) {
    return ScreenshotWhen(g_client.left, g_client.top, width, height, accept);
}

Image ScreenshotUntilSame(const Image& expected) {
    return ClientScreenshotWhen(expected.width, expected.height,
                                [&](const Image& shot) { return Same(shot, expected); });
}

Image ScreenshotUntilDifferent(const Image& before) {
    return ClientScreenshotWhen(before.width, before.height,
                                [&](const Image& shot) { return !Same(shot, before); });
}

// A screenshot that satisfies `accept` and equals the one taken just before it: the window has
// finished drawing.
Image SettledScreenshot(const std::function<bool(const Image&)>& accept) {
    Image previous;
    return ClientScreenshotWhen(Width, Height, [&](const Image& shot) {
        const bool settled = accept(shot) && Same(shot, previous);
        previous = shot;
        return settled;
    });
}

bool ShowsABox(const Image& shot) {
    return BoundsOf(shot, BoxBack).count > 300;
}

int CountInRow(const Image& image, std::uint32_t color, int y, int x0, int x1) {
    int count = 0;
    for (int x = x0; x <= x1; ++x) {
        count += image.At(x, y) == color ? 1 : 0;
    }
    return count;
}

int CountInColumn(const Image& image, std::uint32_t color, int x, int y0, int y1) {
    int count = 0;
    for (int y = y0; y <= y1; ++y) {
        count += image.At(x, y) == color ? 1 : 0;
    }
    return count;
}

// The row of the red reference line: the row with the most red pixels.
int ReferenceLineRow(const Image& image) {
    int best = -1;
    int bestCount = 0;
    for (int y = 0; y < image.height; ++y) {
        const int count = CountInRow(image, Red, y, 0, image.width - 1);
        if (count > bestCount) {
            best = y;
            bestCount = count;
        }
    }
    return best;
}

// The leftmost column where the blue index curve stands clearly above the reference line (the
// example's curve jumps past 1 in its humid spell); the blue title lies above `top`.
int RiseColumn(const Image& image, int top) {
    const int line = ReferenceLineRow(image);
    for (int x = 0; x < image.width; ++x) {
        if (CountInColumn(image, Blue, x, top, line - 3) > 0) {
            return x;
        }
    }
    return -1;
}

// mouldview showing the example year, started with a control file that keeps both files; the
// set-up waits for the first picture, which must be mouldexport's.
class ResultWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = MissingDisplayReason();
        if (!reason.empty()) {
            GTEST_SKIP() << reason;
        }
        m_climate = m_dir.CopyExample("run.txt");
        m_control = m_dir.Write("run.ctl", "<run>\n</run>\n");
        m_expected = ExportedChart(m_dir, m_climate, Width, Height);
        m_program = std::make_unique<ChildProcess>(Mouldview({m_control}));
        const auto window = WaitForResultWindow();
        ASSERT_TRUE(window.has_value()) << "no window titled \"" << Caption << "\"; standard error:\n"
                                        << m_program->Errors();
        m_window = *window;
        m_first = ScreenshotUntilSame(m_expected);
        ASSERT_EQ(FirstDifference(m_first, m_expected), "")
            << "the window does not show mouldexport's picture";
    }

    void TearDown() override {
        if (m_program && m_program->Running()) {
            CloseWindow(m_window.id);
            const auto status = m_program->Wait(10s);
            EXPECT_EQ(status, std::optional<int>(0)) << m_program->Errors();
        }
    }

    // A drag towards the left undoes every zoom and pan: the first picture comes back exactly.
    void ExpectUndoRestoresTheFirstPicture() {
        ASSERT_EQ(ClientXdotool("mousemove 330 150 mousedown 1 mousemove 250 120 mousemove 150 60 mouseup 1"),
                  0);
        EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
    }

    TempDirectory m_dir;
    std::string m_climate;
    std::string m_control;
    Image m_expected;
    Image m_first;
    std::unique_ptr<ChildProcess> m_program;
    WindowInfo m_window;
};

TEST_F(ResultWindow, OpensAtTheOriginWithItsClientSizeCaptionAndPicture) {
    if (std::getenv("FRAME_FROM_THE_CORNER_UNDER_TEST") != nullptr) {
        // The system's frame on the screen: a border to the left, the caption above.
        EXPECT_GT(m_window.left, 0);
        EXPECT_GT(m_window.top, m_window.left);
        EXPECT_LT(m_window.top, 40);
    } else {
        EXPECT_EQ(m_window.left, 0);
        EXPECT_EQ(m_window.top, 0);
    }
    EXPECT_EQ(m_window.width, Width);
    EXPECT_EQ(m_window.height, Height);
    EXPECT_NE(WindowProperty(m_window.id, "_NET_WM_WINDOW_TYPE").find("_NET_WM_WINDOW_TYPE_NORMAL"),
              std::string::npos);
    // A proper chart: the red reference line across the plot and the blue index curve rising
    // above it somewhere in the middle of the year.
    const int line = ReferenceLineRow(m_first);
    EXPECT_GT(CountInRow(m_first, Red, line, 0, Width - 1), 300);
    const int rise = RiseColumn(m_first, 30);
    EXPECT_GT(rise, Width / 3);
    EXPECT_LT(rise, Width - 40);
}

TEST_F(ResultWindow, LeftDragShowsTheRedBandZoomsAndADragToTheLeftUndoes) {
    ASSERT_EQ(ClientXdotool("mousemove 120 40 mousedown 1 mousemove 200 100 mousemove 300 150"), 0);
    // Mid-drag: a red dotted rectangle from (120, 40) to (300, 150), drawn over the chart.
    const auto bandShown = [](const Image& shot) {
        return CountInRow(shot, Red, 40, 120, 300) > 60 && CountInRow(shot, Red, 150, 120, 300) > 60 &&
               CountInColumn(shot, Red, 120, 40, 150) > 30 && CountInColumn(shot, Red, 300, 40, 150) > 30;
    };
    const Image band = ClientScreenshotWhen(Width, Height, bandShown);
    EXPECT_TRUE(bandShown(band)) << "no red band between (120, 40) and (300, 150)";
    // Dotted, not solid: gaps along its edges.
    EXPECT_LT(CountInRow(band, Red, 40, 120, 300), 170);
    // The rest of the chart is untouched by the band.
    EXPECT_EQ(band.At(60, 180), m_first.At(60, 180));

    ASSERT_EQ(ClientXdotool("mouseup 1"), 0);
    const Image zoomed = ScreenshotUntilDifferent(band);
    EXPECT_NE(FirstDifference(zoomed, m_first), "") << "the drag did not zoom";
    EXPECT_FALSE(bandShown(zoomed)) << "the band stayed on screen";
    // The band's columns 120 to 300 now fill the plot, which spans from about column 40 (after the
    // left axis' labels) to 433: the curve's rise, inside the band, moved accordingly.
    const int riseBefore = RiseColumn(m_first, 30);
    ASSERT_GT(riseBefore, 120);
    ASSERT_LT(riseBefore, 300);
    EXPECT_NEAR(RiseColumn(zoomed, 30), 40 + (riseBefore - 120) * (433 - 40) / 180, 10);

    ExpectUndoRestoresTheFirstPicture();
}

TEST_F(ResultWindow, RightDragPansTheContentWithThePointer) {
    const int riseBefore = RiseColumn(m_first, 30);
    const int lineBefore = ReferenceLineRow(m_first);
    ASSERT_EQ(
        ClientXdotool("mousemove 250 100 mousedown 3 mousemove 240 100 mousemove 220 100 mousemove 200 100 "
                      "mouseup 3"),
        0);
    const Image panned = ClientScreenshotWhen(
        Width, Height, [&](const Image& shot) { return RiseColumn(shot, 30) != riseBefore; });
    // The content moved left with the pointer by its 50 pixels; the vertical range stayed.
    EXPECT_NEAR(RiseColumn(panned, 30), riseBefore - 50, 1);
    EXPECT_EQ(ReferenceLineRow(panned), lineBefore);

    ExpectUndoRestoresTheFirstPicture();
}

TEST_F(ResultWindow, WheelStepsScrollTheVerticalAxis) {
    const int lineBefore = ReferenceLineRow(m_first);
    ASSERT_EQ(ClientXdotool("mousemove 250 100 click 5"), 0);
    // A step down shows values 3 % higher: the reference line moves down.
    const Image down = ScreenshotUntilDifferent(m_first);
    EXPECT_GT(ReferenceLineRow(down), lineBefore);
    ASSERT_EQ(ClientXdotool("click 5"), 0);
    const Image twice = ScreenshotUntilDifferent(down);
    EXPECT_GT(ReferenceLineRow(twice), ReferenceLineRow(down));
    // Two steps up bring the line back to its row.
    ASSERT_EQ(ClientXdotool("click 4 click 4"), 0);
    const Image back = ClientScreenshotWhen(
        Width, Height, [&](const Image& shot) { return ReferenceLineRow(shot) == lineBefore; });
    EXPECT_EQ(ReferenceLineRow(back), lineBefore);
}

TEST_F(ResultWindow, ADragThatEndsOutsideTheWindowStillZooms) {
    ASSERT_EQ(
        ClientXdotool("mousemove 150 50 mousedown 1 mousemove 300 150 mousemove 600 400 mousemove 700 450 "
                      "mouseup 1"),
        0);
    // The band from (150, 50) reached beyond the window's corner: the axes now end where the
    // window does not, so once zoomed no band edge may remain at its start.
    const auto zoomedWithoutBand = [&](const Image& shot) {
        return !Same(shot, m_first) && CountInRow(shot, Red, 50, 150, 440) < 60;
    };
    const Image zoomed = ClientScreenshotWhen(Width, Height, zoomedWithoutBand);
    EXPECT_TRUE(zoomedWithoutBand(zoomed)) << "no zoom, or a band left behind";
    EXPECT_TRUE(m_program->Running());

    ExpectUndoRestoresTheFirstPicture();
}

TEST_F(ResultWindow, ResizingRepaintsTheWholeChartAtTheNewSize) {
    const Image expected = ExportedChart(m_dir, m_climate, 900, 500);
    ASSERT_EQ(Xdotool("windowsize " + std::to_string(m_window.id) + " 900 500"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(expected), expected), "");
    // And back to the design size: the first picture again.
    ASSERT_EQ(Xdotool("windowsize " + std::to_string(m_window.id) + " 447 202"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
}

TEST_F(ResultWindow, ClosingAsAWindowManagerDoesEndsWithStatusZero) {
    CloseWindow(m_window.id);
    const auto status = m_program->Wait(10s);
    EXPECT_EQ(status, std::optional<int>(0));
    EXPECT_EQ(m_program->Errors(), "");
    EXPECT_FALSE(FindWindow(Caption).has_value());
    // Without deleteafterload both files stay.
    EXPECT_TRUE(m_dir.Exists("run.ctl"));
    EXPECT_TRUE(m_dir.Exists("run.txt"));
}

// The chart's panel takes the desktop's button-face colour: where mouldexport's picture has the
// default button face, the window has the desktop's (text edges, blended with the face, differ
// too). Where the environment names a command that sets that colour (the Windows build under
// Wine); Linux desktops have none.
TEST(DesktopColours, TheChartIsPaintedInTheDesktopsButtonFace) {
    const std::vector<std::string> setFace = Command("SET_BUTTON_FACE_UNDER_TEST", "");
    if (setFace.front().empty() || !MissingDisplayReason().empty()) {
        GTEST_SKIP() << "no display, or no command to set the desktop's colours";
    }
    constexpr std::uint32_t ButtonFace = 0xF0F0F0;
    constexpr std::uint32_t DesktopFace = 0xC8D8E8;
    ASSERT_EQ(RunShell(ShellWords(setFace) + "200 216 232"), 0);
    TempDirectory dir;
    const Image exported = ExportedChart(dir, dir.CopyExample("run.txt"), Width, Height);
    const auto facesRecoloured = [&](const Image& shot) {
        int faces = 0;
        for (std::size_t i = 0; i < exported.pixels.size(); ++i) {
            if (exported.pixels[i] == ButtonFace) {
                if (shot.pixels[i] != DesktopFace) {
                    return false;
                }
                ++faces;
            }
        }
        return faces > Width * Height / 2;
    };
    ChildProcess program(Mouldview({dir.Write("run.ctl", "<run>\n</run>\n")}));
    const auto window = WaitForResultWindow();
    ASSERT_TRUE(window.has_value()) << program.Errors();
    EXPECT_TRUE(facesRecoloured(ClientScreenshotWhen(Width, Height, facesRecoloured)));
    CloseWindow(window->id);
    EXPECT_EQ(program.Wait(10s), std::optional<int>(0));
}

TEST_F(ResultWindow, ReadoutShowsNearTheRestingPointerAndLeavesNoTrace) {
    // Column 430 lies in the curve's slowly falling tail; the readout marks the period's point,
    // where the curve crosses that column.
    const int x = 430;
    const int y = 60;
    int curveTop = -1;
    int curveBottom = -1;
    for (int row = 30; row < Height; ++row) {
        if (m_first.At(x, row) == Blue) {
            curveTop = curveTop < 0 ? row : curveTop;
            curveBottom = row;
        }
    }
    ASSERT_GE(curveTop, 0) << "no curve in column " << x;
    const int curveRow = (curveTop + curveBottom) / 2;
    const auto expectReadout = [&](const Image& shot) {
        const Bounds box = BoundsOf(shot, BoxBack);
        ASSERT_GT(box.count, 1000) << "no readout box";
        // Near the pointer and inside the window, frame included.
        EXPECT_LE(std::max({0, box.left - x, x - box.right}), 25);
        EXPECT_LE(std::max({0, box.top - y, y - box.bottom}), 25);
        EXPECT_GE(box.left, 1);
        EXPECT_LE(box.right, Width - 2);
        // Everything else is the first picture, but for the mark around the curve's point.
        int marked = 0;
        for (int row = 0; row < Height; ++row) {
            for (int column = 0; column < Width; ++column) {
                if (shot.At(column, row) == m_first.At(column, row) || box.Contains(column, row, 1)) {
                    continue;
                }
                ASSERT_LE(std::abs(column - x), 4) << "changed at (" << column << ", " << row << ")";
                ASSERT_LE(std::abs(row - curveRow), 5) << "changed at (" << column << ", " << row << ")";
                ++marked;
            }
        }
        EXPECT_GE(marked, 8) << "the period's point is not marked";
    };
    // The pointer comes to rest from a pixel beside the resting place: Wine takes a jump straight
    // back to where the pointer left the window for no move at all.
    const auto restAndRead = [&] {
        ASSERT_EQ(ClientXdotool("mousemove " + std::to_string(x - 1) + " " + std::to_string(y) +
                                " mousemove " + std::to_string(x) + " " + std::to_string(y)),
                  0);
        expectReadout(SettledScreenshot(ShowsABox));
    };

    // Leaving the plot, pressing a button and pressing a key each take the readout away, and the
    // first picture comes back exactly.
    restAndRead();
    ASSERT_EQ(ClientXdotool("mousemove 600 400"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
    restAndRead();
    ASSERT_EQ(Xdotool("click 1"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
    ASSERT_EQ(ClientXdotool("mousemove 200 100"), 0);
    restAndRead();
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(m_window.id) + " key x"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
}

TEST_F(ResultWindow, SaveKeepsTheChartAsShownAndTheTableAndNeverOverwrites) {
    // Zoomed first: the saved picture must be what the window shows now.
    const int riseBefore = RiseColumn(m_first, 30);
    ASSERT_EQ(ClientXdotool("mousemove 120 40 mousedown 1 mousemove 200 100 mousemove 300 150 mouseup 1"), 0);
    const Image zoomed =
        SettledScreenshot([&](const Image& shot) { return RiseColumn(shot, 30) != riseBefore; });
    ASSERT_NE(RiseColumn(zoomed, 30), riseBefore);
    const std::string table = ExportedCsv(m_climate);

    // Ctrl stays held, so that the next S comes while the notice shows: it must not be saved.
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(m_window.id) + " keydown ctrl key s"), 0);
    for (const std::string suffix : {"", "-2"}) {
        SCOPED_TRACE("run-mould" + suffix);
        // The table is renamed into place last.
        ASSERT_TRUE(WaitForFile(m_dir.Path("run-mould" + suffix + ".csv")));
        EXPECT_EQ(FirstDifference(LoadImage(m_dir.Path("run-mould" + suffix + ".png")), zoomed), "");
        EXPECT_EQ(ReadFile(m_dir.Path("run-mould" + suffix + ".csv")), table);
        // A notice says so, centred at the top.
        const Bounds notice = BoundsOf(ClientScreenshotWhen(Width, Height, ShowsABox), BoxBack);
        EXPECT_NEAR((notice.left + notice.right) / 2.0, Width / 2.0, 1.5);
        EXPECT_LT(notice.top, 12);
        ASSERT_EQ(Xdotool("key s"), 0);
    }
    ASSERT_TRUE(WaitForFile(m_dir.Path("run-mould-3.csv")));
    ASSERT_EQ(Xdotool("keyup ctrl"), 0);
    for (const auto& entry : fs::directory_iterator(m_dir.Path(""))) {
        EXPECT_NE(entry.path().extension(), ".part") << "left behind: " << entry.path();
    }
    // Home undoes the zoom (and takes the notice away).
    ASSERT_EQ(Xdotool("key Home"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
}

TEST_F(ResultWindow, CopyPutsTheTableOnTheClipboardAndOnlyTheHelpKeysShowSomething) {
    const std::string table = ExportedCsv(m_climate);
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(m_window.id) + " key ctrl+c"), 0);
    std::string pasted;
    for (const auto deadline = std::chrono::steady_clock::now() + 5s;
         pasted != table && std::chrono::steady_clock::now() < deadline;) {
        pasted = ClipboardText();
    }
    EXPECT_EQ(pasted, table);

    // F1 and "?" show the same help box, centred; any other key takes it away.
    ASSERT_EQ(Xdotool("key F1"), 0);
    const Image help =
        SettledScreenshot([](const Image& shot) { return BoundsOf(shot, BoxBack).count > 5000; });
    const Bounds box = BoundsOf(help, BoxBack);
    EXPECT_NEAR((box.left + box.right) / 2.0, Width / 2.0, 1.5);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, Height / 2.0, 1.5);
    ASSERT_EQ(Xdotool("key a"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
    ASSERT_EQ(Xdotool("key question"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(help), help), "");
    // No other key changes the chart: the help shown after them, and Escape, prove them handled.
    ASSERT_EQ(Xdotool("key Escape x Left Up Page_Down minus plus End Return F1"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(help), help), "");
    ASSERT_EQ(Xdotool("key Escape"), 0);
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(m_first), m_first), "");
}

TEST(SaveResult, AReadOnlyFolderGivesANoticeAndNoFile) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    TempDirectory dir;
    const std::string control = dir.Write("run.ctl", "<run/>\n");
    const std::string climate = dir.CopyExample("run.txt");
    const Image expected = ExportedChart(dir, climate, Width, Height);
    fs::remove(dir.Path("export-447x202.png"));
    fs::permissions(dir.Path(""), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
    // The super-user writes into any folder: the program then runs as nobody.
    std::vector<std::string> command = Mouldview({control});
    if (::geteuid() == 0) {
        if (!fs::exists("/usr/bin/setpriv")) {
            GTEST_SKIP() << "running as root without setpriv";
        }
        command.insert(command.begin(),
                       {"/usr/bin/setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    ChildProcess program(command);
    const auto window = WaitForResultWindow();
    ASSERT_TRUE(window.has_value()) << program.Errors();
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(expected), expected), "");
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(window->id) + " key ctrl+s"), 0);
    const Bounds notice = BoundsOf(ClientScreenshotWhen(Width, Height, ShowsABox), BoxBack);
    EXPECT_GT(notice.count, 300) << "no notice";
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path(""))) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"run.ctl", "run.txt"}));
    CloseWindow(window->id);
    EXPECT_EQ(program.Wait(10s), std::optional<int>(0));
    fs::permissions(dir.Path(""), fs::perms::owner_all, fs::perm_options::add);
}

TEST(CopyResult, ATableTooLargeForTheClipboardGivesANoticeAndTheProgramGoesOn) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    // Five million hours: a table of some 25 MB, beyond the 16 MB an X server takes in one request.
    TempDirectory dir;
    const std::string line = "x\t20\t0.95\t\n";
    std::string text;
    text.reserve(line.size() * 5'000'000);
    for (int i = 0; i < 5'000'000; ++i) {
        text += line;
    }
    const std::string climate = dir.Write("long.txt", text);
    ChildProcess program(Mouldview({dir.Write("long.ctl", "<run/>\n")}));
    const auto window = WaitForResultWindow(30s);
    ASSERT_TRUE(window.has_value()) << program.Errors();
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(window->id) + " key ctrl+c"), 0);
    EXPECT_TRUE(ShowsABox(ClientScreenshotWhen(Width, Height, ShowsABox))) << "no notice";
    EXPECT_TRUE(program.Running()) << program.Errors();
    EXPECT_EQ(ClipboardText(), "");
    CloseWindow(window->id);
    EXPECT_EQ(program.Wait(10s), std::optional<int>(0)) << program.Errors();
}

// Waits for the error box, as long as the program runs.
std::optional<WindowInfo> WaitForErrorBox(ChildProcess& program) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        const std::vector<std::string> titles = WindowTitles();
        // Listed already, perhaps not yet mapped.
        if (std::find(titles.begin(), titles.end(), "Error") != titles.end()) {
            if (auto box = FindWindow("Error")) {
                return box;
            }
        }
        if (!program.Running()) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

// Expects the error box and no result window, dismisses the box with Return, and expects 217.
void ExpectStartupFailure(ChildProcess& program, const std::string& cause) {
    const auto box = WaitForErrorBox(program);
    ASSERT_TRUE(box.has_value()) << "no box titled \"Error\" (status " << program.Wait(0s).value_or(-1)
                                 << "); standard error:\n"
                                 << program.Errors();
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(program.Running()) << "the program did not wait for the box";
    EXPECT_FALSE(FindWindow(Caption).has_value()) << "a result window opened";
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(box->id) + " key Return"), 0);
    const auto status = program.Wait(10s);
    EXPECT_EQ(status, std::optional<int>(217));
    EXPECT_NE(program.Errors().find(cause), std::string::npos) << program.Errors();
}

TEST(StartupFailure, MissingClimateFileShowsTheErrorBoxAndNoWindow) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    TempDirectory dir;
    const std::string control = dir.Write("run.ctl", DeleteSetting);
    ChildProcess program(Mouldview({control}));
    ExpectStartupFailure(program, "run.txt: File not found");
    EXPECT_FALSE(dir.Exists("run.ctl")) << "the control file asked to be deleted once read";
}

TEST(StartupFailure, BadClimateLineDeletesTheControlFileAndKeepsTheClimateFile) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    TempDirectory dir;
    const std::string control = dir.Write("run.ctl", DeleteSetting);
    dir.Write("run.txt", "x\t20\t0.95\t\nx\t20,5\t0.95\t\n");
    ChildProcess program(Mouldview({control}));
    ExpectStartupFailure(program, "run.txt:2: '20,5' is not a valid floating point value");
    EXPECT_FALSE(dir.Exists("run.ctl"));
    EXPECT_TRUE(dir.Exists("run.txt"));
}

TEST(DeleteAfterLoad, AGoodRunRemovesBothFilesAndEndsWithStatusZero) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    TempDirectory dir;
    const std::string control = dir.Write("run.ctl", DeleteSetting);
    const std::string climate = dir.CopyExample("run.txt");
    const Image expected = ExportedChart(dir, climate, Width, Height);
    ChildProcess program(Mouldview({control, "further-arguments-are-ignored"}));
    const auto window = WaitForResultWindow();
    ASSERT_TRUE(window.has_value()) << program.Errors();
    EXPECT_EQ(FirstDifference(ScreenshotUntilSame(expected), expected), "");
    // Both were read before the window opened, and deleted after reading.
    EXPECT_FALSE(dir.Exists("run.ctl"));
    EXPECT_FALSE(dir.Exists("run.txt"));
    CloseWindow(window->id);
    EXPECT_EQ(program.Wait(10s), std::optional<int>(0));
}

} // namespace
} // namespace mouldview::xtest
