// Colour values as the chart stores them: 32 bits, red in the low byte, with the two special values
// for "no colour" and "not set".
#pragma once

#include <cstdint>

namespace mouldview::chart {

using TColor = std::uint32_t;

inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

} // namespace mouldview::chart
