#include "canvas/ShapeGeometry.h"

#include <algorithm>

namespace skerra::canvas {

double distanceToSegment(double x, double y, WorldPoint a, WorldPoint b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return std::hypot(x - a.x, y - a.y);
    const double t = std::clamp(((x - a.x) * dx + (y - a.y) * dy) / len2, 0.0, 1.0);
    return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

}  // namespace skerra::canvas
