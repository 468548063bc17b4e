#pragma once
// Small geometric helpers shared by the shape classes.

#include "canvas/WorldPoint.h"

#include <cmath>
#include <cstddef>
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

// The point maps of the three transforms.
struct Translation {
    double dx, dy;
    WorldPoint operator()(WorldPoint p) const { return {p.x + dx, p.y + dy}; }
};
struct Scaling {
    double sx, sy, cx, cy;
    WorldPoint operator()(WorldPoint p) const { return scaledAbout(p, sx, sy, cx, cy); }
};
struct Rotation {
    Rotation(double degrees, double cx_, double cy_)
        : c(std::cos(degreesToRadians(degrees))), s(std::sin(degreesToRadians(degrees))), cx(cx_), cy(cy_)
    {
    }
    double c, s, cx, cy;
    WorldPoint operator()(WorldPoint p) const { return rotatedAbout(p, c, s, cx, cy); }
};

// A shape's point held in two of its coordinate fields.
struct PointFields {
    double& x;
    double& y;
};

// Moves every point by f, or none of them when a result would not be finite;
// returns whether they moved. At most 4 points.
template <class F>
bool mapPointsIfFinite(std::initializer_list<PointFields> points, F&& f)
{
    WorldPoint moved[4];
    std::size_t n = 0;
    for (const PointFields& p : points) {
        moved[n] = f(WorldPoint{p.x, p.y});
        if (!allFinite({moved[n].x, moved[n].y}))
            return false;
        ++n;
    }
    n = 0;
    for (const PointFields& p : points) {
        p.x = moved[n].x;
        p.y = moved[n].y;
        ++n;
    }
    return true;
}

}  // namespace skerra::canvas
