// Integer window-pixel geometry shared by the chart engine: x to the right, y downwards.
#pragma once

namespace mouldview::chart {

struct TPoint {
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle in pixels. Fills cover Left..Right-1 and Top..Bottom-1; what outlines cover is said at
// each drawing operation.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }

    friend bool operator==(const TRect&, const TRect&) = default;
};

} // namespace mouldview::chart
