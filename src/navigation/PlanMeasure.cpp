#include "PlanMeasure.h"

#include <cmath>
#include <numbers>

double PlanDistance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

// By the arc tangent of east over north rather than atan2: a northing difference of
// exactly zero (either sign) is taken as a tiny positive one, so due west is 270 and
// a zero vector is 0.
double PlanAzimuth(double x1, double y1, double x2, double y2)
{
    double dN = y2 - y1;
    const double dE = x2 - x1;
    if (dN == 0.0) dN = 1e-16;
    const double ratio = dE / dN;
    double a = std::atan(ratio);
    if (dN < 0.0)
        a += std::numbers::pi;
    else if (ratio < 0.0)
        a += 2.0 * std::numbers::pi;
    return a;
}
