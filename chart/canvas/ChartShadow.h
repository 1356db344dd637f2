// A shadow offset behind text or a panel: colour, horizontal and vertical offsets (pixels, may be
// negative), smoothing and transparency (percent).
#pragma once

#include "chart/canvas/ChartColors.h"

#include <functional>

namespace mouldview::chart {

class TChartShadow {
public:
    explicit TChartShadow(std::function<void()> onChange = {});
    TChartShadow(const TChartShadow&) = delete;
    TChartShadow& operator=(const TChartShadow&) = delete;

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int HorizSize() const { return m_horizSize; }
    void SetHorizSize(int value);
    int VertSize() const { return m_vertSize; }
    void SetVertSize(int value);
    bool Smooth() const { return m_smooth; }
    void SetSmooth(bool value);
    int Transparency() const { return m_transparency; }
    // Clamped to 0..100.
    void SetTransparency(int value);

    // The larger of the two offsets; a panel shadow of size 0 is not drawn.
    int Size() const { return m_horizSize > m_vertSize ? m_horizSize : m_vertSize; }

    void Assign(const TChartShadow& source);
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void Changed() const;

    TColor m_color = clSilver;
    int m_horizSize = 0;
    int m_vertSize = 0;
    bool m_smooth = true;
    int m_transparency = 0;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
