#include "canvas/widget/PixelMapping.h"

#include <algorithm>

namespace skerra::canvas {

namespace {

bool finite(double x, double y) { return std::isfinite(x) && std::isfinite(y); }

// Where from a to b the value v lies (0 at a, 1 at b), for v between them. The
// differences are taken at half scale, where they cannot overflow (and give
// the same quotient where they would not).
double fraction(double a, double b, double v) { return (v * 0.5 - a * 0.5) / (b * 0.5 - a * 0.5); }

// The value t of the way from a to b (t in [0, 1]): a + t * (b - a) while b - a
// is finite, else std::lerp, which stays between a and b.
double along(double a, double b, double t)
{
    const double d = b - a;
    return std::isfinite(d) ? a + t * d : std::lerp(a, b, t);
}

// The point at t of the segment, put exactly on the box side it was cut at
// (0 left, 1 right, 2 top, 3 bottom; -1 none) and into the box, which the
// rounding of a segment of huge extent could leave.
void cutPoint(double& x, double& y, double x1, double y1, double x2, double y2, double t, int side,
              const GuardBox& box)
{
    x = along(x1, x2, t);
    y = along(y1, y2, t);
    if (side == 0)
        x = box.xmin;
    else if (side == 1)
        x = box.xmax;
    else if (side == 2)
        y = box.ymin;
    else if (side == 3)
        y = box.ymax;
    x = std::clamp(x, box.xmin, box.xmax);
    y = std::clamp(y, box.ymin, box.ymax);
}

}  // namespace

bool clipSegment(double& x1, double& y1, double& x2, double& y2, const GuardBox& box)
{
    if (!finite(x1, y1) || !finite(x2, y2))
        return false;
    // Every difference at half scale: finite for any finite ends, and t as exact.
    const double dx = x2 * 0.5 - x1 * 0.5;
    const double dy = y2 * 0.5 - y1 * 0.5;
    double t0 = 0.0, t1 = 1.0;
    int enters = -1, leaves = -1;  // the sides cut at
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 * 0.5 - box.xmin * 0.5, box.xmax * 0.5 - x1 * 0.5, y1 * 0.5 - box.ymin * 0.5,
                         box.ymax * 0.5 - y1 * 0.5};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0) {
                t0 = t;
                enters = i;
            }
        } else {
            if (t < t0)
                return false;
            if (t < t1) {
                t1 = t;
                leaves = i;
            }
        }
    }
    double nx1, ny1, nx2, ny2;
    cutPoint(nx1, ny1, x1, y1, x2, y2, t0, enters, box);
    cutPoint(nx2, ny2, x1, y1, x2, y2, t1, leaves, box);
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

namespace {

// One pass of the polygon clip: the part of the polygon on the inside of one edge.
template <class Inside, class Cross>
std::vector<PixelPoint> clipEdge(const std::vector<PixelPoint>& in, Inside inside, Cross cross)
{
    std::vector<PixelPoint> out;
    if (in.empty())
        return out;
    PixelPoint prev = in.back();
    bool prevIn = inside(prev);
    for (PixelPoint cur : in) {
        const bool curIn = inside(cur);
        if (curIn != prevIn)
            out.push_back(cross(prev, cur));
        if (curIn)
            out.push_back(cur);
        prev = cur;
        prevIn = curIn;
    }
    return out;
}

// Where the edge from a to b (on either side of the line) crosses x = at, or y = at.
// The fraction is taken first, so nothing overflows.
auto atX(double at)
{
    return [at](PixelPoint a, PixelPoint b) { return PixelPoint{at, along(a.y, b.y, fraction(a.x, b.x, at))}; };
}
auto atY(double at)
{
    return [at](PixelPoint a, PixelPoint b) { return PixelPoint{along(a.x, b.x, fraction(a.y, b.y, at)), at}; };
}

}  // namespace

std::vector<PixelPoint> clipPolygon(std::vector<PixelPoint> poly, const GuardBox& box)
{
    for (PixelPoint p : poly)
        if (!finite(p.x, p.y))
            return {};
    poly = clipEdge(poly, [&](PixelPoint p) { return p.x >= box.xmin; }, atX(box.xmin));
    poly = clipEdge(poly, [&](PixelPoint p) { return p.x <= box.xmax; }, atX(box.xmax));
    poly = clipEdge(poly, [&](PixelPoint p) { return p.y >= box.ymin; }, atY(box.ymin));
    poly = clipEdge(poly, [&](PixelPoint p) { return p.y <= box.ymax; }, atY(box.ymax));
    return poly;
}

}  // namespace skerra::canvas
