// The framework pen: colour, width, line style and raster mode of strokes. Every setter that changes
// a value calls the change callback, so an owner (a chart element, or a canvas that realises the pen
// on the platform) learns of it.
#pragma once

#include "chart/canvas/ChartColors.h"

#include <functional>

namespace mouldview::chart {

// The values are the platform's pen style numbers.
enum TPenStyle {
    psSolid = 0,
    psDash = 1,
    psDot = 2,
    psDashDot = 3,
    psDashDotDot = 4,
    psClear = 5,
    psInsideFrame = 6,
    psUserStyle = 7,
    psAlternate = 8
};

// Raster operations of strokes and fills, in the framework's order.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen {
public:
    explicit TPen(std::function<void()> onChange = {});
    TPen(const TPen&) = delete;
    TPen& operator=(const TPen&) = delete;
    virtual ~TPen() = default;

    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    int Width() const { return m_width; }
    void SetWidth(int value);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle value);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode value);

    // Copies the framework fields (and, in subclasses, their own fields) from another pen.
    virtual void Assign(const TPen& source);

    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

protected:
    void Changed() const;

private:
    TColor m_color = clBlack;
    int m_width = 1;
    TPenStyle m_style = psSolid;
    TPenMode m_mode = pmCopy;
    std::function<void()> m_onChange;
};

} // namespace mouldview::chart
