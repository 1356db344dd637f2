// Fuzzes the result window's chart: the window's own form (its stored settings, its two series
// filled by its creation handler) with random results or random points, at a random client size,
// under a random sequence of mouse presses, moves, releases, wheel notches, the pointer leaving,
// resizes, undos and paints, as the window would deliver them, with points anywhere in the 32-bit
// plane. After every paint outside a zoom drag, the red and blue series may show only inside the
// plot's frame (the blue title aside). At the end, a full repaint must give the picture the window
// shows.
#include "chart/panel/CustomChart.h"
#include "model/ModelState.h"
#include "platform/raster/Colors.h"
#include "ui/Form1.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

using namespace mouldview;
using chart::TShiftState;

class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_size == 0; }
    template <typename T> T Take() {
        T value{};
        const std::size_t n = std::min(sizeof value, m_size);
        std::memcpy(&value, m_data, n);
        m_data += n;
        m_size -= n;
        return value;
    }
    // A finite float: any bit pattern, the infinities and NaNs folded onto the largest finite values.
    float TakeFinite() {
        const float value = Take<float>();
        if (std::isfinite(value)) {
            return value;
        }
        return std::signbit(value) ? std::numeric_limits<float>::lowest() : std::numeric_limits<float>::max();
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

TShiftState ShiftFrom(std::uint8_t bits) {
    TShiftState shift;
    for (const chart::TShiftStateFlag flag : {chart::ssShift, chart::ssAlt, chart::ssCtrl, chart::ssLeft,
                                              chart::ssRight, chart::ssMiddle, chart::ssDouble}) {
        if ((bits & flag) != 0) {
            shift = shift | flag;
        }
    }
    return shift;
}

// A coordinate: mostly near the window; with the high bit of the event set, stretched over the
// whole 32-bit range, its two ends included.
int Coordinate(std::int16_t raw, bool far) {
    if (!far) {
        return raw;
    }
    if (raw == std::numeric_limits<std::int16_t>::min()) {
        return std::numeric_limits<int>::min();
    }
    if (raw == std::numeric_limits<std::int16_t>::max()) {
        return std::numeric_limits<int>::max();
    }
    return raw * 65535;
}

[[noreturn]] void Fail(const char* what, int x, int y) {
    std::fprintf(stderr, "chart picture: %s at (%d, %d)\n", what, x, y);
    std::abort();
}

// Red and blue, the colours of the two series, appear only inside ChartRect or on the frame
// around it, where the series are clipped to; the title is blue too and may show in its own box.
void CheckSeriesInsideFrame(ui::TForm1& form) {
    chart::TChart& chart = form.z();
    const raster::Bitmap& picture = chart.WindowBitmap();
    const chart::TRect frame = chart.ChartRect();
    const chart::TRect title = chart.Title().Visible() ? chart.Title().ShapeBounds() : chart::TRect{};
    for (int y = 0; y < picture.Height(); ++y) {
        const raster::Pixel* row = picture.Row(y);
        for (int x = 0; x < picture.Width(); ++x) {
            const chart::TColor color = raster::FromPixel(row[x]);
            if (color != chart::clRed && color != chart::clBlue) {
                continue;
            }
            if (x >= frame.Left && x <= frame.Right && y >= frame.Top && y <= frame.Bottom) {
                continue;
            }
            if (color == chart::clBlue && x >= title.Left && x < title.Right && y >= title.Top &&
                y < title.Bottom) {
                continue;
            }
            Fail(color == chart::clRed ? "red outside the frame" : "blue outside the frame", x, y);
        }
    }
}

void Paint(ui::TForm1& form) {
    form.PaintClientArea();
    if (!form.z().Zoom().DragActive()) {
        CheckSeriesInsideFrame(form);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TInput input(data, size);
    const auto flags = input.Take<std::uint8_t>();
    const bool large = (flags & 1) != 0;
    const bool randomPoints = (flags & 2) != 0;
    const auto width = static_cast<int>(input.Take<std::uint16_t>() % (large ? 1280 : 600));
    const auto height = static_cast<int>(input.Take<std::uint16_t>() % (large ? 960 : 400));
    const auto count = static_cast<std::int32_t>(input.Take<std::uint16_t>() % 2049);

    // The results the creation handler reads: periods 1 .. count.
    model::TModelState state;
    state.DatasetCount = 1;
    state.PeriodCount = count + 1;
    state.PeriodCapacity = count + 1;
    state.MouldIndex[1].SetLength(static_cast<std::size_t>(count) + 2);
    if (!randomPoints) {
        // Either indices as the model computes them (0 to 6) or any finite single-precision value.
        const bool modelRange = (flags & 4) != 0;
        for (std::int32_t k = 1; k <= count; ++k) {
            state.MouldIndex[1][static_cast<std::size_t>(k)] =
                modelRange ? static_cast<float>(input.Take<std::uint8_t>()) * (6.0f / 255.0f)
                           : input.TakeFinite();
        }
    }
    ui::TForm1 form(state);
    if (randomPoints) {
        // Points anywhere, in any order, on the blue series.
        form.Series1().ClearPoints();
        for (std::int32_t k = 1; k <= count; ++k) {
            const float x = input.TakeFinite();
            const float y = input.TakeFinite();
            form.Series1().AddPoint(x, y, "", chart::clBlue);
        }
    }
    form.SetClientSize(width, height);
    Paint(form);

    chart::TChart& chart = form.z();
    for (int events = 0; !input.Empty() && events < 64; ++events) {
        const auto op = input.Take<std::uint8_t>();
        const bool far = (op & 0x80) != 0;
        const int x = Coordinate(input.Take<std::int16_t>(), far);
        const int y = Coordinate(input.Take<std::int16_t>(), far);
        const TShiftState shift = ShiftFrom(input.Take<std::uint8_t>());
        switch (op & 0x0F) {
        case 0:
            chart.MouseDown(chart::mbLeft, shift, x, y);
            break;
        case 1:
            chart.MouseDown(chart::mbRight, shift, x, y);
            break;
        case 2:
            chart.MouseDown(chart::mbMiddle, shift, x, y);
            break;
        case 3:
        case 4:
        case 5:
            chart.MouseMove(shift, x, y);
            break;
        case 6:
            chart.MouseUp(chart::mbLeft, shift, x, y);
            break;
        case 7:
            chart.MouseUp(chart::mbRight, shift, x, y);
            break;
        case 8:
            chart.MouseUp(chart::mbMiddle, shift, x, y);
            break;
        case 9:
            chart.MouseWheelDown(shift, x, y);
            break;
        case 10:
            chart.MouseWheelUp(shift, x, y);
            break;
        case 11:
            chart.PointerLeaves();
            break;
        case 12:
            chart.UndoZoom();
            break;
        case 13:
            form.SetClientSize(static_cast<int>(static_cast<unsigned>(x) % 1280),
                               static_cast<int>(static_cast<unsigned>(y) % 960));
            break;
        default:
            // The window's event loop runs a pending paint.
            if (chart.PaintPending()) {
                Paint(form);
            }
            break;
        }
    }
    if (chart.PaintPending()) {
        Paint(form);
    }

    // What the window shows now is what a full paint of the chart's present state draws.
    if (!chart.Zoom().DragActive()) {
        const raster::Bitmap shown = chart.WindowBitmap();
        chart.Canvas().MarkDirty();
        chart.Invalidate();
        Paint(form);
        const raster::Bitmap& full = chart.WindowBitmap();
        for (int y = 0; full.Width() > 0 && y < full.Height(); ++y) {
            if (std::memcmp(full.Row(y), shown.Row(y),
                            sizeof(raster::Pixel) * static_cast<std::size_t>(full.Width())) != 0) {
                Fail("the window shows another picture than a full paint", 0, y);
            }
        }
    }
    return 0;
}
