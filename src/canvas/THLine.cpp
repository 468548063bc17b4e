#include "canvas/THLine.h"

using namespace skerra::canvas;

bool THLine::HitTest(double x, double y, double tolerance) const
{
    return distanceToSegment(x, y, {X1, Y1}, {X2, Y2}) <= tolerance;
}

void THLine::Rotate(double degrees, double cx, double cy) { mapCorners(Rotation(degrees, cx, cy)); }
