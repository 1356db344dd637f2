// The chart engine's pens: the framework pen plus end caps, small dots and visibility, and the
// preset pens the chart elements are built with (grid, hidden border, zoom band ...).
#pragma once

#include "chart/canvas/Pen.h"

namespace mouldview::chart {

// Cap and join shape of strokes of width 2 or more.
enum TPenEndStyle { esRound, esSquare, esFlat };

class TChartPen : public TPen {
public:
    explicit TChartPen(std::function<void()> onChange = {});

    TPenEndStyle EndStyle() const { return m_endStyle; }
    void SetEndStyle(TPenEndStyle value);
    // Strokes as isolated 1-pixel dots instead of Style; SmallSpace widens the gap between them.
    bool SmallDots() const { return m_smallDots; }
    void SetSmallDots(bool value);
    int SmallSpace() const { return m_smallSpace; }
    void SetSmallSpace(int value);
    // An invisible pen strokes nothing, whatever its colour and width.
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }

    // The defaults a stored layout compares against; they never change what is drawn.
    bool DefaultVisible() const { return m_defaultVisible; }
    void SetDefaultVisible(bool value) { m_defaultVisible = value; }
    TPenEndStyle DefaultEndStyle() const { return m_defaultEndStyle; }
    void SetDefaultEndStyle(TPenEndStyle value) { m_defaultEndStyle = value; }

    void Assign(const TPen& source) override;

private:
    TPenEndStyle m_endStyle = esRound;
    bool m_smallDots = false;
    int m_smallSpace = 0;
    bool m_visible = true;
    bool m_defaultVisible = true;
    TPenEndStyle m_defaultEndStyle = esRound;
};

// A pen that starts hidden (a frame or border nobody asked for).
class TChartHiddenPen : public TChartPen {
public:
    explicit TChartHiddenPen(std::function<void()> onChange = {});
};

// Grey dotted pen of grid lines.
class TDottedGrayPen : public TChartPen {
public:
    explicit TDottedGrayPen(std::function<void()> onChange = {});
};

class TDarkGrayPen : public TChartPen {
public:
    explicit TDarkGrayPen(std::function<void()> onChange = {});
};

class TWhitePen : public TChartPen {
public:
    explicit TWhitePen(std::function<void()> onChange = {});
};

// Pen of the zoom rubber band; white by default.
class TChartZoomPen : public TChartPen {
public:
    explicit TChartZoomPen(std::function<void()> onChange = {});

    TColor DefaultColor() const { return m_defaultColor; }

private:
    TColor m_defaultColor = clWhite;
};

} // namespace mouldview::chart
