// The mouse state of the panel: the zoom settings ask for a paint when the band's look changes, and
// cursor requests reach the window layer.
#include "chart/panel/CustomChartPanel.h"

namespace mouldview::chart {

TCustomChartPanelExtended::TCustomChartPanelExtended() : m_zoom([this] { RequestRepaint(); }) {
    m_initialCursor = m_cursor;
}

void TCustomChartPanelExtended::SetCursor(TCursor value) {
    if (m_cursor == value) {
        return;
    }
    m_cursor = value;
    if (m_onCursorChange) {
        m_onCursorChange(value);
    }
}

} // namespace mouldview::chart
