#include "canvas/THText.h"

#include <cmath>

using namespace skerra::canvas;

bool THText::HitTest(double x, double y, double t) const
{
    const double n = DisplayText.size();
    return x >= X && x <= X + 0.8 * n * t + 2.0 * t && y >= Y - 3.0 * t && y <= Y + t;
}

ShapeBounds THText::Bounds() const
{
    const double n = DisplayText.size();
    return {X - Height, Y - Height, X + n * 0.6 * Height + Height, Y + Height};
}

void THText::Rotate(double degrees, double, double)
{
    if (!std::isfinite(Angle + degrees))
        return;
    Angle += degrees;
}
