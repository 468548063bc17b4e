#include "devices/rtcm/GreatCircle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skerra::rtcm {

namespace {

constexpr double kEarthRadius = 6371000.0;
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

double squaredSineOfHalf(double angle)
{
    const double s = std::sin(angle / 2);
    return s * s;
}

}  // namespace

double GreatCircleDistance(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude)
{
    const double phi1 = fromLatitude * kRadiansPerDegree;
    const double phi2 = toLatitude * kRadiansPerDegree;
    const double dLambda = (toLongitude - fromLongitude) * kRadiansPerDegree;
    double a = squaredSineOfHalf(phi2 - phi1) + std::cos(phi1) * std::cos(phi2) * squaredSineOfHalf(dLambda);
    a = std::clamp(a, 0.0, 1.0);   // rounding can step just past 1 for antipodes
    return kEarthRadius * 2 * std::atan2(std::sqrt(a), std::sqrt(1 - a));
}

double InitialBearing(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude)
{
    const double phi1 = fromLatitude * kRadiansPerDegree;
    const double phi2 = toLatitude * kRadiansPerDegree;
    const double dLambda = (toLongitude - fromLongitude) * kRadiansPerDegree;
    const double theta = std::atan2(std::sin(dLambda) * std::cos(phi2),
                                    std::cos(phi1) * std::sin(phi2) - std::sin(phi1) * std::cos(phi2) * std::cos(dLambda));
    const double degrees = std::fmod(theta / kRadiansPerDegree + 360.0, 360.0);
    return degrees >= 360.0 ? 0.0 : degrees;
}

}  // namespace skerra::rtcm
