// Helpers for end-to-end tests of a real window on an X display (normally the private Xvfb that
// scripts/xvfb-run-test.sh starts): starting the program under test, waiting for its windows,
// screenshots, real input through xdotool, and closing a window the way a window manager does.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace mouldview::xtest {

using namespace std::chrono_literals;

// Why the tests cannot run here, or an empty string when an X display is reachable.
std::string MissingDisplayReason();

// A picture as 0x00RRGGBB pixels, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The first pixel where the two pictures differ, described for a test message ("size 447x202 vs
// 447x201", "at (3, 4): 0x123456 vs 0x123457 (17 pixels differ)"), or an empty string when they
// are identical.
std::string FirstDifference(const Image& actual, const Image& expected);

// The whole content of a file, byte for byte (empty when it cannot be read).
std::string ReadFile(const std::string& path);
// Reads any image file ImageMagick understands (PNG, PPM ...).
Image LoadImage(const std::string& path);
// The screen rectangle as it is now, pixel for pixel.
Image Screenshot(int x, int y, int width, int height);
// Takes screenshots until `accept` is satisfied or the timeout expires; returns the last one.
Image ScreenshotWhen(int x, int y, int width, int height, const std::function<bool(const Image&)>& accept,
                     std::chrono::milliseconds timeout = 5s);

// Where a top-level window is: its id and its client area in screen coordinates.
struct WindowInfo {
    unsigned long id = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The window whose title (WM_NAME) is exactly `title`, once it exists and is mapped.
std::optional<WindowInfo> FindWindow(const std::string& title);
std::optional<WindowInfo> WaitForWindow(const std::string& title, std::chrono::milliseconds timeout = 10s);
// The id of the screen's root window.
unsigned long RootWindowId();
// Titles of all windows on the display (from xwininfo -root -tree), including those that
// `xdotool search` does not find.
std::vector<std::string> WindowTitles();
// A property of the window as xprop prints it ("_NET_WM_WINDOW_TYPE(ATOM) = ...").
std::string WindowProperty(unsigned long id, const std::string& property);

// Runs xdotool with the given arguments (split at spaces) and returns its exit status.
int Xdotool(const std::string& arguments);
// Sends WM_DELETE_WINDOW to the window, as a window manager's close button does.
void CloseWindow(unsigned long id);
// The text on the CLIPBOARD selection as a paste receives it (empty when there is none).
std::string ClipboardText();
// Maps a plain window over the screen area for a moment and removes it again.
void CoverArea(int x, int y, int width, int height, std::chrono::milliseconds duration);

// Runs a shell command; returns its exit status and fills `output` with its standard output.
int RunShell(const std::string& command, std::string* output = nullptr);

// A program under test, started in the background. Its standard output and standard error are
// collected in files; the destructor kills it if it is still running.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments,
                          const std::vector<std::string>& extraEnvironment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Everything written to standard output (standard error) so far.
    std::string Output() const;
    std::string Errors() const;
    // Standard output so far, split into lines (without the line ends).
    std::vector<std::string> OutputLines() const;
    // Waits until a complete output line satisfies `match`; true when one did in time.
    bool WaitForLine(const std::function<bool(const std::string&)>& match,
                     std::chrono::milliseconds timeout = 10s) const;
    bool WaitForLine(const std::string& line, std::chrono::milliseconds timeout = 10s) const;

    // Waits for the program to end and returns its exit status (128 + signal if killed), or
    // nothing if it is still running when the timeout expires.
    std::optional<int> Wait(std::chrono::milliseconds timeout = 10s);
    bool Running();

private:
    int m_pid = -1;
    std::optional<int> m_status;
    std::string m_outputPath;
    std::string m_errorPath;
};

} // namespace mouldview::xtest
