// Half-even rounding and the 1-2-5 step sequence.
#include "chart/axes/AxisMath.h"

#include <climits>
#include <cmath>

namespace mouldview::chart {

int RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless someone changed it.
    const double rounded = std::nearbyint(value);
    if (rounded >= static_cast<double>(INT_MAX)) {
        return INT_MAX;
    }
    if (rounded <= static_cast<double>(INT_MIN)) {
        return INT_MIN;
    }
    return static_cast<int>(rounded);
}

namespace {

long double NextNiceStepExtended(long double x) {
    if (std::isinf(x)) {
        return 1.0L;
    }
    if (x >= 10.0L) {
        return NextNiceStepExtended(x * 0.1L) * 10.0L;
    }
    // Zero and negative steps never occur (increments are positive); they would never reach the
    // 1..10 decade, so they are answered like infinity rather than looping.
    if (!(x > 0.0L)) {
        return 1.0L;
    }
    if (x < 1.0L) {
        return NextNiceStepExtended(x * 10.0L) * 0.1L;
    }
    if (x < 2.0L) {
        return 2.0L;
    }
    if (x < 5.0L) {
        return 5.0L;
    }
    return 10.0L;
}

} // namespace

double NextNiceStep(double x) {
    const double next = static_cast<double>(NextNiceStepExtended(x));
    // A step that is a nice value only up to binary rounding (the double nearest 1e-11 lies just
    // below it) would map onto itself, and callers stepping up until labels fit would never
    // finish; such a step is taken as the nice value it stands for.
    if (next <= x && std::isfinite(x) && x > 0) {
        return static_cast<double>(NextNiceStepExtended(static_cast<long double>(x) * (1.0L + 1e-9L)));
    }
    return next;
}

} // namespace mouldview::chart
