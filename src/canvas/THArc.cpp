#include "canvas/THArc.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THArc::HitTest(double x, double y, double tolerance) const
{
    const ShapeBounds b = Bounds();
    return x >= b.minX - tolerance && x <= b.maxX + tolerance && y >= b.minY - tolerance && y <= b.maxY + tolerance;
}

ShapeBounds THArc::Bounds() const
{
    return {std::min({X1, X2, X3}), std::min({Y1, Y2, Y3}), std::max({X1, X2, X3}), std::max({Y1, Y2, Y3})};
}

template <class F>
void THArc::mapPoints(F f)
{
    if (mapPointsIfFinite({{X1, Y1}, {X2, Y2}, {X3, Y3}}, f))
        UpdateBounds();
}

void THArc::Translate(double dx, double dy) { mapPoints(Translation{dx, dy}); }

void THArc::Scale(double sx, double sy, double cx, double cy) { mapPoints(Scaling{sx, sy, cx, cy}); }

void THArc::Rotate(double degrees, double cx, double cy) { mapPoints(Rotation(degrees, cx, cy)); }
