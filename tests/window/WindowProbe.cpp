// A test program for the window layer. It opens the window with a known picture and writes
// every event it receives to standard output, one line each, for the end-to-end tests to read:
//   window_probe window CAPTION WIDTH HEIGHT   the window; exits 0 when its loop ends
//   window_probe errorbox CAPTION TEXT          the error box; exits 0 once it was dismissed
//   window_probe errorbox-pictures TEXT RAISED PRESSED
//                                               the box painted without a display, its button
//                                               raised and pressed, written as two PNG files
// Event lines: "paint W H", "resized W H", "moved X Y", "down BUTTON [SHIFT] X Y",
// "move [SHIFT] X Y", "up BUTTON [SHIFT] X Y", "wheel up|down [SHIFT] X Y", "leave", "close",
// "end"; SHIFT lists the flags joined by '+', e.g. "[shift+left]".
#include "platform/raster/Png.h"
#include "platform/window/Display.h"
#include "platform/window/ErrorBox.h"
#include "platform/window/MessageBox.h"
#include "platform/window/Window.h"
#include "tests/window/ProbePattern.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using namespace mouldview::platform;
namespace raster = mouldview::raster;

const char* ButtonName(MouseButton button) {
    switch (button) {
    case MouseButton::mbLeft:
        return "left";
    case MouseButton::mbRight:
        return "right";
    case MouseButton::mbMiddle:
        return "middle";
    }
    return "?";
}

std::string ShiftText(ShiftState shift) {
    static constexpr std::pair<ShiftFlag, const char*> kNames[] = {
        {ShiftFlag::ssShift, "shift"},  {ShiftFlag::ssAlt, "alt"},     {ShiftFlag::ssCtrl, "ctrl"},
        {ShiftFlag::ssLeft, "left"},    {ShiftFlag::ssRight, "right"}, {ShiftFlag::ssMiddle, "middle"},
        {ShiftFlag::ssDouble, "double"}};
    std::string text;
    for (const auto& [flag, name] : kNames) {
        if (shift.Contains(flag)) {
            text += (text.empty() ? "" : "+");
            text += name;
        }
    }
    return "[" + text + "]";
}

class Probe : public WindowEvents {
public:
    explicit Probe(Window& window) : m_window(window) {}

    void Paint() override {
        raster::Bitmap& canvas = m_window.Canvas();
        for (int y = 0; y < canvas.Height(); ++y) {
            std::uint32_t* row = canvas.Row(y);
            for (int x = 0; x < canvas.Width(); ++x) {
                row[x] = mouldview::probe::PatternPixel(x, y, canvas.Width(), canvas.Height());
            }
        }
        Log("paint " + std::to_string(canvas.Width()) + " " + std::to_string(canvas.Height()));
    }
    void Resized(int width, int height) override {
        Log("resized " + std::to_string(width) + " " + std::to_string(height));
    }
    void Moved(int left, int top) override {
        Log("moved " + std::to_string(left) + " " + std::to_string(top));
    }
    void MouseDown(MouseButton button, ShiftState shift, int x, int y) override {
        Log(std::string("down ") + ButtonName(button) + " " + ShiftText(shift) + Position(x, y));
        MarkPress(x, y);
        // A middle click shows the cross cursor until the next one.
        if (button == MouseButton::mbMiddle) {
            m_window.SetCursor(m_window.CurrentCursor() == Cursor::crDefault ? Cursor::crCross
                                                                             : Cursor::crDefault);
        }
    }
    void MouseMove(ShiftState shift, int x, int y) override {
        Log("move " + ShiftText(shift) + Position(x, y));
    }
    void MouseUp(MouseButton button, ShiftState shift, int x, int y) override {
        Log(std::string("up ") + ButtonName(button) + " " + ShiftText(shift) + Position(x, y));
    }
    void MouseWheel(WheelDirection direction, ShiftState shift, int x, int y) override {
        Log(std::string("wheel ") + (direction == WheelDirection::wdUp ? "up " : "down ") + ShiftText(shift) +
            Position(x, y));
    }
    void MouseLeave() override { Log("leave"); }
    void CloseRequested() override { Log("close"); }

    static void Log(const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }

private:
    static std::string Position(int x, int y) { return " " + std::to_string(x) + " " + std::to_string(y); }

    // Draws a small square onto the canvas between paints, the way a rubber band is drawn.
    void MarkPress(int x, int y) {
        raster::Bitmap& canvas = m_window.Canvas();
        const int radius = mouldview::probe::kPressMarkRadius;
        for (int py = std::max(y - radius, 0); py <= std::min(y + radius, canvas.Height() - 1); ++py) {
            for (int px = std::max(x - radius, 0); px <= std::min(x + radius, canvas.Width() - 1); ++px) {
                canvas.Row(py)[px] = mouldview::probe::kPressMark;
            }
        }
        m_window.CanvasChanged();
    }

    Window& m_window;
};

int RunWindow(const std::string& caption, int width, int height) {
    Display display;
    // Created under a provisional caption and renamed before it is shown, as the program does.
    Window window(display, "window probe", width, height);
    window.SetCaption(caption);
    Probe probe(window);
    window.Run(probe);
    Probe::Log("end");
    return 0;
}

int WriteBoxPictures(const std::string& text, const std::string& raised, const std::string& pressed) {
    const ErrorBox box(text);
    raster::Bitmap bitmap(box.ClientSize().cx, box.ClientSize().cy);
    box.Paint(bitmap, false);
    raster::WritePng(bitmap, raised);
    box.Paint(bitmap, true);
    raster::WritePng(bitmap, pressed);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "window" && argc == 5) {
            return RunWindow(argv[2], std::stoi(argv[3]), std::stoi(argv[4]));
        }
        if (mode == "errorbox" && argc == 4) {
            return ShowErrorBox(argv[2], argv[3]) ? 0 : 1;
        }
        if (mode == "errorbox-pictures" && argc == 5) {
            return WriteBoxPictures(argv[2], argv[3], argv[4]);
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 3;
    }
    std::fprintf(stderr, "usage: window_probe window CAPTION WIDTH HEIGHT | errorbox CAPTION TEXT | "
                         "errorbox-pictures TEXT RAISED PRESSED\n");
    return 2;
}
