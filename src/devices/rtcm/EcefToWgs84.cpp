#include "devices/rtcm/EcefToWgs84.h"

#include <cmath>
#include <numbers>

namespace skerra::rtcm {

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 1.0 / 298.257223563;
constexpr double kEccentricitySquared = 2 * kFlattening - kFlattening * kFlattening;
constexpr int kLatitudeIterations = 10;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

double primeVerticalRadius(double latitude)
{
    const double s = std::sin(latitude);
    return kSemiMajorAxis / std::sqrt(1 - kEccentricitySquared * s * s);
}

}  // namespace

TGeodeticPosition EcefToWgs84(double x, double y, double z)
{
    const double p = std::sqrt(x * x + y * y);
    double latitude = std::atan2(z, (1 - kEccentricitySquared) * p);
    for (int i = 0; i < kLatitudeIterations; ++i) {
        const double n = primeVerticalRadius(latitude);
        latitude = std::atan2(z + kEccentricitySquared * n * std::sin(latitude), p);
    }
    TGeodeticPosition result;
    result.Latitude = latitude * kDegreesPerRadian;
    result.Longitude = std::atan2(y, x) * kDegreesPerRadian;
    // p / cos(latitude) - N, written so that it stays exact at the poles as well.
    const double n = primeVerticalRadius(latitude);
    result.Height = p * std::cos(latitude) + (z + kEccentricitySquared * n * std::sin(latitude)) * std::sin(latitude) - n;
    return result;
}

bool IsPlausibleStationEcef(double x, double y, double z)
{
    const double r = std::sqrt(x * x + y * y + z * z);
    return r > 6000000.0 && r < 7000000.0;
}

}  // namespace skerra::rtcm
