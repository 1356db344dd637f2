// Gradient fill settings of panels, walls and text. The chart of this program keeps every gradient
// invisible, so these objects only carry their settings; nothing paints a gradient from them yet.
#pragma once

#include "chart/canvas/ChartColors.h"

#include <functional>

namespace mouldview::chart {

enum TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft,
    gdRadial,
    gdDiagonalUp,
    gdDiagonalDown
};

class TCustomChartGradient {
public:
    explicit TCustomChartGradient(std::function<void()> onChange = {});
    TCustomChartGradient(const TCustomChartGradient&) = delete;
    TCustomChartGradient& operator=(const TCustomChartGradient&) = delete;
    virtual ~TCustomChartGradient() = default;

    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    TGradientDirection Direction() const { return m_direction; }
    void SetDirection(TGradientDirection value);
    TColor StartColor() const { return m_startColor; }
    void SetStartColor(TColor value);
    TColor EndColor() const { return m_endColor; }
    void SetEndColor(TColor value);
    // clNone: no middle colour.
    TColor MidColor() const { return m_midColor; }
    void SetMidColor(TColor value);
    int Balance() const { return m_balance; }
    void SetBalance(int value);
    int RadialX() const { return m_radialX; }
    void SetRadialX(int value);
    int RadialY() const { return m_radialY; }
    void SetRadialY(int value);

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed() const;

private:
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            Changed();
        }
    }

    bool m_visible = false;
    TGradientDirection m_direction = gdTopBottom;
    TColor m_startColor = clWhite;
    TColor m_endColor = clYellow;
    TColor m_midColor = clNone;
    int m_balance = 50;
    int m_radialX = 0;
    int m_radialY = 0;
    std::function<void()> m_onChange;
};

class TChartGradient : public TCustomChartGradient {
public:
    using TCustomChartGradient::TCustomChartGradient;
};

// The gradient of text glyphs; Outline widens the glyph path before it is filled.
class TChartFontGradient : public TChartGradient {
public:
    using TChartGradient::TChartGradient;

    bool Outline() const { return m_outline; }
    void SetOutline(bool value);

private:
    bool m_outline = false;
};

} // namespace mouldview::chart
