// Size, panel settings and the paint/erase/invalidate protocol of the platform-neutral panel.
#include "chart/panel/PanelControl.h"

#include <algorithm>

namespace mouldview::chart {

TPanelControl::TPanelControl(int width, int height)
    : m_width(std::max(0, width)), m_height(std::max(0, height)), m_window(m_width, m_height) {}

void TPanelControl::SetSize(int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (width == m_width && height == m_height) {
        return;
    }
    m_width = width;
    m_height = height;
    m_window.Resize(width, height);
    WindowPositionChanged();
}

void TPanelControl::SetColor(TColor value) {
    Store(m_color, value);
}

void TPanelControl::SetBevelOuter(TPanelBevel value) {
    Store(m_bevelOuter, value);
}

void TPanelControl::SetBevelInner(TPanelBevel value) {
    Store(m_bevelInner, value);
}

void TPanelControl::SetBevelWidth(int value) {
    Store(m_bevelWidth, std::max(1, value));
}

void TPanelControl::SetBorderWidth(int value) {
    Store(m_borderWidth, std::max(0, value));
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

void TPanelControl::Update() {
    if (!m_paintPending) {
        return;
    }
    if (m_onUpdate) {
        m_onUpdate();
    } else {
        HandlePaint();
    }
}

void TPanelControl::Paint() {
    TCanvas& canvas = WindowCanvas();
    canvas.Brush().SetColor(m_color);
    canvas.Brush().SetStyle(bsSolid);
    canvas.RealizeBrush();
    canvas.Handle().FillRect(raster::Rect{0, 0, m_width, m_height});
}

} // namespace mouldview::chart
