#include "canvas/THEllipse.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THEllipse::HitTest(double x, double y, double tolerance) const
{
    const double a = std::abs(X2 - X1) / 2.0;
    const double b = std::abs(Y2 - Y1) / 2.0;
    if (a == 0.0 || b == 0.0)
        return false;
    const double u = (x - (X1 + X2) / 2.0) / a;
    const double v = (y - (Y1 + Y2) / 2.0) / b;
    return std::abs(u * u + v * v - 1.0) <= tolerance / std::min(a, b);
}

void THEllipse::UpdateBounds()
{
    setBounds(std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2));
}

void THEllipse::setCorners(double x1, double y1, double x2, double y2)
{
    if (!allFinite({x1, y1, x2, y2}))
        return;
    X1 = x1; Y1 = y1; X2 = x2; Y2 = y2;
    UpdateBounds();
}

void THEllipse::Translate(double dx, double dy) { setCorners(X1 + dx, Y1 + dy, X2 + dx, Y2 + dy); }

void THEllipse::Scale(double sx, double sy, double cx, double cy)
{
    const WorldPoint a = scaledAbout({X1, Y1}, sx, sy, cx, cy);
    const WorldPoint b = scaledAbout({X2, Y2}, sx, sy, cx, cy);
    setCorners(a.x, a.y, b.x, b.y);
}

void THEllipse::Rotate(double, double, double) { UpdateBounds(); }
