// The base of the boxes a chart draws around text and areas (titles, walls): a pen and a brush, a
// fill colour with transparency, a bevel, a shadow and a font, and the rectangle the box took at the
// last paint. Every setter that changes a value calls the owner's change callback.
#pragma once

#include "chart/canvas/ChartBrush.h"
#include "chart/canvas/ChartFont.h"
#include "chart/canvas/ChartGradient.h"
#include "chart/canvas/ChartPen.h"
#include "chart/canvas/ChartShadow.h"
#include "chart/canvas/Geometry.h"
#include "chart/panel/PanelControl.h"

#include <functional>
#include <memory>

namespace mouldview::chart {

class TChartCustomShapeBrushPen {
public:
    explicit TChartCustomShapeBrushPen(std::function<void()> onChange);
    TChartCustomShapeBrushPen(const TChartCustomShapeBrushPen&) = delete;
    TChartCustomShapeBrushPen& operator=(const TChartCustomShapeBrushPen&) = delete;
    virtual ~TChartCustomShapeBrushPen() = default;

    TChartBrush& Brush() { return m_brush; }
    // The outline pen (a title's `Frame`, a wall's `Pen`).
    TChartPen& Pen() { return m_pen; }
    const TChartPen& Pen() const { return m_pen; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { Store(m_visible, value); }

protected:
    void Changed() const {
        if (m_onChange) {
            m_onChange();
        }
    }
    template <typename T> void Store(T& field, T value) {
        if (field != value) {
            field = value;
            Changed();
        }
    }
    const std::function<void()>& ChangeCallback() const { return m_onChange; }

private:
    std::function<void()> m_onChange;
    TChartBrush m_brush;
    TChartPen m_pen;
    bool m_visible = true;
};

class TChartCustomShape : public TChartCustomShapeBrushPen {
public:
    explicit TChartCustomShape(std::function<void()> onChange);

    TColor Color() const { return m_color; }
    void SetColor(TColor value) { Store(m_color, value); }
    // A transparent shape draws no box, only its content.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { Store(m_transparent, value); }
    // Percent of what lies under the box that shows through its fill.
    int Transparency() const { return m_transparency; }
    void SetTransparency(int value) { Store(m_transparency, value); }
    TPanelBevel Bevel() const { return m_bevel; }
    void SetBevel(TPanelBevel value) { Store(m_bevel, value); }
    int BevelWidth() const { return m_bevelWidth; }
    void SetBevelWidth(int value) { Store(m_bevelWidth, value); }
    TChartShadow& Shadow() { return m_shadow; }
    const TChartShadow& Shadow() const { return m_shadow; }
    TChartFont& Font() { return m_font; }
    // Created on first access, invisible.
    TChartGradient& Gradient();
    const TChartGradient* GradientIfCreated() const { return m_gradient.get(); }

    // The rectangle the shape occupied at the last paint.
    const TRect& ShapeBounds() const { return m_shapeBounds; }
    void SetShapeBounds(const TRect& rect) { m_shapeBounds = rect; }

private:
    TColor m_color = clWhite;
    bool m_transparent = false;
    int m_transparency = 0;
    TPanelBevel m_bevel = bvNone;
    int m_bevelWidth = 2;
    TChartShadow m_shadow;
    TChartFont m_font;
    std::unique_ptr<TChartGradient> m_gradient;
    TRect m_shapeBounds;
};

// A shape the user may place anywhere: with CustomPosition its Left and Top are kept.
class TChartCustomShapePosition : public TChartCustomShape {
public:
    using TChartCustomShape::TChartCustomShape;

    bool CustomPosition() const { return m_customPosition; }
    void SetCustomPosition(bool value) { Store(m_customPosition, value); }
    int Left() const { return m_left; }
    void SetLeft(int value);
    int Top() const { return m_top; }
    void SetTop(int value);

private:
    bool m_customPosition = false;
    int m_left = 0;
    int m_top = 0;
};

} // namespace mouldview::chart
