// The framework pen's setters: store the value and report the change once.
#include "chart/canvas/Pen.h"

namespace mouldview::chart {

TPen::TPen(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void TPen::SetColor(TColor value) {
    if (value != m_color) {
        m_color = value;
        Changed();
    }
}

void TPen::SetWidth(int value) {
    if (value != m_width) {
        m_width = value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle value) {
    if (value != m_style) {
        m_style = value;
        Changed();
    }
}

void TPen::SetMode(TPenMode value) {
    if (value != m_mode) {
        m_mode = value;
        Changed();
    }
}

void TPen::Assign(const TPen& source) {
    if (&source == this) {
        return;
    }
    const bool differs = source.m_color != m_color || source.m_width != m_width ||
                         source.m_style != m_style || source.m_mode != m_mode;
    m_color = source.m_color;
    m_width = source.m_width;
    m_style = source.m_style;
    m_mode = source.m_mode;
    if (differs) {
        Changed();
    }
}

void TPen::Changed() const {
    if (m_onChange) {
        m_onChange();
    }
}

} // namespace mouldview::chart
