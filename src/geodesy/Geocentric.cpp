#include "geodesy/Geocentric.h"

#include "geodesy/AngleConversion.h"
#include "geodesy/GeodesyNumberText.h"
#include "geodesy/SinCos.h"

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

}  // namespace

std::optional<GeocentricPosition> geodeticToGeocentric(const GeodeticPosition& position,
                                                       const Ellipsoid& ellipsoid)
{
    if (!isUsable(ellipsoid))
        return std::nullopt;
    const long double e2 = ellipsoid.f * (2 - ellipsoid.f);
    const SinCos phi = sinCos(degToRad(position.latitude));
    const SinCos lambda = sinCos(degToRad(position.longitude));
    const long double nu = ellipsoid.a / std::sqrt(1 - e2 * phi.sin * phi.sin);
    const long double h = position.height;
    GeocentricPosition out{(nu + h) * phi.cos * lambda.cos, (nu + h) * phi.cos * lambda.sin,
                           ((1 - e2) * nu + h) * phi.sin};
    if (!isFinite(out))
        return std::nullopt;
    return out;
}

std::optional<GeodeticSolution> solveGeodetic(const GeocentricPosition& position,
                                              const Ellipsoid& ellipsoid)
{
    if (!isUsable(ellipsoid) || !isFinite(position))
        return std::nullopt;
    const long double a = ellipsoid.a;
    const long double b = a * (1 - ellipsoid.f);
    const long double e2 = ellipsoid.f * (2 - ellipsoid.f);
    const long double x = position.x, y = position.y, z = position.z;
    const long double p = std::sqrt(x * x + y * y);

    if (p == 0) {
        // On the polar axis: the longitude is undefined and taken as 0.
        if (z == 0)
            return std::nullopt;
        const long double sign = z > 0 ? 1 : -1;
        return GeodeticSolution{sign * kGeodesyPi / 2, {sign, 0}, 0, std::fabs(z) - b};
    }

    // The latitude is carried as its sine and cosine (a direction), which needs
    // no trigonometric call per pass and stays sound close to the poles.
    const auto direction = [](long double sn, long double cs) {
        const long double r = std::sqrt(sn * sn + cs * cs);
        return SinCos{sn / r, cs / r};
    };
    const auto heightAt = [&](const SinCos& phi) {
        // Height along the normal; exact at any latitude.
        return p * phi.cos + z * phi.sin - a * std::sqrt(1 - e2 * phi.sin * phi.sin);
    };

    // Bowring's estimate, then the fixed-point iteration of the latitude until
    // it moves by at most 1e-12 rad.
    const long double ep2 = e2 / (1 - e2);
    const SinCos u = direction(z * a, p * b);
    SinCos phi = direction(z + ep2 * b * u.sin * u.sin * u.sin,
                           p - e2 * a * u.cos * u.cos * u.cos);
    long double h = heightAt(phi);
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const SinCos previous = phi;
        const long double nu = a / std::sqrt(1 - e2 * previous.sin * previous.sin);
        phi = direction(z, p * (1 - e2 * nu / (nu + h)));
        h = heightAt(phi);
        const long double moved = phi.sin * previous.cos - phi.cos * previous.sin;
        if (!(std::fabs(moved) > kLatitudeTolerance))
            break;
    }
    GeodeticSolution out{std::atan2(phi.sin, phi.cos), phi, std::atan2(y, x), h};
    if (!std::isfinite(out.latitude) || !std::isfinite(out.longitude) || !std::isfinite(out.height)
        || !std::isfinite(phi.sin) || !std::isfinite(phi.cos))
        return std::nullopt;
    return out;
}

std::optional<GeodeticPosition> geocentricToGeodetic(const GeocentricPosition& position,
                                                     const Ellipsoid& ellipsoid)
{
    const auto solution = solveGeodetic(position, ellipsoid);
    if (!solution)
        return std::nullopt;
    return GeodeticPosition{radToDeg(solution->latitude), radToDeg(solution->longitude),
                            solution->height};
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
