#include "geodesy/Geocentric.h"

#include "geodesy/AngleConversion.h"
#include "geodesy/GeodesyNumberText.h"

#include <cmath>

namespace skerra {
namespace geodesy {

namespace {

constexpr long double kLatitudeTolerance = 1e-12L;  // rad
constexpr int kMaxPasses = 50;

bool isFinite(const GeocentricPosition& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

bool isFinite(const GeodeticPosition& p)
{
    return std::isfinite(p.latitude) && std::isfinite(p.longitude) && std::isfinite(p.height);
}

}  // namespace

std::optional<GeocentricPosition> geodeticToGeocentric(const GeodeticPosition& position,
                                                       const Ellipsoid& ellipsoid)
{
    if (!isUsable(ellipsoid))
        return std::nullopt;
    const long double e2 = ellipsoid.f * (2 - ellipsoid.f);
    const long double phi = degToRad(position.latitude);
    const long double lambda = degToRad(position.longitude);
    const long double sinPhi = std::sin(phi);
    const long double cosPhi = std::cos(phi);
    const long double nu = ellipsoid.a / std::sqrt(1 - e2 * sinPhi * sinPhi);
    const long double h = position.height;
    GeocentricPosition out{(nu + h) * cosPhi * std::cos(lambda),
                           (nu + h) * cosPhi * std::sin(lambda),
                           ((1 - e2) * nu + h) * sinPhi};
    if (!isFinite(out))
        return std::nullopt;
    return out;
}

std::optional<GeodeticPosition> geocentricToGeodetic(const GeocentricPosition& position,
                                                     const Ellipsoid& ellipsoid)
{
    if (!isUsable(ellipsoid) || !isFinite(position))
        return std::nullopt;
    const long double a = ellipsoid.a;
    const long double e2 = ellipsoid.f * (2 - ellipsoid.f);
    const long double x = position.x, y = position.y, z = position.z;
    const long double p = std::sqrt(x * x + y * y);

    if (p == 0) {
        // On the polar axis: the longitude is undefined and taken as 0.
        if (z == 0)
            return std::nullopt;
        const long double b = a * (1 - ellipsoid.f);
        return GeodeticPosition{z > 0 ? 90.0L : -90.0L, 0, std::fabs(z) - b};
    }

    const long double lambda = std::atan2(y, x);
    const auto heightAt = [&](long double phi) {
        // Height along the normal; exact at any latitude, also close to the poles.
        const long double s = std::sin(phi);
        return p * std::cos(phi) + z * s - a * std::sqrt(1 - e2 * s * s);
    };

    // Bowring's estimate, then the fixed-point iteration of the latitude.
    const long double b = a * (1 - ellipsoid.f);
    const long double ep2 = e2 / (1 - e2);
    const long double u = std::atan2(z * a, p * b);
    const long double su = std::sin(u), cu = std::cos(u);
    long double phi = std::atan2(z + ep2 * b * su * su * su, p - e2 * a * cu * cu * cu);
    long double h = heightAt(phi);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const long double previous = phi;
        const long double s = std::sin(previous);
        const long double nu = a / std::sqrt(1 - e2 * s * s);
        phi = std::atan2(z, p * (1 - e2 * nu / (nu + h)));
        h = heightAt(phi);
        if (!(std::fabs(phi - previous) > kLatitudeTolerance))
            break;
    }
    GeodeticPosition out{radToDeg(phi), radToDeg(lambda), h};
    if (!isFinite(out))
        return std::nullopt;
    return out;
}

std::string geocentricText(const GeocentricPosition& position)
{
    std::string s;
    s.reserve(64);
    appendGeneral(s, position.x);
    s += '\t';
    appendGeneral(s, position.y);
    s += '\t';
    appendGeneral(s, position.z);
    return s;
}

std::string geodeticText(const GeodeticPosition& position)
{
    std::string s;
    s.reserve(48);
    appendFixed(s, position.latitude, 8);
    s += '\t';
    appendFixed(s, position.longitude, 8);
    s += '\t';
    appendFixed(s, position.height, 2);
    return s;
}

}  // namespace geodesy

std::string GeodeticToGeocentric(long double lat, long double lon, long double h,
                                 long double a, long double f)
{
    const auto g = geodesy::geodeticToGeocentric({lat, lon, h}, {a, f});
    return g ? geodesy::geocentricText(*g) : geodesy::kFailureText;
}

std::string GeocentricToGeodetic(long double x, long double y, long double z,
                                 long double a, long double f)
{
    const auto g = geodesy::geocentricToGeodetic({x, y, z}, {a, f});
    return g ? geodesy::geodeticText(*g) : geodesy::kFailureText;
}

}  // namespace skerra
