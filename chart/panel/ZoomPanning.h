// The mouse vocabulary of the chart (buttons, shift state, cursors, panning and zoom directions) and
// the two drag states: TZoomPanning for a drag in progress, and TChartZoom, the chart's `Zoom`
// settings, which is the zoom drag's state at the same time.
#pragma once

#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartPen.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace mouldview::chart {

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// One modifier key or held button of a shift state.
enum TShiftStateFlag : std::uint8_t {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6
};

// A set of TShiftStateFlag values: the keys and buttons held at the time of a mouse event.
class TShiftState {
public:
    constexpr TShiftState() = default;
    constexpr TShiftState(TShiftStateFlag flag) : m_bits(flag) {}
    // The set whose flags are the one bits of `bits` (the TShiftStateFlag values).
    static constexpr TShiftState FromBits(std::uint8_t bits) {
        TShiftState result;
        result.m_bits = static_cast<std::uint8_t>(bits & 0x7Fu);
        return result;
    }
    constexpr std::uint8_t Bits() const { return m_bits; }

    constexpr bool Contains(TShiftStateFlag flag) const { return (m_bits & flag) != 0; }
    // Every flag of `other` is in this set; the empty set is in every set.
    constexpr bool ContainsAll(TShiftState other) const { return (m_bits & other.m_bits) == other.m_bits; }
    constexpr bool Empty() const { return m_bits == 0; }
    constexpr TShiftState operator|(TShiftState other) const {
        TShiftState result;
        result.m_bits = static_cast<std::uint8_t>(m_bits | other.m_bits);
        return result;
    }
    constexpr bool operator==(const TShiftState&) const = default;

private:
    std::uint8_t m_bits = 0;
};

constexpr TShiftState operator|(TShiftStateFlag a, TShiftStateFlag b) {
    return TShiftState(a) | TShiftState(b);
}

// Pointer shapes the chart may ask the window for; crDefault is the system's arrow.
enum TCursor { crDefault, crCross, crHandPoint, crSizeAll, crSizeNS, crSizeWE, crIBeam, crHourGlass, crNo };

enum TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };
enum TChartZoomDirection { tzdHorizontal, tzdVertical, tzdBoth };

// A drag in progress: where it started and the opposite corner (for panning, the last pointer
// position handled).
class TZoomPanning {
public:
    TZoomPanning() = default;
    TZoomPanning(const TZoomPanning&) = delete;
    TZoomPanning& operator=(const TZoomPanning&) = delete;
    virtual ~TZoomPanning() = default;

    bool DragActive() const { return m_dragActive; }
    void SetDragActive(bool value) { m_dragActive = value; }
    int StartX() const { return m_startX; }
    int StartY() const { return m_startY; }
    int EndX() const { return m_endX; }
    int EndY() const { return m_endY; }
    void SetStartX(int value) { m_startX = value; }
    void SetStartY(int value) { m_startY = value; }
    void SetEndX(int value) { m_endX = value; }
    void SetEndY(int value) { m_endY = value; }

    // Both corners at (x, y), and the drag is active.
    void BeginDrag(int x, int y);
    // Swaps the corners' coordinates where needed so that StartX <= EndX and StartY <= EndY.
    void NormalizeCorners();

private:
    bool m_dragActive = false;
    int m_startX = 0;
    int m_startY = 0;
    int m_endX = 0;
    int m_endY = 0;
};

// Fill of the zoom band: white and clear unless set otherwise.
class TChartZoomBrush : public TChartBrush {
public:
    explicit TChartZoomBrush(std::function<void()> onChange = {});
};

// The chart's zoom settings and the state of a zoom drag. `Brush` and `Pen` exist only once read;
// while there is no brush, the band is drawn without any fill.
class TChartZoom : public TZoomPanning {
public:
    // `onChange` is called when a setting that shows on screen changes (the band's pen or brush).
    explicit TChartZoom(std::function<void()> onChange = {});

    bool Allow() const { return m_allow; }
    void SetAllow(bool value) { m_allow = value; }
    // Zoom in a few steps, each shown, instead of at once.
    bool Animated() const { return m_animated; }
    void SetAnimated(bool value) { m_animated = value; }
    int AnimatedSteps() const { return m_animatedSteps; }
    void SetAnimatedSteps(int value) { m_animatedSteps = value; }
    TChartZoomDirection Direction() const { return m_direction; }
    void SetDirection(TChartZoomDirection value) { m_direction = value; }
    // Keys that must be held, with MouseButton, to start a zoom drag.
    TShiftState KeyShift() const { return m_keyShift; }
    void SetKeyShift(TShiftState value) { m_keyShift = value; }
    // A drag must span more than this many pixels (in each direction that counts) to act.
    int MinimumPixels() const { return m_minimumPixels; }
    void SetMinimumPixels(int value) { m_minimumPixels = value; }
    TMouseButton MouseButton() const { return m_mouseButton; }
    void SetMouseButton(TMouseButton value) { m_mouseButton = value; }
    // A drag towards the upper left zooms too, instead of undoing.
    bool UpLeftZooms() const { return m_upLeftZooms; }
    void SetUpLeftZooms(bool value) { m_upLeftZooms = value; }

    // Created on first access (white, clear).
    TChartZoomBrush& Brush();
    const TChartZoomBrush* BrushIfCreated() const { return m_brush.get(); }
    // Null frees the brush; another brush is copied into this one's (created if need be).
    void SetBrush(const TChartBrush* value);
    // Created on first access (white).
    TChartZoomPen& Pen();
    const TChartZoomPen* PenIfCreated() const { return m_pen.get(); }
    // Null frees the pen; another pen is copied into this one's (created if need be).
    void SetPen(const TPen* value);

    // Gives the pen the raster mode the band is drawn with, without telling the owner: the band
    // is drawn on the window between paints and must not cause one.
    void SetBandPenMode(TPenMode mode);

private:
    void Changed() const;

    std::function<void()> m_onChange;
    bool m_quiet = false;
    bool m_allow = true;
    bool m_animated = false;
    int m_animatedSteps = 8;
    TChartZoomDirection m_direction = tzdBoth;
    TShiftState m_keyShift;
    int m_minimumPixels = 16;
    TMouseButton m_mouseButton = mbLeft;
    bool m_upLeftZooms = false;
    std::unique_ptr<TChartZoomBrush> m_brush;
    std::unique_ptr<TChartZoomPen> m_pen;
};

} // namespace mouldview::chart
