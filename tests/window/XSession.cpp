// The X display helpers of the window tests, built on the standard X tools (xwininfo, xprop,
// xdotool, ImageMagick's import and convert) and the project's own x11_window_tool.
#include "tests/window/XSession.h"

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace mouldview::xtest {

namespace {

std::string ShellQuote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

std::string TempPath(const std::string& stem) {
    const char* dir = std::getenv("TMPDIR");
    std::string pattern = std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/" + stem + ".XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) {
        throw std::runtime_error("cannot create a temporary file " + pattern);
    }
    close(fd);
    return pattern;
}

// Reads a binary PPM (P6, 8 bits per channel), the format the ImageMagick calls below write.
Image ParsePpm(const std::string& data, const std::string& origin) {
    std::size_t pos = 0;
    auto token = [&]() {
        while (pos < data.size()) {
            if (data[pos] == '#') {
                while (pos < data.size() && data[pos] != '\n') {
                    ++pos;
                }
            } else if (std::isspace(static_cast<unsigned char>(data[pos])) != 0) {
                ++pos;
            } else {
                break;
            }
        }
        const std::size_t start = pos;
        while (pos < data.size() && std::isspace(static_cast<unsigned char>(data[pos])) == 0) {
            ++pos;
        }
        return data.substr(start, pos - start);
    };
    if (token() != "P6") {
        throw std::runtime_error("not a binary PPM image: " + origin);
    }
    Image image;
    image.width = std::stoi(token());
    image.height = std::stoi(token());
    if (token() != "255") {
        throw std::runtime_error("not an 8-bit PPM image: " + origin);
    }
    ++pos; // the single white-space character after the maximum value
    const std::size_t count = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    if (data.size() < pos + 3 * count) {
        throw std::runtime_error("truncated PPM image: " + origin);
    }
    image.pixels.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* rgb = reinterpret_cast<const unsigned char*>(data.data() + pos + 3 * i);
        image.pixels[i] = (std::uint32_t{rgb[0]} << 16) | (std::uint32_t{rgb[1]} << 8) | rgb[2];
    }
    return image;
}

Image ConvertToImage(const std::string& command, const std::string& origin) {
    const std::string path = TempPath("xtest-image") + ".ppm";
    std::string output;
    const int status = RunShell(command + " -depth 8 ppm:" + ShellQuote(path), &output);
    const std::string data = ReadFile(path);
    std::remove(path.c_str());
    std::remove(path.substr(0, path.size() - 4).c_str());
    if (status != 0) {
        throw std::runtime_error("cannot read the image " + origin + " (" + command + " failed)");
    }
    return ParsePpm(data, origin);
}

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06x", value);
    return text;
}

// The value after "label:" on one line of xwininfo's output.
std::optional<long> FieldAfter(const std::string& text, const std::string& label) {
    const std::size_t at = text.find(label);
    if (at == std::string::npos) {
        return std::nullopt;
    }
    return std::strtol(text.c_str() + at + label.size(), nullptr, 0);
}

} // namespace

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string MissingDisplayReason() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "no X display (DISPLAY is not set): run through scripts/xvfb-run-test.sh";
    }
    if (RunShell("xwininfo -root >/dev/null 2>&1") != 0) {
        return std::string("the X display ") + display + " does not answer (or xwininfo is missing)";
    }
    return "";
}

std::string FirstDifference(const Image& actual, const Image& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return "size " + std::to_string(actual.width) + "x" + std::to_string(actual.height) + " vs " +
               std::to_string(expected.width) + "x" + std::to_string(expected.height);
    }
    std::size_t differing = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
        if (actual.pixels[i] != expected.pixels[i]) {
            if (differing++ == 0) {
                first = i;
            }
        }
    }
    if (differing == 0) {
        return "";
    }
    const int x = static_cast<int>(first % static_cast<std::size_t>(actual.width));
    const int y = static_cast<int>(first / static_cast<std::size_t>(actual.width));
    return "at (" + std::to_string(x) + ", " + std::to_string(y) + "): " + Hex(actual.pixels[first]) +
           " vs " + Hex(expected.pixels[first]) + " (" + std::to_string(differing) + " pixels differ)";
}

Image LoadImage(const std::string& path) {
    return ConvertToImage("convert " + ShellQuote(path), path);
}

Image Screenshot(int x, int y, int width, int height) {
    const std::string geometry = std::to_string(width) + "x" + std::to_string(height) + "+" +
                                 std::to_string(x) + "+" + std::to_string(y);
    return ConvertToImage("import -window root -crop " + geometry + " +repage", "screenshot " + geometry);
}

Image ScreenshotWhen(int x, int y, int width, int height, const std::function<bool(const Image&)>& accept,
                     std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        Image image = Screenshot(x, y, width, height);
        if (accept(image) || std::chrono::steady_clock::now() >= deadline) {
            return image;
        }
        std::this_thread::sleep_for(50ms);
    }
}

std::optional<WindowInfo> FindWindow(const std::string& title) {
    std::string text;
    if (RunShell("xwininfo -name " + ShellQuote(title) + " 2>/dev/null", &text) != 0 ||
        text.find("IsViewable") == std::string::npos) {
        return std::nullopt;
    }
    WindowInfo info;
    info.id = static_cast<unsigned long>(FieldAfter(text, "Window id:").value_or(0));
    info.left = static_cast<int>(FieldAfter(text, "Absolute upper-left X:").value_or(-1));
    info.top = static_cast<int>(FieldAfter(text, "Absolute upper-left Y:").value_or(-1));
    info.width = static_cast<int>(FieldAfter(text, "Width:").value_or(0));
    info.height = static_cast<int>(FieldAfter(text, "Height:").value_or(0));
    return info;
}

std::optional<WindowInfo> WaitForWindow(const std::string& title, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (auto info = FindWindow(title)) {
            return info;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(50ms);
    }
}

unsigned long RootWindowId() {
    std::string text;
    RunShell("xwininfo -root", &text);
    return static_cast<unsigned long>(FieldAfter(text, "Window id:").value_or(0));
}

std::vector<std::string> WindowTitles() {
    std::string text;
    RunShell("xwininfo -root -tree", &text);
    std::vector<std::string> titles;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        // Lines look like:   0x200002 "Error": ("SDL_app" "SDL_app")  400x100+0+0  +440+462
        const std::size_t id = line.find("0x");
        const std::size_t open = line.find(" \"", id == std::string::npos ? 0 : id);
        const std::size_t close = line.find("\":", open == std::string::npos ? 0 : open);
        if (id != std::string::npos && open != std::string::npos && close != std::string::npos) {
            titles.push_back(line.substr(open + 2, close - open - 2));
        }
    }
    return titles;
}

std::string WindowProperty(unsigned long id, const std::string& property) {
    std::string text;
    RunShell("xprop -id " + std::to_string(id) + " " + ShellQuote(property) + " 2>&1", &text);
    return text;
}

int Xdotool(const std::string& arguments) {
    return RunShell("xdotool " + arguments);
}

void CloseWindow(unsigned long id) {
    if (RunShell(std::string(MOULDVIEW_X11_WINDOW_TOOL) + " close " + std::to_string(id)) != 0) {
        throw std::runtime_error("x11_window_tool close failed");
    }
}

std::string ClipboardText() {
    std::string text;
    if (RunShell(std::string(MOULDVIEW_X11_WINDOW_TOOL) + " clipboard 2>/dev/null", &text) != 0) {
        return "";
    }
    return text;
}

void CoverArea(int x, int y, int width, int height, std::chrono::milliseconds duration) {
    const std::string command = std::string(MOULDVIEW_X11_WINDOW_TOOL) + " cover " + std::to_string(x) + " " +
                                std::to_string(y) + " " + std::to_string(width) + " " +
                                std::to_string(height) + " " + std::to_string(duration.count());
    if (RunShell(command) != 0) {
        throw std::runtime_error("x11_window_tool cover failed");
    }
}

int RunShell(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return -1;
    }
    std::string text;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, got);
    }
    const int status = pclose(pipe);
    if (output != nullptr) {
        *output = std::move(text);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ChildProcess::ChildProcess(const std::vector<std::string>& arguments,
                           const std::vector<std::string>& extraEnvironment)
    : m_outputPath(TempPath("xtest-stdout")), m_errorPath(TempPath("xtest-stderr")) {
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        environment.emplace_back(*entry);
    }
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (const std::string& entry : environment) {
        envp.push_back(const_cast<char*>(entry.c_str()));
    }
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, m_outputPath.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_addopen(&actions, 2, m_errorPath.c_str(), O_WRONLY | O_TRUNC, 0);
    pid_t pid = -1;
    const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + arguments.front() + ": " + std::to_string(error));
    }
    m_pid = pid;
}

ChildProcess::~ChildProcess() {
    if (Running()) {
        kill(m_pid, SIGKILL);
        Wait(5s);
    }
    std::remove(m_outputPath.c_str());
    std::remove(m_errorPath.c_str());
}

std::string ChildProcess::Output() const {
    return ReadFile(m_outputPath);
}
std::string ChildProcess::Errors() const {
    return ReadFile(m_errorPath);
}

std::vector<std::string> ChildProcess::OutputLines() const {
    std::vector<std::string> lines;
    std::istringstream text(Output());
    std::string line;
    while (std::getline(text, line)) {
        if (!text.eof()) {
            lines.push_back(line);
        }
    }
    return lines;
}

bool ChildProcess::WaitForLine(const std::function<bool(const std::string&)>& match,
                               std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        for (const std::string& line : OutputLines()) {
            if (match(line)) {
                return true;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
}

bool ChildProcess::WaitForLine(const std::string& line, std::chrono::milliseconds timeout) const {
    return WaitForLine([&](const std::string& candidate) { return candidate == line; }, timeout);
}

std::optional<int> ChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!m_status) {
        int status = 0;
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        } else if (done < 0 && errno != EINTR) {
            m_status = -1;
        } else if (std::chrono::steady_clock::now() >= deadline) {
            break;
        } else {
            std::this_thread::sleep_for(10ms);
        }
    }
    return m_status;
}

bool ChildProcess::Running() {
    return m_pid > 0 && !Wait(0ms);
}

} // namespace mouldview::xtest
