#include "canvas/THEllipse.h"

#include <algorithm>
#include <cmath>

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
