// Defaults and lazily created parts of chart shapes.
#include "chart/panel/ChartShape.h"

namespace mouldview::chart {

TChartCustomShapeBrushPen::TChartCustomShapeBrushPen(std::function<void()> onChange)
    : m_onChange(std::move(onChange)), m_brush(m_onChange), m_pen(m_onChange) {}

TChartCustomShape::TChartCustomShape(std::function<void()> onChange)
    : TChartCustomShapeBrushPen(onChange), m_shadow(onChange), m_font(onChange) {}

TChartGradient& TChartCustomShape::Gradient() {
    if (!m_gradient) {
        m_gradient = std::make_unique<TChartGradient>(ChangeCallback());
    }
    return *m_gradient;
}

void TChartCustomShapePosition::SetLeft(int value) {
    SetCustomPosition(true);
    Store(m_left, value);
}

void TChartCustomShapePosition::SetTop(int value) {
    SetCustomPosition(true);
    Store(m_top, value);
}

} // namespace mouldview::chart
