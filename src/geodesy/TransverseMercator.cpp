#include "geodesy/TransverseMercator.h"

#include "geodesy/AngleConversion.h"
#include "geodesy/GeodesyNumberText.h"

#include <cmath>

namespace skerra {
namespace geodesy {

namespace {

constexpr std::size_t kEllipsoidWordChars = 20;

// λ - λ0 reduced to [-π, π].
long double reducedLongitudeDifference(long double difference)
{
    if (difference > kGeodesyPi)
        difference -= 2 * kGeodesyPi;
    else if (difference < -kGeodesyPi)
        difference += 2 * kGeodesyPi;
    return difference;
}

}  // namespace

std::optional<TMParameters> parseTMParameters(std::string_view text)
{
    double v[5];
    if (NumberScanner(text).read(v, 5) != 5)
        return std::nullopt;
    return TMParameters{v[0], v[1], v[2], v[3], v[4]};
}

std::optional<Ellipsoid> parseEllipsoidParameters(std::string_view text)
{
    NumberScanner scanner(text);
    if (!scanner.skipWord(kEllipsoidWordChars) || !scanner.skipWord(kEllipsoidWordChars))
        return std::nullopt;
    double v[2];
    if (scanner.read(v, 2) != 2)
        return std::nullopt;
    return Ellipsoid{v[0], v[1]};
}

std::optional<TransverseMercator> TransverseMercator::create(const TMParameters& parameters,
                                                             const Ellipsoid& ellipsoid)
{
    if (!isUsable(ellipsoid))
        return std::nullopt;
    for (long double v : {parameters.centralMeridian, parameters.referenceLatitude,
                          parameters.scaleFactor, parameters.falseEasting, parameters.falseNorthing})
        if (!std::isfinite(v))
            return std::nullopt;

    TransverseMercator tm;
    tm.parameters_ = parameters;
    tm.a_ = ellipsoid.a;
    const long double e2 = ellipsoid.f * (2 - ellipsoid.f);
    const long double e4 = e2 * e2, e6 = e4 * e2;
    tm.e2_ = e2;
    tm.ep2_ = e2 / (1 - e2);
    tm.m1_ = 1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256;
    tm.m2_ = 3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024;
    tm.m3_ = 15 * e4 / 256 + 45 * e6 / 1024;
    tm.m4_ = 35 * e6 / 3072;
    tm.lambda0_ = degToRad(parameters.centralMeridian);
    const long double phi0 = degToRad(parameters.referenceLatitude);
    const SinCos sc0 = sinCos(phi0);
    tm.m0_ = tm.meridianArc(phi0, sc0.sin, sc0.cos);
    return tm;
}

long double TransverseMercator::meridianArc(long double phi, long double s, long double c) const
{
    // sin 2x, sin 4x and sin 6x from sin x and cos x.
    const long double sin2 = 2 * s * c;
    const long double cos2 = c * c - s * s;
    const long double sin4 = 2 * sin2 * cos2;
    const long double cos4 = cos2 * cos2 - sin2 * sin2;
    const long double sin6 = sin4 * cos2 + cos4 * sin2;
    return a_ * (m1_ * phi - m2_ * sin2 + m3_ * sin4 - m4_ * sin6);
}

std::optional<GridPosition> TransverseMercator::project(long double latitude,
                                                        long double longitude) const
{
    const long double phi = degToRad(latitude);
    return project(phi, sinCos(phi), degToRad(longitude));
}

std::optional<GridPosition> TransverseMercator::project(long double phi, const SinCos& sinCosPhi,
                                                        long double lambda) const
{
    const long double s = sinCosPhi.sin;
    const long double c = sinCosPhi.cos;
    const long double k0 = parameters_.scaleFactor;
    const long double m = meridianArc(phi, s, c);

    GridPosition out;
    if (std::fabs(c) < 1e-12L) {
        // A pole: the series tends to the central meridian at the pole's meridian arc.
        out = {parameters_.falseEasting, parameters_.falseNorthing + k0 * (m - m0_)};
    } else {
        const long double t = s / c;
        const long double T = t * t;
        const long double C = e2_ * c * c / (1 - e2_);
        const long double A = reducedLongitudeDifference(lambda - lambda0_) * c;
        const long double nu = a_ / std::sqrt(1 - e2_ * s * s);
        const long double A2 = A * A, A3 = A2 * A, A4 = A2 * A2, A5 = A4 * A, A6 = A3 * A3;
        out.easting = parameters_.falseEasting
                      + k0 * nu
                            * (A + (1 - T + C) * A3 / 6
                               + (5 - 18 * T + T * T + 72 * C - 58 * ep2_) * A5 / 120);
        out.northing = parameters_.falseNorthing
                       + k0 * (m - m0_
                               + nu * t
                                     * (A2 / 2 + (5 - T + 9 * C + 4 * C * C) * A4 / 24
                                        + (61 - 58 * T + T * T + 600 * C - 330 * ep2_) * A6 / 720));
    }
    if (!std::isfinite(out.easting) || !std::isfinite(out.northing))
        return std::nullopt;
    return out;
}

}  // namespace geodesy

std::string gridText(const geodesy::GridPosition& grid)
{
    std::string s;
    s.reserve(40);
    geodesy::appendGeneral(s, grid.easting);
    s += ' ';
    geodesy::appendGeneral(s, grid.northing);
    return s;
}

std::string GeodeticToTM(const std::string& position, const std::string& tm,
                         const std::string& ellipsoid)
{
    using namespace geodesy;
    double latLon[2];
    if (NumberScanner(position).read(latLon, 2) != 2)
        return kFailureText;
    const auto parameters = parseTMParameters(tm);
    const auto shape = parseEllipsoidParameters(ellipsoid);
    if (!parameters || !shape)
        return kFailureText;
    const auto projection = TransverseMercator::create(*parameters, *shape);
    if (!projection)
        return kFailureText;
    const auto grid = projection->project(latLon[0], latLon[1]);
    return grid ? gridText(*grid) : kFailureText;
}

}  // namespace skerra
