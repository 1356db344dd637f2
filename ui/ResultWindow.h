// The result window on the screen: a platform window that shows the form's chart and hands it the
// window's notifications. The window lends the chart its picture, so a frame the chart paints lands
// where the window shows it; a resize, move or change of the system colours makes the next paint a
// full one; the chart's repaint requests become merged window invalidations; mouse input goes to
// the chart's zoom and scroll handling.
//
// Over the chart the window shows one small box at a time, painted on its canvas after the chart
// (so that the next copy from the chart's buffer removes it exactly): the readout of the period
// under a resting pointer, a notice after Save (Ctrl+S) or Copy (Ctrl+C), or the help (F1, "?").
// Home undoes every zoom and scroll.
#pragma once

#include "model/ModelState.h"
#include "platform/window/Display.h"
#include "platform/window/Window.h"
#include "platform/window/WindowEvents.h"
#include "ui/Form1.h"
#include "ui/InfoBox.h"

#include <optional>

namespace mouldview::ui {

class TResultWindow : public platform::WindowEvents {
public:
    // Creates the window for `form` at the form's client size, under its caption; `state` is the
    // computed model state the form was filled from, which Save and Copy write out and the readout
    // reads. Throws platform::EWindowError when the windowing system refuses the window.
    TResultWindow(platform::Display& display, TForm1& form, const model::TModelState& state);
    ~TResultWindow() override;

    TResultWindow(const TResultWindow&) = delete;
    TResultWindow& operator=(const TResultWindow&) = delete;

    // Shows the window and runs the message loop until the window is closed.
    void Run() { m_window.Run(*this); }

    void Paint() override;
    void Resized(int clientWidth, int clientHeight) override;
    void Moved(int left, int top) override;
    void SystemColorsChanged() override;
    void MouseDown(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    void MouseMove(platform::ShiftState shift, int x, int y) override;
    void MouseUp(platform::MouseButton button, platform::ShiftState shift, int x, int y) override;
    void MouseWheel(platform::WheelDirection direction, platform::ShiftState shift, int x, int y) override;
    void KeyDown(platform::Key key, platform::ShiftState shift) override;
    void MouseLeave() override;
    void TimerElapsed() override;

private:
    enum class TBoxKind { bkReadout, bkNotice, bkHelp };
    struct TShownBox {
        TBoxKind Kind;
        TInfoBox Box;
        // The pointer a readout belongs to, and the period's point it marks.
        raster::Point Pointer{};
        raster::Point Mark{};
    };

    void ShowBox(TShownBox box);
    // Removes the box; the next paint copies the chart's picture over it.
    void HideBox();
    void PaintBox();
    void ShowNotice(std::vector<std::string> lines);
    void Save();
    void Copy();

    TForm1& m_form;
    const model::TModelState& m_state;
    platform::Window m_window;
    std::optional<TShownBox> m_box;
    // Where the pointer rests over the plot while the readout's delay runs.
    std::optional<raster::Point> m_restingPointer;
};

} // namespace mouldview::ui
