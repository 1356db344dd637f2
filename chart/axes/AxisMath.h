// Rounding and step arithmetic shared by axis scaling and labelling.
#pragma once

namespace mouldview::chart {

// Rounds to the nearest integer, halves to the even neighbour, saturating at the int range
// (NaN gives 0).
int RoundHalfEven(double value);

// The next step of the 1-2-5 sequence above x: 1 -> 2, 1.5 -> 2, 2 -> 5, 5 -> 10, 0.5 -> 1,
// 14.2 -> 20. Decades are scaled in extended precision and the result rounded once to a double,
// so steps such as 20 or 1 come out exact. An infinite x gives 1. The result always exceeds a
// finite positive x.
double NextNiceStep(double x);

} // namespace mouldview::chart
