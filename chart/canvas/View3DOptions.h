// The chart's 3D view settings as far as a flat chart uses them: the font zoom, which the drawing
// surface reads at the start of each frame and applies to every font.
#pragma once

#include <functional>

namespace mouldview::chart {

class TView3DOptions {
public:
    explicit TView3DOptions(std::function<void()> onChange = {}) : m_onChange(std::move(onChange)) {}
    TView3DOptions(const TView3DOptions&) = delete;
    TView3DOptions& operator=(const TView3DOptions&) = delete;

    // Percent applied to font sizes; 100 leaves them alone.
    double FontZoom() const { return m_fontZoom; }
    void SetFontZoom(double value) { Store(m_fontZoom, value); }

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            if (m_onChange) {
                m_onChange();
            }
        }
    }

    double m_fontZoom = 100.0;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
