#include "canvas/THPoint.h"

using namespace skerra::canvas;

bool THPoint::HitTest(double x, double y, double tolerance) const
{
    const double dx = x - X;
    const double dy = y - Y;
    return dx * dx + dy * dy <= tolerance * tolerance;
}

skerra::canvas::ShapeBounds THPoint::Bounds() const
{
    return {X - PointSize, Y - PointSize, X + PointSize, Y + PointSize};
}

void THPoint::Rotate(double degrees, double cx, double cy) { mapAnchor(Rotation(degrees, cx, cy)); }
