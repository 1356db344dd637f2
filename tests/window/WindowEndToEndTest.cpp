// End-to-end tests of the window layer on a real X display: the window probe opens the window with
// a known picture and logs every event; the tests look at the screen and send real input.
// Run each test through scripts/xvfb-run-test.sh (ctest does), which gives it a display of its own.
#include "tests/window/ProbePattern.h"
#include "tests/window/XSession.h"

#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <thread>
#include <unistd.h>

namespace mouldview::xtest {
namespace {

constexpr const char* kCaption = "Output Ardune Tevo model";
constexpr int kWidth = 447;
constexpr int kHeight = 202;

Image Pattern(int width, int height) {
    Image image{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels[static_cast<std::size_t>(y) * width + x] = probe::PatternPixel(x, y, width, height);
        }
    }
    return image;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "  " + line + "\n";
    }
    return text;
}

// True when `expected` occurs in `lines` in this order, other lines in between allowed.
bool ContainsInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected) {
    auto at = lines.begin();
    for (const std::string& wanted : expected) {
        at = std::find(at, lines.end(), wanted);
        if (at == lines.end()) {
            return false;
        }
        ++at;
    }
    return true;
}

std::size_t CountStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<std::size_t>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& line) { return line.rfind(prefix, 0) == 0; }));
}

// Starts the probe's window and waits until it is on screen showing its first picture.
class ProbeWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = MissingDisplayReason();
        if (!reason.empty()) {
            GTEST_SKIP() << reason;
        }
        m_probe = std::make_unique<ChildProcess>(std::vector<std::string>{
            WINDOW_PROBE, "window", kCaption, std::to_string(kWidth), std::to_string(kHeight)});
        const auto window = WaitForWindow(kCaption);
        ASSERT_TRUE(window.has_value()) << "no window titled \"" << kCaption << "\"; probe output:\n"
                                        << m_probe->Output() << m_probe->Errors();
        m_window = *window;
        const Image expected = Pattern(kWidth, kHeight);
        const Image shown = ScreenshotWhen(0, 0, kWidth, kHeight, [&](const Image& shot) {
            return FirstDifference(shot, expected).empty();
        });
        ASSERT_EQ(FirstDifference(shown, expected), "") << "the first picture did not appear";
    }

    std::vector<std::string> Log() const { return m_probe->OutputLines(); }

    // Waits until the log holds the lines in this order; fails the test with the log otherwise.
    void ExpectLogInOrder(const std::vector<std::string>& expected) {
        const bool found =
            m_probe->WaitForLine([&](const std::string&) { return ContainsInOrder(Log(), expected); }, 5s);
        EXPECT_TRUE(found) << "expected, in this order:\n" << Joined(expected) << "log:\n" << Joined(Log());
    }

    // Lets queued input reach the probe: a marker move whose line shows everything before it arrived.
    void Settle(int x, int y) {
        ASSERT_EQ(Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)), 0);
        m_probe->WaitForLine("move [] " + std::to_string(x) + " " + std::to_string(y), 5s);
    }

    std::unique_ptr<ChildProcess> m_probe;
    WindowInfo m_window;
};

using WindowOnScreen = ProbeWindow;
using WindowMouse = ProbeWindow;
using WindowClose = ProbeWindow;

TEST_F(WindowOnScreen, OpensAtOriginWithClientSizeCaptionAndTaskbarEntry) {
    EXPECT_EQ(m_window.left, 0);
    EXPECT_EQ(m_window.top, 0);
    EXPECT_EQ(m_window.width, kWidth);
    EXPECT_EQ(m_window.height, kHeight);
    // An ordinary top-level window: the type a taskbar lists, not a dialog owned by another
    // window and not excluded from the taskbar.
    EXPECT_NE(WindowProperty(m_window.id, "_NET_WM_WINDOW_TYPE").find("_NET_WM_WINDOW_TYPE_NORMAL"),
              std::string::npos);
    EXPECT_EQ(WindowProperty(m_window.id, "_NET_WM_STATE").find("SKIP_TASKBAR"), std::string::npos);
    // SDL2 marks its windows transient for the root window, which names no owner window; a
    // window transient for another window would be a dialog of it.
    const std::string owner = WindowProperty(m_window.id, "WM_TRANSIENT_FOR");
    const std::size_t idAt = owner.find("# 0x");
    if (idAt != std::string::npos) {
        EXPECT_EQ(std::stoul(owner.substr(idAt + 2), nullptr, 16), RootWindowId()) << owner;
    }
    EXPECT_TRUE(ContainsInOrder(Log(), {"paint 447 202"})) << Joined(Log());
}

TEST_F(WindowOnScreen, ShowsTheCanvasPixelForPixel) {
    // The set-up already waited for the exact picture; it must also stay exactly so.
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(FirstDifference(Screenshot(0, 0, kWidth, kHeight), Pattern(kWidth, kHeight)), "");
    // Nothing of the picture spills beyond the client area.
    const Image right = Screenshot(kWidth, 0, 4, kHeight);
    const Image below = Screenshot(0, kHeight, kWidth, 4);
    EXPECT_TRUE(std::none_of(right.pixels.begin(), right.pixels.end(),
                             [](std::uint32_t p) { return p == probe::kRightEdge; }));
    EXPECT_TRUE(std::none_of(below.pixels.begin(), below.pixels.end(),
                             [](std::uint32_t p) { return p == probe::kBottomEdge; }));
}

TEST_F(WindowOnScreen, UncoveringPaintsAgain) {
    const std::size_t paintsBefore = CountStartingWith(Log(), "paint ");
    CoverArea(100, 50, 200, 100, 300ms);
    const Image expected = Pattern(kWidth, kHeight);
    const Image shown = ScreenshotWhen(
        0, 0, kWidth, kHeight, [&](const Image& shot) { return FirstDifference(shot, expected).empty(); });
    EXPECT_EQ(FirstDifference(shown, expected), "") << "the uncovered part was not painted again";
    EXPECT_GT(CountStartingWith(Log(), "paint "), paintsBefore) << Joined(Log());
}

TEST_F(WindowOnScreen, ResizeReallocatesTheCanvasAndRepaintsAtTheNewSize) {
    ASSERT_EQ(Xdotool("windowsize " + std::to_string(m_window.id) + " 900 500"), 0);
    ExpectLogInOrder({"resized 900 500", "paint 900 500"});
    const auto resized = FindWindow(kCaption);
    ASSERT_TRUE(resized.has_value());
    EXPECT_EQ(resized->width, 900);
    EXPECT_EQ(resized->height, 500);
    const Image expected = Pattern(900, 500);
    const Image shown = ScreenshotWhen(
        0, 0, 900, 500, [&](const Image& shot) { return FirstDifference(shot, expected).empty(); });
    EXPECT_EQ(FirstDifference(shown, expected), "");

    // And back to a smaller size than at the start.
    ASSERT_EQ(Xdotool("windowsize " + std::to_string(m_window.id) + " 300 150"), 0);
    ExpectLogInOrder({"resized 900 500", "paint 900 500", "resized 300 150", "paint 300 150"});
    const Image small = Pattern(300, 150);
    EXPECT_EQ(FirstDifference(
                  ScreenshotWhen(0, 0, 300, 150,
                                 [&](const Image& shot) { return FirstDifference(shot, small).empty(); }),
                  small),
              "");
}

// Moves without a button held are no grabbed events; they must still come as core X events.
TEST_F(WindowMouse, MovesWithoutButtonArriveUntilThePointerLeaves) {
    ASSERT_EQ(Xdotool("mousemove 100 60 mousemove 120 70 mousemove 300 180 mousemove 600 400"), 0);
    ExpectLogInOrder({"move [] 100 60", "move [] 120 70", "move [] 300 180", "leave"});
}

TEST_F(WindowMouse, DragReportsButtonsShiftStateAndPositions) {
    ASSERT_EQ(
        Xdotool("mousemove 100 60 keydown ctrl mousedown 1 mousemove 150 90 mousemove 210 120 mouseup 1 "
                "keyup ctrl"),
        0);
    ExpectLogInOrder({"down left [ctrl+left] 100 60", "move [ctrl+left] 150 90", "move [ctrl+left] 210 120",
                      "up left [ctrl] 210 120"});

    ASSERT_EQ(Xdotool("mousemove 300 100 keydown shift mousedown 3 mousemove 280 110 mousedown 1 mouseup 3 "
                      "mouseup 1 keyup shift"),
              0);
    ExpectLogInOrder({"down right [shift+right] 300 100", "move [shift+right] 280 110",
                      "down left [shift+left+right] 280 110", "up right [shift+left] 280 110",
                      "up left [shift] 280 110"});

    ASSERT_EQ(Xdotool("mousemove 50 150 keydown alt click 2 keyup alt"), 0);
    ExpectLogInOrder({"down middle [alt+middle] 50 150", "up middle [alt] 50 150"});

    ASSERT_EQ(Xdotool("mousemove 60 40 click --repeat 2 --delay 80 1"), 0);
    ExpectLogInOrder(
        {"down left [left] 60 40", "up left [] 60 40", "down left [left+double] 60 40", "up left [] 60 40"});
}

TEST_F(WindowMouse, ReleaseOutsideTheWindowStillArrives) {
    ASSERT_EQ(Xdotool("mousemove 400 150 mousedown 1 mousemove 430 180 mousemove 600 400 mousemove 610 -0 "
                      "mousemove 600 400 mouseup 1"),
              0);
    ExpectLogInOrder({"down left [left] 400 150", "move [left] 430 180", "move [left] 600 400",
                      "up left [] 600 400", "leave"});
    Settle(200, 100);
    const std::vector<std::string> log = Log();
    const auto down = std::find(log.begin(), log.end(), "down left [left] 400 150");
    const auto up = std::find(log.begin(), log.end(), "up left [] 600 400");
    ASSERT_TRUE(down < up);
    // Captured: no leave during the drag. After it, no move that the pointer did not make
    // (outside positions pulled onto the window's edge) until it came back to (200, 100).
    EXPECT_EQ(std::count(down, up, "leave"), 0) << Joined(log);
    const auto back = std::find(up, log.end(), "move [] 200 100");
    EXPECT_EQ(std::count_if(up, back, [](const std::string& line) { return line.rfind("move", 0) == 0; }), 0)
        << Joined(log);
}

TEST_F(WindowMouse, WheelNotchesArriveOneByOne) {
    ASSERT_EQ(Xdotool("mousemove 200 100 click 5 click 5 click 4 keydown shift click 4 keyup shift"), 0);
    ExpectLogInOrder({"wheel down [] 200 100", "wheel down [] 200 100", "wheel up [] 200 100",
                      "wheel up [shift] 200 100"});
    Settle(210, 100);
    EXPECT_EQ(CountStartingWith(Log(), "wheel "), 4u) << Joined(Log());
}

TEST_F(WindowMouse, CanvasDrawnBetweenPaintsIsShown) {
    const std::size_t paintsBefore = CountStartingWith(Log(), "paint ");
    ASSERT_EQ(Xdotool("mousemove 120 70 click 1"), 0);
    Image expected = Pattern(kWidth, kHeight);
    for (int y = 70 - probe::kPressMarkRadius; y <= 70 + probe::kPressMarkRadius; ++y) {
        for (int x = 120 - probe::kPressMarkRadius; x <= 120 + probe::kPressMarkRadius; ++x) {
            expected.pixels[static_cast<std::size_t>(y) * kWidth + x] = probe::kPressMark;
        }
    }
    const Image shown = ScreenshotWhen(
        0, 0, kWidth, kHeight, [&](const Image& shot) { return FirstDifference(shot, expected).empty(); });
    EXPECT_EQ(FirstDifference(shown, expected), "");
    EXPECT_EQ(CountStartingWith(Log(), "paint "), paintsBefore) << "a paint would have removed the mark";
}

TEST_F(WindowClose, DeleteWindowEndsTheLoopWithStatusZero) {
    CloseWindow(m_window.id);
    const auto status = m_probe->Wait(10s);
    ASSERT_TRUE(status.has_value()) << "the probe still runs after WM_DELETE_WINDOW";
    EXPECT_EQ(*status, 0) << m_probe->Errors();
    const std::vector<std::string> log = Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2], "close");
    EXPECT_EQ(log.back(), "end");
    EXPECT_FALSE(FindWindow(kCaption).has_value());
}

constexpr const char* kBoxText = "Runtime error 217 at 0040A1B2";

// The box as it paints itself without a display, button raised and pressed (from the probe).
struct BoxPictures {
    Image raised;
    Image pressed;
};

BoxPictures PaintedBox() {
    const std::string stem = ::testing::TempDir() + "errorbox-" + std::to_string(getpid());
    const std::string command = std::string(WINDOW_PROBE) + " errorbox-pictures '" + kBoxText + "' " + stem +
                                "-raised.png " + stem + "-pressed.png";
    if (RunShell(command) != 0) {
        throw std::runtime_error("the probe could not paint the box: " + command);
    }
    BoxPictures pictures{LoadImage(stem + "-raised.png"), LoadImage(stem + "-pressed.png")};
    std::remove((stem + "-raised.png").c_str());
    std::remove((stem + "-pressed.png").c_str());
    return pictures;
}

// Waits until the box is on screen, showing its picture.
std::optional<WindowInfo> ShowBox(const Image& picture) {
    const auto window = WaitForWindow("Error");
    if (!window) {
        return std::nullopt;
    }
    ScreenshotWhen(window->left, window->top, picture.width, picture.height,
                   [&](const Image& shot) { return FirstDifference(shot, picture).empty(); });
    return window;
}

// Waits for the box's program to end after a dismissal; it must report that the box was shown.
void ExpectDismissed(ChildProcess& box, const std::string& how) {
    const auto status = box.Wait(10s);
    ASSERT_TRUE(status.has_value()) << "the box stayed after " << how;
    EXPECT_EQ(*status, 0) << how << ": ShowErrorBox reported failure: " << box.Errors();
    EXPECT_FALSE(FindWindow("Error").has_value()) << how;
}

TEST(ErrorBox, ShowsTheBoxUntilReturnIsPressed) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    const BoxPictures pictures = PaintedBox();
    ChildProcess box({WINDOW_PROBE, "errorbox", "Error", kBoxText});
    const auto window = ShowBox(pictures.raised);
    ASSERT_TRUE(window.has_value()) << "no window titled \"Error\": " << box.Errors();
    // Sized to its picture, centred on the 1280 x 1024 screen, pixel for pixel what it painted.
    EXPECT_EQ(window->width, pictures.raised.width);
    EXPECT_EQ(window->height, pictures.raised.height);
    EXPECT_EQ(window->left, (1280 - window->width) / 2);
    EXPECT_EQ(window->top, (1024 - window->height) / 2);
    EXPECT_EQ(FirstDifference(Screenshot(window->left, window->top, window->width, window->height),
                              pictures.raised),
              "");
    // Not resizable (its smallest size is its largest), kept above other windows.
    const std::string hints = WindowProperty(window->id, "WM_NORMAL_HINTS");
    const std::string size = std::to_string(window->width) + " by " + std::to_string(window->height);
    EXPECT_NE(hints.find("minimum size: " + size), std::string::npos) << hints;
    EXPECT_NE(hints.find("maximum size: " + size), std::string::npos) << hints;
    EXPECT_NE(WindowProperty(window->id, "_NET_WM_STATE").find("_NET_WM_STATE_ABOVE"), std::string::npos);
    // Modal: the program waits for the box.
    std::this_thread::sleep_for(200ms);
    EXPECT_TRUE(box.Running());
    ASSERT_EQ(Xdotool("windowfocus --sync " + std::to_string(window->id) + " key Return"), 0);
    ExpectDismissed(box, "Return");
}

TEST(ErrorBox, SpaceEscapeTheOKButtonAndTheCloseButtonDismissItToo) {
    const std::string reason = MissingDisplayReason();
    if (!reason.empty()) {
        GTEST_SKIP() << reason;
    }
    const BoxPictures pictures = PaintedBox();
    for (const std::string how : {"space", "Escape", "OK", "close"}) {
        ChildProcess box({WINDOW_PROBE, "errorbox", "Error", kBoxText});
        const auto window = ShowBox(pictures.raised);
        ASSERT_TRUE(window.has_value()) << how << ": no window titled \"Error\": " << box.Errors();
        const std::string id = std::to_string(window->id);
        if (how == "OK") {
            // The button's centre, from its place in the box: 12 pixels from the right edge and 10
            // rows above the bottom, 75 x 23 pixels. Pressed, it shows its pressed picture.
            const int x = window->left + window->width - 12 - 75 / 2 - 1;
            const int y = window->top + window->height - 10 - 23 / 2 - 1;
            ASSERT_EQ(Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y) + " mousedown 1"),
                      0);
            const Image shown = ScreenshotWhen(
                window->left, window->top, window->width, window->height,
                [&](const Image& shot) { return FirstDifference(shot, pictures.pressed).empty(); });
            EXPECT_EQ(FirstDifference(shown, pictures.pressed), "") << "the button does not look pressed";
            ASSERT_EQ(Xdotool("mouseup 1"), 0);
        } else if (how == "close") {
            CloseWindow(window->id);
        } else {
            ASSERT_EQ(Xdotool("windowfocus --sync " + id + " key " + how), 0);
        }
        ExpectDismissed(box, how);
    }
}

} // namespace
} // namespace mouldview::xtest
