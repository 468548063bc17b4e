#include "canvas/THRectangle.h"

#include <algorithm>

bool THRectangle::HitTest(double x, double y, double tolerance) const
{
    return x >= std::min(X1, X2) - tolerance && x <= std::max(X1, X2) + tolerance
        && y >= std::min(Y1, Y2) - tolerance && y <= std::max(Y1, Y2) + tolerance;
}
