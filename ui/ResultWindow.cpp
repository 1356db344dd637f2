// Connects the form's chart to its platform window: the window's picture, the paint protocol,
// sizes, mouse input and keys, and the boxes drawn over the chart.
#include "ui/ResultWindow.h"

#include "model/PeriodTable.h"
#include "platform/raster/DeviceContext.h"
#include "platform/runtime/Errors.h"
#include "platform/runtime/RegionalSettings.h"
#include "ui/Readout.h"
#include "ui/ResultFiles.h"

#include <cerrno>
#include <chrono>
#include <utility>

namespace mouldview::ui {

namespace {

using namespace std::chrono_literals;

// How long the pointer must rest before the readout shows, and how long a notice stays.
constexpr auto ReadoutDelay = 300ms;
constexpr auto NoticeTime = 6s;
// Half the side of the square that marks the read period's point.
constexpr int MarkRadius = 3;
// A notice stands this far below the window's top edge.
constexpr int NoticeTop = 4;

const std::vector<std::string> HelpLines = {
    "Mouse and keys",
    "Left drag to the right: zoom into the band",
    "Left drag to the left or Home: undo zoom and scroll",
    "Right drag: scroll",
    "Wheel: scroll up and down",
    "Rest the pointer on the plot: read a period",
    "Ctrl+S: save chart (PNG) and table (CSV)",
    "Ctrl+C: copy the table",
    "F1 or ?: this help; any key or click closes it",
};

bool ButtonHeld(platform::ShiftState shift) {
    return shift.Contains(platform::ShiftFlag::ssLeft) || shift.Contains(platform::ShiftFlag::ssRight) ||
           shift.Contains(platform::ShiftFlag::ssMiddle);
}

// Why nothing was written, in the user's words where the system's are terse.
std::string SaveFailure(const runtime::EInOutError& error) {
    switch (error.ErrorCode()) {
    case EACCES:
    case EPERM:
    case EROFS:
        return "the folder is read-only";
    case ENOSPC:
        return "the disk is full";
    default:
        return error.Message() + (error.FileName().empty() ? "" : " (" + error.FileName() + ")");
    }
}

} // namespace

TResultWindow::TResultWindow(platform::Display& display, TForm1& form, const model::TModelState& state)
    : m_form(form), m_state(state),
      m_window(display, form.Caption(), form.ClientWidth(), form.ClientHeight()) {
    // The chart fills the client area the window got, and paints straight into its picture.
    m_form.SetClientSize(m_window.ClientWidth(), m_window.ClientHeight());
    chart::TChart& chart = m_form.z();
    chart.UseWindowBitmap(&m_window.Canvas());
    // The window system merges invalidations into one paint per turn of the message loop.
    chart.SetOnInvalidate([this] { m_window.Invalidate(); });
    // The zoom band is drawn onto the picture between paints.
    chart.SetOnDrawnOutsidePaint([this] { m_window.CanvasChanged(); });
}

TResultWindow::~TResultWindow() {
    chart::TChart& chart = m_form.z();
    chart.SetOnInvalidate({});
    chart.SetOnDrawnOutsidePaint({});
    chart.UseWindowBitmap(nullptr);
}

void TResultWindow::Paint() {
    // A clean picture is only copied from the chart's buffer, which holds no box.
    m_form.z().HandlePaint();
    PaintBox();
}

void TResultWindow::Resized(int clientWidth, int clientHeight) {
    // The chart is aligned to the client area; its new size makes the next paint a full one.
    HideBox();
    m_form.SetClientSize(clientWidth, clientHeight);
}

void TResultWindow::Moved(int /*left*/, int /*top*/) {
    // A paint after the window moved always starts from a dirty buffer.
    chart::TChart& chart = m_form.z();
    chart.Canvas().MarkDirty();
    chart.Invalidate();
}

void TResultWindow::SystemColorsChanged() {
    // The button-face, highlight and shadow colours are looked up again in a full paint.
    m_form.z().SystemColorsChanged();
}

void TResultWindow::MouseDown(platform::MouseButton button, platform::ShiftState /*shift*/, int x, int y) {
    HideBox();
    m_form.z().MouseDown(button, x, y);
}

void TResultWindow::MouseMove(platform::ShiftState shift, int x, int y) {
    m_form.z().MouseMove(x, y);
    if (ButtonHeld(shift) || (m_box && m_box->Kind != TBoxKind::bkReadout)) {
        return;
    }
    // A readout belongs to the pointer's resting place; any move takes it away and starts the
    // delay again while the pointer is over the plot.
    HideBox();
    const chart::TRect plot = m_form.z().ChartRect();
    if (x >= plot.Left && x <= plot.Right && y >= plot.Top && y <= plot.Bottom) {
        m_restingPointer = raster::Point{x, y};
        m_window.StartTimer(ReadoutDelay);
    }
}

void TResultWindow::MouseUp(platform::MouseButton button, platform::ShiftState /*shift*/, int x, int y) {
    m_form.z().MouseUp(button, x, y);
}

void TResultWindow::MouseWheel(platform::WheelDirection direction, platform::ShiftState /*shift*/, int /*x*/,
                               int /*y*/) {
    HideBox();
    m_form.z().MouseWheel(direction);
}

void TResultWindow::MouseLeave() {
    if (m_box && m_box->Kind == TBoxKind::bkReadout) {
        HideBox();
    } else if (!m_box) {
        m_restingPointer.reset();
        m_window.StopTimer();
    }
    m_form.z().PointerLeaves();
}

void TResultWindow::KeyDown(platform::Key key, platform::ShiftState shift) {
    HideBox();
    // Keys act on the chart only between drags: a zoom band or a pan in progress stays as it is.
    if (ButtonHeld(shift)) {
        return;
    }
    const bool ctrl = shift.Contains(platform::ShiftFlag::ssCtrl);
    switch (key) {
    case platform::Key::vkHome:
        m_form.z().UndoZoom();
        break;
    case platform::Key::vkF1:
    case platform::Key::vkQuestionMark:
        ShowBox({TBoxKind::bkHelp, TInfoBox(HelpLines)});
        break;
    case platform::Key::vkS:
        if (ctrl) {
            Save();
        }
        break;
    case platform::Key::vkC:
        if (ctrl) {
            Copy();
        }
        break;
    default:
        break;
    }
}

void TResultWindow::TimerElapsed() {
    if (m_box) {
        // Only a notice waits for the timer while a box shows.
        if (m_box->Kind == TBoxKind::bkNotice) {
            HideBox();
        }
        return;
    }
    if (!m_restingPointer) {
        return;
    }
    const raster::Point pointer = *m_restingPointer;
    const auto readout = ReadoutAt(m_form.z(), m_state, pointer.x, pointer.y, runtime::DecimalSeparator());
    if (readout) {
        ShowBox({TBoxKind::bkReadout, TInfoBox(readout->Lines), pointer, readout->Point});
    }
}

void TResultWindow::ShowBox(TShownBox box) {
    m_restingPointer.reset();
    m_window.StopTimer();
    if (box.Kind == TBoxKind::bkNotice) {
        m_window.StartTimer(NoticeTime);
    }
    m_box.emplace(std::move(box));
    m_window.Invalidate();
}

void TResultWindow::HideBox() {
    m_restingPointer.reset();
    m_window.StopTimer();
    if (m_box) {
        m_box.reset();
        m_window.Invalidate();
    }
}

void TResultWindow::PaintBox() {
    if (!m_box) {
        return;
    }
    raster::Bitmap& canvas = m_window.Canvas();
    const raster::Size size = m_box->Box.Size();
    raster::Point origin;
    switch (m_box->Kind) {
    case TBoxKind::bkReadout: {
        // The mark first, clipped to the plot, then the box, which may cover it near an edge.
        const chart::TRect plot = m_form.z().ChartRect();
        raster::DeviceContext dc(canvas);
        dc.IntersectClip({plot.Left, plot.Top, plot.Right + 1, plot.Bottom + 1});
        dc.SetPen(raster::MakePen(raster::PenStyle::Solid, 1, 0x00000000));
        dc.SetBrush(raster::Brush{raster::BrushStyle::Clear, 0, nullptr, false});
        const raster::Point mark = m_box->Mark;
        dc.Rectangle(mark.x - MarkRadius, mark.y - MarkRadius, mark.x + MarkRadius + 1,
                     mark.y + MarkRadius + 1);
        origin = m_box->Box.NearPointer(m_box->Pointer.x, m_box->Pointer.y, canvas.Width(), canvas.Height());
        break;
    }
    case TBoxKind::bkNotice:
        origin = {(canvas.Width() - size.cx) / 2, NoticeTop};
        break;
    case TBoxKind::bkHelp:
        origin = {(canvas.Width() - size.cx) / 2, (canvas.Height() - size.cy) / 2};
        break;
    }
    // Inside the window, at its top-left corner when the window is smaller than the box.
    origin.x = std::max(0, std::min(origin.x, canvas.Width() - size.cx));
    origin.y = std::max(0, std::min(origin.y, canvas.Height() - size.cy));
    m_box->Box.Paint(canvas, origin);
}

void TResultWindow::ShowNotice(std::vector<std::string> lines) {
    ShowBox({TBoxKind::bkNotice, TInfoBox(std::move(lines))});
}

void TResultWindow::Save() {
    // The chart as the window shows it now, without any box: a paint (or a copy of a clean
    // buffer) puts the chart's own picture into the canvas, which a box had covered at most.
    m_form.z().HandlePaint();
    try {
        const TSavedResult saved = SaveResult(m_state, m_window.Canvas());
        ShowNotice({"Saved " + saved.PngName + " and " + saved.CsvName,
                    "in " + (saved.Folder.empty() ? std::string("the working folder") : saved.Folder)});
    } catch (const runtime::EInOutError& error) {
        ShowNotice({"Nothing saved: " + SaveFailure(error)});
    } catch (const runtime::ERunError& error) {
        ShowNotice({"Nothing saved: " + error.Message()});
    }
}

void TResultWindow::Copy() {
    const std::string table = model::PeriodTableText(m_state);
    if (m_window.SetClipboardText(table)) {
        ShowNotice({"Copied the table of " +
                    std::to_string(m_state.PeriodCount > 0 ? m_state.PeriodCount - 1 : 0) + " periods"});
    } else {
        ShowNotice({"Nothing copied: the clipboard does not take a table of " +
                        std::to_string(table.size() / 1000) + " kB",
                    "Ctrl+S saves it as a file"});
    }
}

} // namespace mouldview::ui
