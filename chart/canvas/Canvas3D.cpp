// Operations at depth: each maps its points with ProjectPoint and does the flat operation. In 2D
// (the chart's 3D view off) the mapping is the identity.
#include "chart/canvas/Canvas3D.h"

#include <array>

namespace mouldview::chart {

TPoint TCanvas3D::ProjectPoint(int x, int y, int /*z*/) const {
    // The 3D and orthogonal projections are not drawn by this engine; every surface it creates
    // is flat, so the projection keeps the point where it is.
    return TPoint{x, y};
}

void TCanvas3D::Calculate2DPosition(int& /*x*/, int& /*y*/, int /*z*/) const {}

void TCanvas3D::Projection(int /*maxDepth*/, const TRect& /*bounds*/, const TRect& /*rect*/) {}

TColor TCanvas3D::Pixel3D(int x, int y, int z) const {
    const TPoint p = ProjectPoint(x, y, z);
    return Pixels(p.X, p.Y);
}

void TCanvas3D::SetPixel3D(int x, int y, int z, TColor color) {
    const TPoint p = ProjectPoint(x, y, z);
    if (Pen().Width() == 1) {
        SetPixel(p.X, p.Y, color);
    } else {
        Pen().SetColor(color);
        Line(p.X, p.Y, p.X, p.Y);
    }
}

void TCanvas3D::MoveTo3D(int x, int y, int z) {
    const TPoint p = ProjectPoint(x, y, z);
    MoveTo(p.X, p.Y);
}

void TCanvas3D::LineTo3D(int x, int y, int z) {
    const TPoint p = ProjectPoint(x, y, z);
    LineTo(p.X, p.Y);
}

void TCanvas3D::LineWithZ(int x0, int y0, int x1, int y1, int z) {
    const TPoint p0 = ProjectPoint(x0, y0, z);
    const TPoint p1 = ProjectPoint(x1, y1, z);
    Line(p0.X, p0.Y, p1.X, p1.Y);
}

void TCanvas3D::HorizLine3D(int x0, int x1, int y, int z) {
    LineWithZ(x0, y, x1, y, z);
}

void TCanvas3D::VertLine3D(int x, int y0, int y1, int z) {
    LineWithZ(x, y0, x, y1, z);
}

void TCanvas3D::ZLine3D(int x, int y, int z0, int z1) {
    const TPoint p0 = ProjectPoint(x, y, z0);
    const TPoint p1 = ProjectPoint(x, y, z1);
    Line(p0.X, p0.Y, p1.X, p1.Y);
}

void TCanvas3D::RectangleWithZ(const TRect& rect, int z) {
    Plane3D({rect.Left, rect.Top}, {rect.Right, rect.Top}, {rect.Right, rect.Bottom},
            {rect.Left, rect.Bottom}, z);
}

void TCanvas3D::Plane3D(const TPoint& p0, const TPoint& p1, const TPoint& p2, const TPoint& p3, int z) {
    const std::array<TPoint, 4> points = {ProjectPoint(p0.X, p0.Y, z), ProjectPoint(p1.X, p1.Y, z),
                                          ProjectPoint(p2.X, p2.Y, z), ProjectPoint(p3.X, p3.Y, z)};
    Polygon(points);
}

void TCanvas3D::TextOut3D(int x, int y, int z, std::string_view text) {
    const TPoint p = ProjectPoint(x, y, z);
    TextOut(p.X, p.Y, text);
}

void TCanvas3D::RotateLabel3D(int x, int y, int z, std::string_view text, double angle) {
    const TPoint p = ProjectPoint(x, y, z);
    TextOutRotated(p.X, p.Y, angle, text);
}

} // namespace mouldview::chart
