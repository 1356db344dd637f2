// The framework font's setters and the point/pixel conversion.
#include "chart/canvas/Font.h"

#include <cstdint>
#include <cstdlib>

namespace mouldview::chart {

int MulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = (std::llabs(product) + std::llabs(c) / 2) / std::llabs(c);
    const bool negative = (product < 0) != (c < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

TFont::TFont(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void TFont::SetName(const std::string& value) {
    if (value != m_name) {
        m_name = value;
        Changed();
    }
}

void TFont::SetHeight(int value) {
    if (value != m_height) {
        m_height = value;
        Changed();
    }
}

int TFont::Size() const {
    return -MulDiv(m_height, 72, m_pixelsPerInch);
}

void TFont::SetSize(int value) {
    SetHeight(-MulDiv(value, m_pixelsPerInch, 72));
}

void TFont::SetColor(TColor value) {
    if (value != m_color) {
        m_color = value;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles value) {
    if (value != m_style) {
        m_style = value;
        Changed();
    }
}

void TFont::SetCharset(int value) {
    if (value != m_charset) {
        m_charset = value;
        Changed();
    }
}

void TFont::SetOrientation(int value) {
    if (value != m_orientation) {
        m_orientation = value;
        Changed();
    }
}

void TFont::SetPixelsPerInch(int value) {
    if (value != m_pixelsPerInch && value > 0) {
        m_pixelsPerInch = value;
        Changed();
    }
}

void TFont::Assign(const TFont& source) {
    if (&source == this) {
        return;
    }
    const bool differs = source.m_name != m_name || source.m_height != m_height ||
                         source.m_color != m_color || source.m_style != m_style ||
                         source.m_charset != m_charset || source.m_orientation != m_orientation ||
                         source.m_pixelsPerInch != m_pixelsPerInch;
    m_name = source.m_name;
    m_height = source.m_height;
    m_color = source.m_color;
    m_style = source.m_style;
    m_charset = source.m_charset;
    m_orientation = source.m_orientation;
    m_pixelsPerInch = source.m_pixelsPerInch;
    if (differs) {
        Changed();
    }
}

void TFont::Changed() const {
    if (m_onChange) {
        m_onChange();
    }
}

} // namespace mouldview::chart
