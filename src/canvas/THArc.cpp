#include "canvas/THArc.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THArc::HitTest(double x, double y, double tolerance) const
{
    return x >= MinX - tolerance && x <= MaxX + tolerance && y >= MinY - tolerance && y <= MaxY + tolerance;
}

void THArc::UpdateBounds()
{
    setBounds(std::min({X1, X2, X3}), std::min({Y1, Y2, Y3}), std::max({X1, X2, X3}), std::max({Y1, Y2, Y3}));
}

template <class F>
void THArc::mapPoints(F f)
{
    const WorldPoint a = f(WorldPoint{X1, Y1});
    const WorldPoint b = f(WorldPoint{X2, Y2});
    const WorldPoint c = f(WorldPoint{X3, Y3});
    if (!allFinite({a.x, a.y, b.x, b.y, c.x, c.y}))
        return;
    X1 = a.x; Y1 = a.y;
    X2 = b.x; Y2 = b.y;
    X3 = c.x; Y3 = c.y;
    UpdateBounds();
}

void THArc::Translate(double dx, double dy)
{
    mapPoints([&](WorldPoint p) { return WorldPoint{p.x + dx, p.y + dy}; });
}

void THArc::Scale(double sx, double sy, double cx, double cy)
{
    mapPoints([&](WorldPoint p) { return scaledAbout(p, sx, sy, cx, cy); });
}

void THArc::Rotate(double degrees, double cx, double cy)
{
    const double a = degreesToRadians(degrees);
    const double c = std::cos(a), s = std::sin(a);
    mapPoints([&](WorldPoint p) { return rotatedAbout(p, c, s, cx, cy); });
}
