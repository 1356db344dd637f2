// Opening the display without one fails with the system's own text, before any window exists.
#include "platform/window/Display.h"

#include "platform/window/MessageBox.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace mouldview::platform {
namespace {

// Runs the body with DISPLAY and WAYLAND_DISPLAY removed, as on a machine without a desktop, and
// without a video driver chosen by name.
class NoDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
            if (const char* value = std::getenv(name)) {
                m_saved.emplace_back(name, value);
            }
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const auto& [name, value] : m_saved) {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }

private:
    std::vector<std::pair<std::string, std::string>> m_saved;
};

std::string OpeningError() {
    try {
        Display display;
    } catch (const EWindowError& error) {
        return error.what();
    }
    return "";
}

TEST_F(NoDisplayTest, OpeningFailsWithTheReasonAndCanBeRetried) {
    EXPECT_FALSE(DisplayAvailable());
    EXPECT_EQ(OpeningError(),
              "cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    EXPECT_EQ(OpeningError(),
              "cannot open a window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    EXPECT_FALSE(ShowErrorBox("Error", "Runtime error 217 at 00000000"));
}

// SDL2 would otherwise settle for its invisible "offscreen" driver and the program would wait for
// a window nobody can see.
TEST_F(NoDisplayTest, AnUnreachableDisplayIsAnErrorNotAnInvisibleWindow) {
    setenv("DISPLAY", ":4711", 1);
    const std::string message = OpeningError();
    if (message.empty()) {
        GTEST_SKIP() << "a display opened although X display :4711 does not exist (a Wayland desktop?)";
    }
    EXPECT_EQ(message, "cannot open a window: cannot connect to the X display \":4711\"");
}

} // namespace
} // namespace mouldview::platform
