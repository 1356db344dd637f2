// The framework brush's setters: store the value and report the change once.
#include "chart/canvas/Brush.h"

namespace mouldview::chart {

TBrush::TBrush(std::function<void()> onChange) : m_onChange(std::move(onChange)) {}

void TBrush::SetColor(TColor value) {
    if (value != m_color) {
        m_color = value;
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle value) {
    if (value != m_style) {
        m_style = value;
        Changed();
    }
}

void TBrush::SetBitmap(std::shared_ptr<const raster::Bitmap> value) {
    if (value != m_bitmap) {
        m_bitmap = std::move(value);
        Changed();
    }
}

void TBrush::Assign(const TBrush& source) {
    if (&source == this) {
        return;
    }
    const bool differs =
        source.m_color != m_color || source.m_style != m_style || source.m_bitmap != m_bitmap;
    m_color = source.m_color;
    m_style = source.m_style;
    m_bitmap = source.m_bitmap;
    if (differs) {
        Changed();
    }
}

void TBrush::Changed() const {
    if (m_onChange) {
        m_onChange();
    }
}

} // namespace mouldview::chart
