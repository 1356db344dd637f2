// Integer pixel geometry shared by the raster layer: points, sizes and half-open rectangles.
#pragma once

#include <algorithm>

namespace mouldview::raster {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle of pixels left..right-1 by top..bottom-1: right and bottom are exclusive, so the
// width is right - left. A rectangle whose right <= left or bottom <= top holds no pixel.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The pixels both rectangles hold; an empty result is normalised to a zero-size rectangle so that
// further intersections stay empty.
inline Rect Intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.IsEmpty())
        return Rect{r.left, r.top, r.left, r.top};
    return r;
}

} // namespace mouldview::raster
