// Polygon scan conversion with an active edge list: each row's crossings are sorted and paired by
// the fill rule; a crossing at x covers pixels from ceil(x), which makes left edges inclusive and
// right edges exclusive.
#include "platform/raster/ScanConverter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace mouldview::raster {
namespace {

struct Edge {
    double yTop;    // smaller y, inclusive
    double yBottom; // larger y, exclusive
    double xAtTop;
    double dx;   // x run over the whole edge; x at row y is xAtTop + (y - yTop) * dx / dy, which is
    double dy;   // exact whenever the true crossing is an integer and the vertices are integers
    int winding; // +1 downward edge, -1 upward edge
};

struct Crossing {
    double x;
    int winding;
};

} // namespace

void ScanPolygon(std::span<const PointF> points, PolyFillMode mode, int rowLo, int rowHi, SpanSet& out) {
    if (points.size() < 3)
        return;
    std::vector<Edge> edges;
    edges.reserve(points.size());
    double yMin = points[0].y;
    double yMax = points[0].y;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const PointF& a = points[i];
        const PointF& b = points[(i + 1) % points.size()];
        yMin = std::min(yMin, a.y);
        yMax = std::max(yMax, a.y);
        if (a.y == b.y)
            continue;
        const bool down = a.y < b.y;
        const PointF& top = down ? a : b;
        const PointF& bottom = down ? b : a;
        edges.push_back(Edge{top.y, bottom.y, top.x, bottom.x - top.x, bottom.y - top.y, down ? 1 : -1});
    }
    if (edges.empty())
        return;
    const double first = std::max(std::ceil(yMin), static_cast<double>(rowLo));
    const double last = std::min(std::ceil(yMax), static_cast<double>(rowHi));
    if (first >= last)
        return;
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.yTop < b.yTop; });

    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;
    for (int y = static_cast<int>(first); y < static_cast<int>(last); ++y) {
        const double yd = y;
        while (next < edges.size() && edges[next].yTop <= yd)
            active.push_back(&edges[next++]);
        std::erase_if(active, [yd](const Edge* e) { return e->yBottom <= yd; });
        crossings.clear();
        for (const Edge* e : active)
            if (e->yTop <= yd)
                crossings.push_back(Crossing{e->xAtTop + (yd - e->yTop) * e->dx / e->dy, e->winding});
        std::sort(crossings.begin(), crossings.end(),
                  [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += mode == PolyFillMode::Alternate ? 1 : crossings[i].winding;
            const bool inside = mode == PolyFillMode::Alternate ? (winding & 1) != 0 : winding != 0;
            if (!inside)
                continue;
            const double x0 = std::ceil(crossings[i].x);
            const double x1 = std::ceil(crossings[i + 1].x);
            // Coordinates far outside any bitmap are clamped; the painter clips them anyway.
            const double limit = 1e9;
            out.Add(y, static_cast<int>(std::clamp(x0, -limit, limit)),
                    static_cast<int>(std::clamp(x1, -limit, limit)));
        }
    }
}

void ScanConvex(std::span<const PointF> points, int rowLo, int rowHi, SpanSet& out) {
    if (points.size() < 3)
        return;
    double yMin = points[0].y;
    double yMax = points[0].y;
    for (const PointF& p : points) {
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    const double first = std::max(std::ceil(yMin), static_cast<double>(rowLo));
    const double last = std::min(std::ceil(yMax), static_cast<double>(rowHi));
    const double limit = 1e9;
    for (double y = first; y < last; ++y) {
        double left = std::numeric_limits<double>::infinity();
        double right = -left;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointF& a = points[i];
            const PointF& b = points[(i + 1) % points.size()];
            const bool down = a.y < b.y;
            const PointF& top = down ? a : b;
            const PointF& bottom = down ? b : a;
            if (!(top.y <= y && y < bottom.y))
                continue;
            const double x = top.x + (y - top.y) * (bottom.x - top.x) / (bottom.y - top.y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (left < right)
            out.Add(static_cast<int>(y), static_cast<int>(std::clamp(std::ceil(left), -limit, limit)),
                    static_cast<int>(std::clamp(std::ceil(right), -limit, limit)));
    }
}

} // namespace mouldview::raster
