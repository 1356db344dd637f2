// Cosmetic lines: integer stepping along the major axis with an exact, closed-form start inside the
// clip rectangle, so clipped and unclipped lines paint the same pixels where both paint.
//
// Step i (0 <= i < n, n the major length) paints the pixel at major offset i and minor offset
// q(i) = floor((2 i m + n - 1) / (2 n)), m the minor length: the nearest pixel to the exact line,
// a tie going to the smaller offset, i.e. towards the start.
#include "platform/raster/CosmeticLine.h"

#include <algorithm>
#include <cstdlib>

namespace mouldview::raster {
namespace {

std::vector<bool> Expand(std::initializer_list<int> runs) {
    std::vector<bool> pattern;
    bool on = true;
    for (int run : runs) {
        pattern.insert(pattern.end(), static_cast<std::size_t>(std::max(run, 0)), on);
        on = !on;
    }
    return pattern;
}

// End points may lie anywhere in the 32-bit plane, so major lengths reach 2^32 and products of two
// of them need more than 64 bits.
__extension__ typedef __int128 Wide;

Wide CeilDiv(Wide a, Wide b) {
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// The first step whose minor offset reaches k (n when none does).
long long FirstStepReaching(long long k, long long n, long long m) {
    if (k <= 0)
        return 0;
    if (m == 0)
        return n;
    const Wide step = CeilDiv(Wide{2} * n * k - n + 1, Wide{2} * m);
    return step >= n ? n : static_cast<long long>(step);
}

template <bool Patterned, bool Copy>
void Step(Pixel* p, std::ptrdiff_t majorStep, std::ptrdiff_t minorStep, long long count, long long r,
          long long twoM, long long twoN, const CosmeticPaint& paint, std::size_t patternPos) {
    const std::size_t period = paint.onPattern.size();
    for (long long i = 0; i < count; ++i) {
        if constexpr (Patterned) {
            if (paint.onPattern[patternPos])
                *p = Copy ? paint.pen.xorMask : paint.pen.Apply(*p);
            else if (paint.paintGaps)
                *p = paint.gap.Apply(*p);
            if (++patternPos == period)
                patternPos = 0;
        } else {
            *p = Copy ? paint.pen.xorMask : paint.pen.Apply(*p);
        }
        p += majorStep;
        r += twoM;
        if (r >= twoN) {
            r -= twoN;
            p += minorStep;
        }
    }
}

// A solid line in a copy mode whose two ends lie inside the clip: every step is inside, step 0
// has offset 0 and remainder n - 1, so the line is DrawCosmeticLine's stepping without the entry
// computation or the call.
inline long long StepSolidInside(Bitmap& target, const Point& a, const Point& b, Pixel color) {
    const int dx = b.x - a.x;
    const int dy = b.y - a.y;
    const int adx = dx < 0 ? -dx : dx;
    const int ady = dy < 0 ? -dy : dy;
    const bool xMajor = adx >= ady;
    const int n = xMajor ? adx : ady;
    const int m = xMajor ? ady : adx;
    const std::ptrdiff_t stride = target.Stride();
    const std::ptrdiff_t xStep = dx > 0 ? 1 : -1;
    const std::ptrdiff_t yStep = dy > 0 ? stride : -stride;
    // The minor direction of a line with no minor extent never matters; DrawCosmeticLine takes +1.
    const std::ptrdiff_t majorStep = xMajor ? xStep : yStep;
    const std::ptrdiff_t minorStep = xMajor ? (dy >= 0 ? stride : -stride) : (dx >= 0 ? 1 : -1);
    Pixel* p = target.Row(a.y) + a.x;
    const long long twoN = 2LL * n;
    const long long twoM = 2LL * m;
    long long r = n - 1;
    for (int i = 0; i < n; ++i) {
        *p = color;
        p += majorStep;
        r += twoM;
        if (r >= twoN) {
            r -= twoN;
            p += minorStep;
        }
    }
    return n;
}

} // namespace

std::vector<bool> CosmeticPattern(const Pen& pen) {
    switch (pen.style) {
    case PenStyle::Dash:
        return Expand({18, 6});
    case PenStyle::Dot:
        return Expand({3, 3});
    case PenStyle::DashDot:
        return Expand({9, 6, 3, 6});
    case PenStyle::DashDotDot:
        return Expand({9, 3, 3, 3, 3, 3});
    case PenStyle::Alternate:
        return Expand({1, 1});
    case PenStyle::UserStyle: {
        std::vector<bool> pattern;
        bool on = true;
        for (int run : pen.userDashes) {
            pattern.insert(pattern.end(), static_cast<std::size_t>(std::max(run, 0)), on);
            on = !on;
        }
        // An odd number of runs repeats with the roles swapped, as the pattern alternates on/off.
        if (pen.userDashes.size() % 2 == 1) {
            const std::size_t half = pattern.size();
            for (std::size_t i = 0; i < half; ++i)
                pattern.push_back(!pattern[i]);
        }
        if (std::find(pattern.begin(), pattern.end(), false) == pattern.end())
            return {};
        return pattern;
    }
    default:
        return {};
    }
}

long long DrawCosmeticLine(Bitmap& target, const Rect& clip, long long x0, long long y0, long long x1,
                           long long y1, const CosmeticPaint& paint, long long patternStart) {
    const long long dx = x1 - x0;
    const long long dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long n = xMajor ? std::llabs(dx) : std::llabs(dy);
    const long long m = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (n == 0 || clip.IsEmpty())
        return n;
    const long long major0 = xMajor ? x0 : y0;
    const long long minor0 = xMajor ? y0 : x0;
    const int majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorSign = (xMajor ? dy : dx) >= 0 ? 1 : -1;

    // Steps [first, last) lie in the clip; step `first` has minor offset q and remainder r.
    long long first = 0;
    long long last = n;
    long long q = 0;
    long long r = n - 1;
    const long long twoN = 2 * n;
    const long long twoM = 2 * m;
    const auto inside = [&clip](long long x, long long y) {
        return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
    };
    // With both ends inside the clip rectangle so is every step, and step 0 has offset 0 and
    // remainder n - 1: the closed-form entry, with its 128-bit products, is only for clipped lines.
    if (!inside(x0, y0) || !inside(x1, y1)) {
        const long long clipMajorLo = xMajor ? clip.left : clip.top;
        const long long clipMajorHi = xMajor ? clip.right : clip.bottom;
        const long long clipMinorLo = xMajor ? clip.top : clip.left;
        const long long clipMinorHi = xMajor ? clip.bottom : clip.right;
        // Steps whose major coordinate lies in the clip.
        first = majorSign > 0 ? clipMajorLo - major0 : major0 - clipMajorHi + 1;
        last = majorSign > 0 ? clipMajorHi - major0 : major0 - clipMajorLo + 1;
        // Steps whose minor offset lies in the clip; the offset never decreases along the line.
        const long long offsetLo = minorSign > 0 ? clipMinorLo - minor0 : minor0 - clipMinorHi + 1;
        const long long offsetHi = minorSign > 0 ? clipMinorHi - minor0 : minor0 - clipMinorLo + 1;
        first = std::max({first, 0LL, FirstStepReaching(offsetLo, n, m)});
        last = std::min({last, n, FirstStepReaching(offsetHi, n, m)});
        if (offsetHi <= 0 || first >= last)
            return n;
        const Wide numerator = Wide{twoM} * first + n - 1;
        q = static_cast<long long>(numerator / twoN);
        r = static_cast<long long>(numerator % twoN);
    }

    const long long major = major0 + majorSign * first;
    const long long minor = minor0 + minorSign * q;
    const long long x = xMajor ? major : minor;
    const long long y = xMajor ? minor : major;
    Pixel* p = target.Row(static_cast<int>(y)) + x;
    const std::ptrdiff_t stride = target.Stride();
    const std::ptrdiff_t majorStep = xMajor ? majorSign : majorSign * stride;
    const std::ptrdiff_t minorStep = xMajor ? minorSign * stride : minorSign;
    const long long count = last - first;

    if (paint.onPattern.empty()) {
        if (paint.pen.IsNop())
            return n;
        if (paint.pen.IsCopy())
            Step<false, true>(p, majorStep, minorStep, count, r, twoM, twoN, paint, 0);
        else
            Step<false, false>(p, majorStep, minorStep, count, r, twoM, twoN, paint, 0);
        return n;
    }
    const long long period = static_cast<long long>(paint.onPattern.size());
    const auto patternPos = static_cast<std::size_t>((((patternStart + first) % period) + period) % period);
    if (paint.pen.IsCopy())
        Step<true, true>(p, majorStep, minorStep, count, r, twoM, twoN, paint, patternPos);
    else
        Step<true, false>(p, majorStep, minorStep, count, r, twoM, twoN, paint, patternPos);
    return n;
}

long long DrawCosmeticPolyline(Bitmap& target, const Rect& clip, std::span<const Point> points, bool closed,
                               const CosmeticPaint& paint, long long patternStart) {
    long long position = patternStart;
    if (points.size() < 2)
        return 0;
    const bool solidCopy = paint.onPattern.empty() && paint.pen.IsCopy();
    const std::size_t count = closed ? points.size() : points.size() - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const Point& a = points[i];
        const Point& b = i + 1 < points.size() ? points[i + 1] : points[0];
        if (solidCopy && clip.Contains(a.x, a.y) && clip.Contains(b.x, b.y))
            position += StepSolidInside(target, a, b, paint.pen.xorMask);
        else
            position += DrawCosmeticLine(target, clip, a.x, a.y, b.x, b.y, paint, position);
    }
    return position - patternStart;
}

} // namespace mouldview::raster
