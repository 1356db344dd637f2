// Drag corners, and the zoom settings with their lazily created band pen and brush.
#include "chart/panel/ZoomPanning.h"

#include <utility>

namespace mouldview::chart {

void TZoomPanning::BeginDrag(int x, int y) {
    m_startX = x;
    m_startY = y;
    m_endX = x;
    m_endY = y;
    m_dragActive = true;
}

void TZoomPanning::NormalizeCorners() {
    if (m_startX > m_endX) {
        std::swap(m_startX, m_endX);
    }
    if (m_startY > m_endY) {
        std::swap(m_startY, m_endY);
    }
}

TChartZoomBrush::TChartZoomBrush(std::function<void()> onChange) {
    SetColor(clWhite);
    SetStyle(bsClear);
    SetOnChange(std::move(onChange));
}

TChartZoom::TChartZoom(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void TChartZoom::Changed() const {
    if (!m_quiet && m_onChange) {
        m_onChange();
    }
}

TChartZoomBrush& TChartZoom::Brush() {
    if (!m_brush) {
        m_brush = std::make_unique<TChartZoomBrush>([this] { Changed(); });
    }
    return *m_brush;
}

void TChartZoom::SetBrush(const TChartBrush* value) {
    if (value == nullptr) {
        m_brush.reset();
    } else if (value != m_brush.get()) {
        Brush().Assign(*value);
    }
    Changed();
}

TChartZoomPen& TChartZoom::Pen() {
    if (!m_pen) {
        m_pen = std::make_unique<TChartZoomPen>([this] { Changed(); });
    }
    return *m_pen;
}

void TChartZoom::SetPen(const TPen* value) {
    if (value == nullptr) {
        m_pen.reset();
    } else if (value != m_pen.get()) {
        Pen().Assign(*value);
    }
    Changed();
}

void TChartZoom::SetBandPenMode(TPenMode mode) {
    m_quiet = true;
    Pen().SetMode(mode);
    m_quiet = false;
}

} // namespace mouldview::chart
