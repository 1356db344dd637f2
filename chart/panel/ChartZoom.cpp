// Zooming and panning change axis ranges only through the axes' own operations: a zoom sets the
// four standard axes to the values under the band, a pan step shifts every axis of one orientation
// by the values between two pixels, and one undo puts back the scales saved before the first zoom
// or pan since the last undo. Every change ends in a repaint of the whole chart.
#include "chart/panel/CustomChart.h"

namespace mouldview::chart {

namespace {

// Each step of an animated zoom covers this fraction of the remaining distance (one third).
constexpr double AnimatedZoomFactor = 3.0;

} // namespace

void TCustomChart::SaveAxisScales() {
    m_savedAxisScales.assign(static_cast<std::size_t>(Axes().Count()), TAxisScale{});
    for (int k = 0; k < Axes().Count(); ++k) {
        const TChartAxis& axis = Axes()[k];
        if (axis.IsDepthAxis()) {
            continue;
        }
        m_savedAxisScales[static_cast<std::size_t>(k)] =
            TAxisScale{axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
                       axis.Maximum()};
    }
}

void TCustomChart::ZoomToBand() {
    TChartZoom& zoom = Zoom();
    zoom.NormalizeCorners();
    const TChartAxis& left = *LeftAxis();
    const TChartAxis& right = *RightAxis();
    const TChartAxis& top = *TopAxis();
    const TChartAxis& bottom = *BottomAxis();
    // Pixels grow downwards, so the band's lower edge gives the vertical axes' low value.
    ApplyZoom(left.PixelToValue(zoom.EndY()), left.PixelToValue(zoom.StartY()),
              right.PixelToValue(zoom.EndY()), right.PixelToValue(zoom.StartY()),
              top.PixelToValue(zoom.StartX()), top.PixelToValue(zoom.EndX()),
              bottom.PixelToValue(zoom.StartX()), bottom.PixelToValue(zoom.EndX()));
}

void TCustomChart::ApplyZoom(double leftMin, double leftMax, double rightMin, double rightMax, double topMin,
                             double topMax, double bottomMin, double bottomMax) {
    if (m_scalesRestored) {
        SaveAxisScales();
        m_scalesRestored = false;
    }
    struct Target {
        TChartAxis* Axis;
        double Low;
        double High;
    };
    const Target targets[] = {{LeftAxis(), leftMin, leftMax},
                              {RightAxis(), rightMin, rightMax},
                              {TopAxis(), topMin, topMax},
                              {BottomAxis(), bottomMin, bottomMax}};
    const TChartZoom& zoom = Zoom();
    if (zoom.Animated()) {
        for (int step = 1; step < zoom.AnimatedSteps(); ++step) {
            for (const Target& t : targets) {
                const double m = t.Axis->Minimum();
                const double M = t.Axis->Maximum();
                t.Axis->SetAxisRange(m + (t.Low - m) / AnimatedZoomFactor,
                                     M - (M - t.High) / AnimatedZoomFactor);
            }
            Repaint();
        }
    }
    for (const Target& t : targets) {
        t.Axis->SetAxisRange(t.Low, t.High);
    }
    if (OnZoom) {
        OnZoom();
    }
}

void TCustomChart::UndoZoom() {
    if (!m_scalesRestored) {
        for (int k = 0; k < Axes().Count(); ++k) {
            TChartAxis& axis = Axes()[k];
            if (axis.IsDepthAxis() || static_cast<std::size_t>(k) >= m_savedAxisScales.size()) {
                continue;
            }
            // The flags go back through their setters, in this order, which rebuilds combinations
            // such as (false, false, true) exactly; the ends are stored as they were.
            const TAxisScale& saved = m_savedAxisScales[static_cast<std::size_t>(k)];
            axis.SetAutomatic(saved.Automatic);
            axis.SetAutomaticMinimum(saved.AutomaticMinimum);
            axis.SetAutomaticMaximum(saved.AutomaticMaximum);
            axis.RestoreRange(saved.Minimum, saved.Maximum);
        }
        m_savedAxisScales.clear();
        m_scalesRestored = true;
    }
    if (OnUndoZoom) {
        OnUndoZoom();
    }
    RequestRepaint();
}

bool TCustomChart::PanStep(bool horizontal, int p, int q) {
    if (q == p) {
        return false;
    }
    const TPanningMode mode = AllowPanning();
    if (mode == pmBoth || mode == (horizontal ? pmHorizontal : pmVertical)) {
        for (int k = 0; k < Axes().Count(); ++k) {
            TChartAxis& axis = Axes()[k];
            if (axis.IsDepthAxis() || axis.Horizontal() != horizontal) {
                continue;
            }
            // Both pixels are read with the last paint's mapping, so the steps of one drag add up
            // to the values between the press and the pointer.
            const double delta = axis.PixelToValue(p) - axis.PixelToValue(q);
            double newMinimum = axis.Minimum() + delta;
            double newMaximum = axis.Maximum() + delta;
            bool allow = true;
            if (OnAllowScroll) {
                OnAllowScroll(axis, newMinimum, newMaximum, allow);
            }
            if (allow) {
                axis.SetAxisRange(newMinimum, newMaximum);
            }
        }
    }
    return true;
}

} // namespace mouldview::chart
