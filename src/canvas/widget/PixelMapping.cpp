#include "canvas/widget/PixelMapping.h"

namespace skerra::canvas {

bool clipSegment(double& x1, double& y1, double& x2, double& y2, const GuardBox& box)
{
    if (!(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2)))
        return false;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.xmin, box.xmax - x1, y1 - box.ymin, box.ymax - y1};
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
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const double nx1 = x1 + t0 * dx, ny1 = y1 + t0 * dy;
    const double nx2 = x1 + t1 * dx, ny2 = y1 + t1 * dy;
    x1 = nx1;
    y1 = ny1;
    x2 = nx2;
    y2 = ny2;
    return true;
}

}  // namespace skerra::canvas
