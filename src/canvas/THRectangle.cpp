#include "canvas/THRectangle.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THRectangle::HitTest(double x, double y, double tolerance) const
{
    return x >= std::min(X1, X2) - tolerance && x <= std::max(X1, X2) + tolerance
        && y >= std::min(Y1, Y2) - tolerance && y <= std::max(Y1, Y2) + tolerance;
}

void THRectangle::UpdateBounds()
{
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

void THRectangle::setCorners(double x1, double y1, double x2, double y2)
{
    if (!allFinite({x1, y1, x2, y2}))
        return;
    X1 = x1; Y1 = y1; X2 = x2; Y2 = y2;
    UpdateBounds();
}

void THRectangle::Translate(double dx, double dy) { setCorners(X1 + dx, Y1 + dy, X2 + dx, Y2 + dy); }

void THRectangle::Scale(double sx, double sy, double cx, double cy)
{
    const WorldPoint a = scaledAbout({X1, Y1}, sx, sy, cx, cy);
    const WorldPoint b = scaledAbout({X2, Y2}, sx, sy, cx, cy);
    setCorners(a.x, a.y, b.x, b.y);
}

void THRectangle::Rotate(double, double, double) { UpdateBounds(); }
