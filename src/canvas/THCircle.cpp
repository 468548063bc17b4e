#include "canvas/THCircle.h"

#include "canvas/ShapeGeometry.h"

using namespace skerra::canvas;

bool THCircle::HitTest(double x, double y, double tolerance) const
{
    return std::abs(std::hypot(x - CX, y - CY) - Radius) <= tolerance;
}

skerra::canvas::ShapeBounds THCircle::Bounds() const
{
    return {CX - Radius, CY - Radius, CX + Radius, CY + Radius};
}

void THCircle::set(double cx, double cy, double r)
{
    if (!allFinite({cx, cy, r}))
        return;
    CX = cx;
    CY = cy;
    Radius = r;
    UpdateBounds();
}

void THCircle::Translate(double dx, double dy) { set(CX + dx, CY + dy, Radius); }

void THCircle::Scale(double sx, double sy, double cx, double cy)
{
    const WorldPoint c = scaledAbout({CX, CY}, sx, sy, cx, cy);
    set(c.x, c.y, Radius * (std::abs(sx) + std::abs(sy)) / 2.0);
}

void THCircle::Rotate(double degrees, double cx, double cy)
{
    const WorldPoint c = Rotation(degrees, cx, cy)({CX, CY});
    set(c.x, c.y, Radius);
}
