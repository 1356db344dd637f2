// The chart's 3D view settings that the drawing surface reads at the start of each frame. With the
// chart's 3D view off only FontZoom changes what is drawn (it scales every applied font).
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
    // Percent the 3D projection scales by.
    int Zoom() const { return m_zoom; }
    void SetZoom(int value) { Store(m_zoom, value); }
    // Whether text grows and shrinks with Zoom in 3D.
    bool ZoomText() const { return m_zoomText; }
    void SetZoomText(bool value) { Store(m_zoomText, value); }
    bool Orthogonal() const { return m_orthogonal; }
    void SetOrthogonal(bool value) { Store(m_orthogonal, value); }

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
    int m_zoom = 100;
    bool m_zoomText = true;
    bool m_orthogonal = true;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
