// The chart's legend. Its contents are not drawn by this program; what counts is whether it would
// be drawn at all (visible and at least one series active) and on which side it would stand.
#pragma once

#include <functional>

namespace mouldview::chart {

enum TLegendAlignment { laLeft, laRight, laTop, laBottom };

class TChartLegend {
public:
    explicit TChartLegend(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}
    TChartLegend(const TChartLegend&) = delete;
    TChartLegend& operator=(const TChartLegend&) = delete;

    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { Store(m_visible, value); }
    TLegendAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TLegendAlignment value) { Store(m_alignment, value); }
    bool CustomPosition() const { return m_customPosition; }
    void SetCustomPosition(bool value) { Store(m_customPosition, value); }
    // A legend at the left or right stands beside the plot, at the top or bottom above or below it.
    bool Vertical() const { return m_alignment == laLeft || m_alignment == laRight; }

private:
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            if (m_onChange) {
                m_onChange();
            }
        }
    }

    bool m_visible = true;
    TLegendAlignment m_alignment = laRight;
    bool m_customPosition = false;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
