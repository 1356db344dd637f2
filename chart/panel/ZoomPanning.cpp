// Drag corners.
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

} // namespace mouldview::chart
