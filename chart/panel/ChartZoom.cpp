// Zooming and panning change axis ranges only through the axes' own operations: a zoom sets both
// axes to the values under the band, a pan step shifts an axis by the values between two pixels,
// and one undo puts back the scales saved before the first zoom or pan since the last undo. Every
// change ends in a repaint of the whole chart.
#include "chart/panel/Chart.h"

namespace mouldview::chart {

namespace {

TAxisScale ScaleOf(const TChartAxis& axis) {
    return TAxisScale{axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
                      axis.Maximum()};
}

void Restore(TChartAxis& axis, const TAxisScale& saved) {
    // The flags go back through their setters, in this order, which rebuilds combinations such as
    // (false, false, true) exactly; the ends are stored as they were.
    axis.SetAutomatic(saved.Automatic);
    axis.SetAutomaticMinimum(saved.AutomaticMinimum);
    axis.SetAutomaticMaximum(saved.AutomaticMaximum);
    axis.RestoreRange(saved.Minimum, saved.Maximum);
}

} // namespace

void TChart::SaveAxisScales() {
    if (!m_savedScales) {
        m_savedScales = {ScaleOf(m_bottomAxis), ScaleOf(m_leftAxis)};
    }
}

void TChart::ZoomToBand() {
    m_zoom.NormalizeCorners();
    // Pixels grow downwards, so the band's lower edge gives the left axis' low value.
    const double leftMin = m_leftAxis.PixelToValue(m_zoom.EndY());
    const double leftMax = m_leftAxis.PixelToValue(m_zoom.StartY());
    const double bottomMin = m_bottomAxis.PixelToValue(m_zoom.StartX());
    const double bottomMax = m_bottomAxis.PixelToValue(m_zoom.EndX());
    SaveAxisScales();
    m_leftAxis.SetAxisRange(leftMin, leftMax);
    m_bottomAxis.SetAxisRange(bottomMin, bottomMax);
}

void TChart::UndoZoom() {
    if (m_savedScales) {
        Restore(m_bottomAxis, (*m_savedScales)[0]);
        Restore(m_leftAxis, (*m_savedScales)[1]);
        m_savedScales.reset();
    }
    RequestRepaint();
}

void TChart::PanStep(TChartAxis& axis, int p, int q) {
    if (q == p) {
        return;
    }
    // Both pixels are read with the last paint's mapping, so the steps of one drag add up to the
    // values between the press and the pointer.
    const double delta = axis.PixelToValue(p) - axis.PixelToValue(q);
    axis.SetAxisRange(axis.Minimum() + delta, axis.Maximum() + delta);
}

} // namespace mouldview::chart
