#include "canvas/THTwoCorner.h"

#include <algorithm>

using namespace skerra::canvas;

ShapeBounds THTwoCorner::Bounds() const
{
    return {std::min(X1, X2), std::min(Y1, Y2), std::max(X1, X2), std::max(Y1, Y2)};
}

void THTwoCorner::Translate(double dx, double dy) { mapCorners(Translation{dx, dy}); }

void THTwoCorner::Scale(double sx, double sy, double cx, double cy) { mapCorners(Scaling{sx, sy, cx, cy}); }

void THTwoCorner::Rotate(double, double, double) { UpdateBounds(); }
