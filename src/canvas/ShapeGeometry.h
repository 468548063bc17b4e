#pragma once
// Small geometric helpers shared by the shape classes.

#include "canvas/WorldPoint.h"

#include <cmath>
#include <initializer_list>

namespace skerra::canvas {

constexpr double kPi = 3.141592653589793;

inline bool allFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// Distance from (x, y) to the segment a-b; a zero-length segment measures to a.
double distanceToSegment(double x, double y, WorldPoint a, WorldPoint b);

// p about the fixed point c: c + (p - c) * s, per axis.
inline WorldPoint scaledAbout(WorldPoint p, double sx, double sy, double cx, double cy)
{
    return {cx + (p.x - cx) * sx, cy + (p.y - cy) * sy};
}

// Counter-clockwise rotation by the angle whose cosine and sine are given, about c.
inline WorldPoint rotatedAbout(WorldPoint p, double cosA, double sinA, double cx, double cy)
{
    const double dx = p.x - cx;
    const double dy = p.y - cy;
    return {cx + cosA * dx - sinA * dy, cy + sinA * dx + cosA * dy};
}

inline double degreesToRadians(double degrees) { return degrees * kPi / 180.0; }

}  // namespace skerra::canvas
