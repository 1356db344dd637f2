// What the chart's mouse handling works with besides the drag states: the part of the chart under a
// press, the saved axis scales that one undo restores, and the signatures of the mouse, zoom,
// scroll and click events.
#pragma once

#include "chart/panel/ZoomPanning.h"

#include <functional>

namespace mouldview::chart {

class TChartAxis;
class TChartSeries;
class TChartTitle;

enum TChartClickedPartStyle { cpNone, cpLegend, cpAxis, cpSeries, cpTitle, cpChartRect };

// The part of the chart at a point, as the last paint laid it out.
struct TChartClickedPart {
    TChartClickedPartStyle Part = cpNone;
    TChartAxis* Axis = nullptr;
    TChartSeries* ASeries = nullptr;
    // The point of ASeries under the pointer.
    int PointIndex = -1;
    // One of `Title`, `SubTitle`, `Foot`, `SubFoot`.
    TChartTitle* Title = nullptr;
};

// The scale of one axis as it was before the first zoom or pan since the last undo.
struct TAxisScale {
    bool Automatic = true;
    bool AutomaticMinimum = true;
    bool AutomaticMaximum = true;
    double Minimum = 0;
    double Maximum = 0;
};

// The moments at which the chart's tools hear of the mouse (no tools exist in this program).
enum TChartMouseAction { cmaDown, cmaMove, cmaUp, cmaLeave };

using TMouseEvent = std::function<void(TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TShiftState shift, int x, int y)>;
// down: a notch towards the user. Setting handled stops the chart's own scrolling for this notch.
using TMouseWheelEvent = std::function<void(bool down, TShiftState shift, int x, int y, bool& handled)>;
// May change the new ends of a pan step on `axis`, or veto it.
using TAllowScrollEvent =
    std::function<void(TChartAxis& axis, double& newMinimum, double& newMaximum, bool& allow)>;
using TClickAxisEvent =
    std::function<void(TChartAxis& axis, TMouseButton button, TShiftState shift, int x, int y)>;
using TClickSeriesEvent = std::function<void(TChartSeries& series, int pointIndex, TMouseButton button,
                                             TShiftState shift, int x, int y)>;
using TClickTitleEvent =
    std::function<void(TChartTitle& title, TMouseButton button, TShiftState shift, int x, int y)>;

} // namespace mouldview::chart
