// The geometric stroker. Pieces: a rectangle around each segment (half the width on either side),
// square caps by lengthening the end segments by half the width, round caps and joins as the
// platform's elliptic blob, bevel joins as the triangle that closes the outer corner, miter joins
// as the quadrilateral up to the tip (a bevel when the tip exceeds the miter limit of 10 widths).
#include "platform/raster/Stroker.h"

#include "platform/raster/ScanConverter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace mouldview::raster {
namespace {

constexpr double miterLimit = 10.0;

struct Vec {
    double x;
    double y;
};

Vec Sub(PointF a, PointF b) {
    return Vec{a.x - b.x, a.y - b.y};
}
double Length(Vec v) {
    return std::hypot(v.x, v.y);
}
Vec Unit(Vec v) {
    const double length = Length(v);
    return length > 0 ? Vec{v.x / length, v.y / length} : Vec{1, 0};
}
PointF Offset(PointF p, Vec v, double k) {
    return PointF{p.x + v.x * k, p.y + v.y * k};
}
Vec Normal(Vec d) {
    return Vec{-d.y, d.x};
}

// Nearest whole pixel; points beyond 2^30 are held there, far outside any bitmap, so that the
// conversion and the blob arithmetic stay within range.
int RoundToInt(double v) {
    constexpr double limit = 1 << 30;
    return static_cast<int>(std::clamp(std::floor(v + 0.5), -limit, limit));
}

// A stretch of the path that is painted: its points and the unit direction of the path where it
// starts (which orients the square cap of a stretch without length).
struct Dash {
    std::vector<PointF> points;
    Vec direction;
    bool closed = false;
};

class PieceWriter {
public:
    PieceWriter(const Pen& pen, int rowLo, int rowHi, SpanSet& out)
        : m_pen(pen), m_half(pen.width / 2.0), m_rowLo(rowLo), m_rowHi(rowHi), m_out(out) {}

    void Write(const Dash& dash) {
        std::vector<PointF> points;
        for (const PointF& p : dash.points)
            if (points.empty() || p.x != points.back().x || p.y != points.back().y)
                points.push_back(p);
        if (dash.closed && points.size() > 1 && points.front().x == points.back().x &&
            points.front().y == points.back().y)
            points.pop_back();
        if (points.size() == 1) {
            Dot(points[0], dash.direction);
            return;
        }
        const std::size_t segments = dash.closed ? points.size() : points.size() - 1;
        for (std::size_t i = 0; i < segments; ++i) {
            PointF a = points[i];
            PointF b = points[(i + 1) % points.size()];
            const Vec d = Unit(Sub(b, a));
            if (!dash.closed && m_pen.endCap == EndCap::Square) {
                if (i == 0)
                    a = Offset(a, d, -m_half);
                if (i + 1 == segments)
                    b = Offset(b, d, m_half);
            }
            Body(a, b, d);
        }
        const std::size_t firstJoin = dash.closed ? 0 : 1;
        const std::size_t lastJoin = dash.closed ? points.size() : points.size() - 1;
        for (std::size_t i = firstJoin; i < lastJoin; ++i) {
            const PointF& before = points[(i + points.size() - 1) % points.size()];
            const PointF& at = points[i];
            const PointF& after = points[(i + 1) % points.size()];
            Join(at, Unit(Sub(at, before)), Unit(Sub(after, at)));
        }
        if (!dash.closed && m_pen.endCap == EndCap::Round) {
            Blob(points.front());
            Blob(points.back());
        }
    }

private:
    void Polygon(std::initializer_list<PointF> corners) {
        ScanConvex(std::span<const PointF>(corners.begin(), corners.size()), m_rowLo, m_rowHi, m_out);
    }

    void Body(PointF a, PointF b, Vec d) {
        const Vec n = Normal(d);
        Polygon({Offset(a, n, m_half), Offset(b, n, m_half), Offset(b, n, -m_half), Offset(a, n, -m_half)});
    }

    void Blob(PointF p) {
        AddRoundBlob(RoundToInt(p.x), RoundToInt(p.y), m_pen.width, m_rowLo, m_rowHi, m_out);
    }

    // A dash without length: only its caps show.
    void Dot(PointF p, Vec d) {
        if (m_pen.endCap == EndCap::Round) {
            Blob(p);
        } else if (m_pen.endCap == EndCap::Square) {
            const Vec n = Normal(d);
            const PointF a = Offset(p, d, -m_half);
            const PointF b = Offset(p, d, m_half);
            Polygon(
                {Offset(a, n, m_half), Offset(b, n, m_half), Offset(b, n, -m_half), Offset(a, n, -m_half)});
        }
    }

    void Join(PointF at, Vec in, Vec out) {
        if (m_pen.join == LineJoin::Round) {
            Blob(at);
            return;
        }
        const double cross = in.x * out.y - in.y * out.x;
        const double dot = in.x * out.x + in.y * out.y;
        if (std::fabs(cross) < 1e-12)
            return; // straight on, or turning back, where no corner is left open
        // The outer side of the corner lies away from the direction the path turns to.
        const double side = cross > 0 ? -m_half : m_half;
        const Vec n1 = Normal(in);
        const Vec n2 = Normal(out);
        const PointF a = Offset(at, n1, side);
        const PointF b = Offset(at, n2, side);
        if (m_pen.join == LineJoin::Miter) {
            const double ratio = std::sqrt(2.0 / (1.0 + dot));
            if (ratio <= miterLimit) {
                const Vec bisector{n1.x + n2.x, n1.y + n2.y};
                const PointF tip = Offset(at, bisector, side / (1.0 + dot));
                Polygon({at, a, tip, b});
                return;
            }
        }
        Polygon({at, a, b});
    }

    const Pen& m_pen;
    double m_half;
    int m_rowLo;
    int m_rowHi;
    SpanSet& m_out;
};

// The dash pattern in pixels, painted runs at even positions; empty for a solid stroke.
std::vector<double> DashLengths(const Pen& pen) {
    const double w = pen.width;
    std::vector<double> units;
    switch (pen.style) {
    case PenStyle::Dash:
        units = {3, 1};
        break;
    case PenStyle::Dot:
        units = {1, 1};
        break;
    case PenStyle::DashDot:
        units = {3, 1, 1, 1};
        break;
    case PenStyle::DashDotDot:
        units = {3, 1, 1, 1, 1, 1};
        break;
    case PenStyle::UserStyle: {
        std::vector<double> lengths;
        double total = 0;
        for (int run : pen.userDashes) {
            lengths.push_back(std::max(run, 0));
            total += std::max(run, 0);
        }
        if (lengths.size() % 2 == 1) { // an odd list repeats with on and off swapped
            const std::vector<double> once = lengths;
            lengths.insert(lengths.end(), once.begin(), once.end());
        }
        if (total <= 0)
            return {};
        return lengths;
    }
    default:
        return {};
    }
    std::vector<double> lengths;
    const bool capped = pen.endCap != EndCap::Flat;
    for (std::size_t i = 0; i < units.size(); ++i) {
        double length = units[i] * w;
        // Round and square caps reach half a width beyond each end of a run: shorten the run by a
        // width and lengthen the gap after it to keep the pattern's look and period.
        if (capped)
            length += i % 2 == 0 ? -w : w;
        lengths.push_back(std::max(length, 0.0));
    }
    return lengths;
}

// The part [t0, t1] of segment a-b (t from 0 at a to 1 at b) inside `box`; false when none is.
bool ClipSegment(PointF a, PointF b, const Rect& box, double& t0, double& t1) {
    t0 = 0;
    t1 = 1;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

// Cuts the path into the painted runs of the pattern, measured along the path, and hands each run
// that may show inside `visible` to `emit`. Stretches of the path outside `visible` are skipped
// whole periods at a time, so a far-reaching dotted line costs only what shows of it.
template <typename Emit>
void CutDashes(const std::vector<PointF>& path, const std::vector<double>& pattern, const Rect& visible,
               Emit emit) {
    std::vector<double> distance(path.size(), 0.0);
    for (std::size_t i = 1; i < path.size(); ++i)
        distance[i] = distance[i - 1] + Length(Sub(path[i], path[i - 1]));
    const double total = distance.back();
    if (total <= 0) {
        emit(Dash{{path.front()}, Vec{1, 0}, false});
        return;
    }
    // Distances along the path at which it runs inside the visible box, in path order.
    std::vector<std::pair<double, double>> shown;
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        double t0 = 0;
        double t1 = 0;
        if (!ClipSegment(path[i], path[i + 1], visible, t0, t1))
            continue;
        const double length = distance[i + 1] - distance[i];
        const double from = distance[i] + t0 * length;
        const double to = distance[i] + t1 * length;
        if (!shown.empty() && from <= shown.back().second)
            shown.back().second = std::max(shown.back().second, to);
        else
            shown.emplace_back(from, to);
    }
    auto segmentAt = [&](double s) {
        const auto it = std::upper_bound(distance.begin(), distance.end(), s);
        const auto index = static_cast<std::size_t>(std::max<std::ptrdiff_t>(it - distance.begin() - 1, 0));
        return std::min(index, path.size() - 2);
    };
    // Measured from the segment's start along its unit direction and snapped to 1/256 pixel, so that
    // dash ends on horizontal and vertical segments land exactly on whole pixels.
    auto pointAt = [&](double s, std::size_t segment) {
        const Vec d = Unit(Sub(path[segment + 1], path[segment]));
        const double along = s - distance[segment];
        auto snap = [](double v) { return std::round(v * 256.0) / 256.0; };
        return PointF{snap(path[segment].x + d.x * along), snap(path[segment].y + d.y * along)};
    };
    double period = 0;
    for (double length : pattern)
        period += length;
    double position = 0;
    std::size_t element = 0;
    for (const auto& [from, to] : shown) {
        // Whole periods before the visible stretch keep the phase and paint nothing that shows.
        if (position < from - period) {
            const double skipped = std::floor((from - position) / period) - 1;
            if (skipped > 0)
                position += skipped * period;
        }
        while (position <= to && position < total) {
            const double length = pattern[element];
            if (element % 2 == 0 && position + length >= from) {
                const double end = std::min(position + length, total);
                const std::size_t first = segmentAt(position);
                const std::size_t last = segmentAt(end > position ? std::nextafter(end, position) : end);
                Dash dash;
                dash.points.push_back(pointAt(position, first));
                for (std::size_t v = first + 1; v <= last; ++v)
                    dash.points.push_back(path[v]);
                dash.points.push_back(pointAt(end, last));
                dash.direction = Unit(Sub(path[first + 1], path[first]));
                emit(dash);
            }
            position += length;
            element = (element + 1) % pattern.size();
        }
    }
}

} // namespace

void AddRoundBlob(int x, int y, int width, int rowLo, int rowHi, SpanSet& out) {
    if (width <= 1) {
        if (y >= rowLo && y < rowHi)
            out.Add(y, x, x + 1);
        return;
    }
    // The ellipse inscribed in the box [left, right) x [top, bottom) of pixel edges; a pixel belongs
    // to it when its centre does. Coordinates are doubled to keep the test in integers: a pixel
    // (c, r) is inside when (2c + 1 - (left + right))^2 + (2r + 1 - (top + bottom))^2 <= diameter^2.
    const long long left = static_cast<long long>(x) - width / 2;
    const long long right = static_cast<long long>(x) + (width + 1) / 2 + 1;
    const long long top = static_cast<long long>(y) - width / 2;
    const long long bottom = static_cast<long long>(y) + (width + 1) / 2 + 1;
    const long long diameter = right - left;
    const long long sumX = left + right;
    auto floorDiv2 = [](long long v) { return v >= 0 ? v / 2 : -((-v + 1) / 2); };
    for (long long row = std::max<long long>(top, rowLo); row < std::min<long long>(bottom, rowHi); ++row) {
        const long long dy = 2 * row + 1 - (top + bottom);
        const long long room = diameter * diameter - dy * dy;
        if (room < 0)
            continue;
        auto reach = static_cast<long long>(std::sqrt(static_cast<double>(room)));
        while (reach * reach > room)
            --reach;
        while ((reach + 1) * (reach + 1) <= room)
            ++reach;
        // Columns with |2c + 1 - sumX| <= reach.
        const long long first = -floorDiv2(-(sumX - 1 - reach)); // ceil((sumX - 1 - reach) / 2)
        const long long last = floorDiv2(sumX - 1 + reach);
        if (first <= last)
            out.Add(static_cast<int>(row), static_cast<int>(first), static_cast<int>(last + 1));
    }
}

void StrokeGeometric(std::span<const Point> points, bool closed, const Pen& pen, const Rect& clip,
                     SpanSet& out) {
    if (points.empty())
        return;
    std::vector<PointF> path;
    path.reserve(points.size() + 1);
    for (const Point& p : points)
        path.push_back(PointF{static_cast<double>(p.x), static_cast<double>(p.y)});
    PieceWriter writer(pen, clip.top, clip.bottom, out);
    const std::vector<double> pattern = DashLengths(pen);
    if (pattern.empty()) {
        Dash dash{path, Vec{1, 0}, closed};
        if (path.size() > 1)
            dash.direction = Unit(Sub(path[1], path[0]));
        writer.Write(dash);
        return;
    }
    if (closed)
        path.push_back(path.front());
    if (path.size() == 1)
        path.push_back(path.front());
    // Runs that start or end just outside the clip still reach into it by their width and caps.
    const int margin = pen.width + 2;
    const Rect visible{clip.left - margin, clip.top - margin, clip.right + margin, clip.bottom + margin};
    CutDashes(path, pattern, visible, [&](const Dash& dash) { writer.Write(dash); });
}

} // namespace mouldview::raster
