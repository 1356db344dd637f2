// Size, the window bitmap and the paint/invalidate protocol of the platform-neutral panel.
#include "chart/panel/PanelControl.h"

#include <algorithm>

namespace mouldview::chart {

TPanelControl::TPanelControl(int width, int height)
    : m_width(std::max(0, width)), m_height(std::max(0, height)), m_ownBitmap(m_width, m_height) {}

void TPanelControl::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height) {
        return;
    }
    m_width = width;
    m_height = height;
    m_windowBitmap->Resize(width, height);
    WindowPositionChanged();
}

void TPanelControl::UseWindowBitmap(raster::Bitmap* bitmap) {
    m_windowBitmap = bitmap != nullptr ? bitmap : &m_ownBitmap;
    // While the window's bitmap is in use, the control's own holds nothing.
    m_ownBitmap.Resize(bitmap != nullptr ? 0 : m_width, bitmap != nullptr ? 0 : m_height);
    m_windowBitmap->Resize(m_width, m_height);
    WindowBitmapChanged();
}

void TPanelControl::Invalidate() {
    m_paintPending = true;
    if (m_onInvalidate) {
        m_onInvalidate();
    }
}

void TPanelControl::HandlePaint() {
    m_paintPending = false;
    Paint();
}

} // namespace mouldview::chart
