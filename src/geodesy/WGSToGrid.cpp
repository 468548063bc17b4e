#include "geodesy/WGSToGrid.h"

#include "geodesy/AngleConversion.h"
#include "geodesy/GeodesyNumberText.h"

#include <cmath>

namespace skerra {
namespace geodesy {

std::optional<WgsToGridConverter> WgsToGridConverter::create(const DatumParameters& datum,
                                                             const TMParameters& tm,
                                                             const Ellipsoid& ellipsoid)
{
    const auto projection = TransverseMercator::create(tm, ellipsoid);
    if (!projection)
        return std::nullopt;
    return WgsToGridConverter(datum, *projection);
}

std::optional<WgsToGridConverter> WgsToGridConverter::fromTexts(std::string_view datum,
                                                                std::string_view tm,
                                                                std::string_view ellipsoid)
{
    const auto d = parseDatumParameters(datum);
    const auto t = parseTMParameters(tm);
    const auto e = parseEllipsoidParameters(ellipsoid);
    if (!d || !t || !e)
        return std::nullopt;
    return create(*d, *t, *e);
}

long double atGeodeticTextResolution(long double degrees)
{
    // The text holds the decimal rounded to 8 places; reading it back gives the
    // double nearest to that decimal, which is this correctly rounded quotient.
    const long double scaled = static_cast<long double>(static_cast<double>(degrees)) * 1e8L;
    if (!(std::fabs(scaled) < 0x1p62L))
        return degrees;
    // rint, not nearbyint: the same rounding to nearest, without saving and
    // restoring the floating-point environment on every call.
    const double units = static_cast<double>(std::rint(scaled));
    return static_cast<double>(units / 1e8);
}

std::optional<GridPosition> WgsToGridConverter::toGrid(long double latitude,
                                                       long double longitude,
                                                       long double height) const
{
    const auto local = datum_.toTargetSolution({latitude, longitude, height});
    if (!local)
        return std::nullopt;
    // Round to the geodetic text's 8 decimals of a degree, then move the sine and
    // cosine of the latitude by the tiny rounding step instead of computing them anew.
    const long double phi = degToRad(atGeodeticTextResolution(radToDeg(local->latitude)));
    const long double lambda = degToRad(atGeodeticTextResolution(radToDeg(local->longitude)));
    return tm_.project(phi, sinCosShifted(local->latitudeSinCos, phi - local->latitude), lambda);
}

}  // namespace geodesy

namespace {

struct PreparedRoute {
    std::string datum, tm, ellipsoid;
    bool ready = false;
    std::optional<geodesy::WgsToGridConverter> converter;
};

const std::optional<geodesy::WgsToGridConverter>& routeFor(const std::string& datum,
                                                           const std::string& tm,
                                                           const std::string& ellipsoid)
{
    thread_local PreparedRoute route;
    if (!route.ready || route.datum != datum || route.tm != tm || route.ellipsoid != ellipsoid) {
        route.converter = geodesy::WgsToGridConverter::fromTexts(datum, tm, ellipsoid);
        route.datum = datum;
        route.tm = tm;
        route.ellipsoid = ellipsoid;
        route.ready = true;
    }
    return route.converter;
}

}  // namespace

std::string WGSToGrid(const std::string& position, const std::string& datum,
                      const std::string& tm, const std::string& ellipsoid)
{
    using namespace geodesy;
    // The position is read as "position 0": two numbers and the height 0, or a
    // third number of the position as the height.
    NumberScanner scanner(position);
    double blh[3] = {0, 0, 0};
    if (scanner.read(blh, 2) != 2)
        return kFailureText;
    if (!scanner.atEnd()) {
        const auto height = scanner.next();
        if (!height)
            return kFailureText;
        blh[2] = *height;
    }
    const auto& converter = routeFor(datum, tm, ellipsoid);
    if (!converter)
        return kFailureText;
    const auto grid = converter->toGrid(blh[0], blh[1], blh[2]);
    return grid ? gridText(*grid) : kFailureText;
}

}  // namespace skerra
