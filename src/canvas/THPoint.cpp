#include "canvas/THPoint.h"

#include "canvas/ShapeGeometry.h"

using namespace skerra::canvas;

bool THPoint::HitTest(double x, double y, double tolerance) const
{
    const double dx = x - X;
    const double dy = y - Y;
    return dx * dx + dy * dy <= tolerance * tolerance;
}

void THPoint::UpdateBounds() { setBounds(X - PointSize, Y - PointSize, X + PointSize, Y + PointSize); }

void THPoint::moveTo(double x, double y)
{
    if (!allFinite({x, y}))
        return;
    X = x;
    Y = y;
    UpdateBounds();
}

void THPoint::Translate(double dx, double dy) { moveTo(X + dx, Y + dy); }

void THPoint::Scale(double sx, double sy, double cx, double cy)
{
    const WorldPoint p = scaledAbout({X, Y}, sx, sy, cx, cy);
    moveTo(p.x, p.y);
}

void THPoint::Rotate(double degrees, double cx, double cy)
{
    const double a = degreesToRadians(degrees);
    const WorldPoint p = rotatedAbout({X, Y}, std::cos(a), std::sin(a), cx, cy);
    moveTo(p.x, p.y);
}
