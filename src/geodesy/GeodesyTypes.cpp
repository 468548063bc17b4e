#include "geodesy/GeodesyTypes.h"

#include <cmath>

namespace skerra::geodesy {

bool isUsable(const Ellipsoid& ellipsoid)
{
    return std::isfinite(ellipsoid.a) && ellipsoid.a > 0 && ellipsoid.f >= 0 && ellipsoid.f < 1;
}

}  // namespace skerra::geodesy
