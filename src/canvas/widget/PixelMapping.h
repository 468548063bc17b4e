#pragma once
// World to pixel mapping of one drawing, and clipping in double precision.
//
// A world point maps to (trunc((x - left) * kx), trunc((top - y) * ky)), where
// a value within kPixelSnap of a whole number counts as that number: the
// rounding of the window's coordinates (a window panned by whole pixels, a
// point aimed at the centre) then never tips a pixel one way or the other. Far-off
// and non-finite coordinates are never converted to int as they are: a segment
// is clipped in double against a guard box a good way outside the client area
// first, so it keeps its direction and nothing overflows.

#include <cmath>
#include <vector>

namespace skerra::canvas {

struct PixelMapping {
    double left = 0.0;
    double top = 0.0;
    double kx = 1.0;
    double ky = 1.0;
    int width = 1;
    int height = 1;

    // A window without width or height (exactly 0) is taken as 1 unit wide or high.
    static PixelMapping make(double left, double right, double top, double bottom, int width, int height)
    {
        PixelMapping m;
        m.left = left;
        m.top = top;
        const double w = right - left;
        const double h = top - bottom;
        m.kx = width / (w == 0.0 ? 1.0 : w);
        m.ky = height / (h == 0.0 ? 1.0 : h);
        m.width = width;
        m.height = height;
        return m;
    }

    // Pixel coordinates truncated toward zero, still in double.
    double px(double x) const { return std::trunc(snapped((x - left) * kx)); }
    double py(double y) const { return std::trunc(snapped((top - y) * ky)); }

    static constexpr double kPixelSnap = 1e-7;
    static double snapped(double v)
    {
        const double whole = std::round(v);
        return std::abs(v - whole) < kPixelSnap ? whole : v;
    }
};

// How far outside the client area primitives are still handed to the painter as they are.
inline constexpr double kPixelGuard = 65536.0;

struct GuardBox {
    double xmin, ymin, xmax, ymax;
    explicit GuardBox(const PixelMapping& m)
        : xmin(-kPixelGuard), ymin(-kPixelGuard), xmax(m.width + kPixelGuard), ymax(m.height + kPixelGuard)
    {
    }
    // False for NaN.
    bool contains(double x, double y) const { return x >= xmin && x <= xmax && y >= ymin && y <= ymax; }
};

// A point in pixels, before truncation.
struct PixelPoint {
    double x, y;
};

// The clips never overflow: the end points' differences are taken at half
// scale and every new point lies between two given ones, so even a segment
// from -1.7e308 to 1.7e308 is cut where it crosses the box, and what they give
// is finite and within (or on) the box.

// Liang-Barsky: clips the segment to the box; false when nothing of it is inside
// (or a coordinate is not finite).
bool clipSegment(double& x1, double& y1, double& x2, double& y2, const GuardBox& box);

// Sutherland-Hodgman: the polygon cut to the box (for fills of far-reaching
// polygons); empty when a vertex is not finite.
std::vector<PixelPoint> clipPolygon(std::vector<PixelPoint> polygon, const GuardBox& box);

}  // namespace skerra::canvas
