#include "canvas/THLine.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THLine::HitTest(double x, double y, double tolerance) const
{
    return distanceToSegment(x, y, {X1, Y1}, {X2, Y2}) <= tolerance;
}

void THLine::UpdateBounds()
{
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

void THLine::setEnds(double x1, double y1, double x2, double y2)
{
    if (!allFinite({x1, y1, x2, y2}))
        return;
    X1 = x1; Y1 = y1; X2 = x2; Y2 = y2;
    UpdateBounds();
}

void THLine::Translate(double dx, double dy) { setEnds(X1 + dx, Y1 + dy, X2 + dx, Y2 + dy); }

void THLine::Scale(double sx, double sy, double cx, double cy)
{
    const WorldPoint a = scaledAbout({X1, Y1}, sx, sy, cx, cy);
    const WorldPoint b = scaledAbout({X2, Y2}, sx, sy, cx, cy);
    setEnds(a.x, a.y, b.x, b.y);
}

void THLine::Rotate(double degrees, double cx, double cy)
{
    const double r = degreesToRadians(degrees);
    const double c = std::cos(r), s = std::sin(r);
    const WorldPoint a = rotatedAbout({X1, Y1}, c, s, cx, cy);
    const WorldPoint b = rotatedAbout({X2, Y2}, c, s, cx, cy);
    setEnds(a.x, a.y, b.x, b.y);
}
