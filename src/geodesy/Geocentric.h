#pragma once
// Geodetic (latitude, longitude, height) <-> geocentric (X, Y, Z) on an ellipsoid.

#include "geodesy/GeodesyTypes.h"
#include "geodesy/SinCos.h"

#include <optional>
#include <string>

namespace skerra {
namespace geodesy {

// Nothing when the ellipsoid is unusable or the result is not finite.
std::optional<GeocentricPosition> geodeticToGeocentric(const GeodeticPosition& position,
                                                       const Ellipsoid& ellipsoid);

// The geodetic position in radians with the sine and cosine of its latitude,
// for the steps that go on from it (the grid projection).
struct GeodeticSolution {
    long double latitude;  // rad
    SinCos latitudeSinCos;
    long double longitude;  // rad, (-pi, pi]
    long double height;     // m
};

// Latitude by fixed-point iteration to 1e-12 rad, started from Bowring's
// closed-form estimate so that one or two passes suffice. Points on the polar
// axis give latitude ±90, longitude 0 and the height above the pole; the
// centre of the Earth and an unusable ellipsoid give nothing.
std::optional<GeodeticPosition> geocentricToGeodetic(const GeocentricPosition& position,
                                                     const Ellipsoid& ellipsoid);
std::optional<GeodeticSolution> solveGeodetic(const GeocentricPosition& position,
                                              const Ellipsoid& ellipsoid);

// "X<tab>Y<tab>Z", each with 15 significant digits.
std::string geocentricText(const GeocentricPosition& position);
// "lat<tab>lon<tab>h": degrees with 8 decimals, height with 2.
std::string geodeticText(const GeodeticPosition& position);

}  // namespace geodesy

// Text routines: the geocentric text, or "0" when there is no finite result.
std::string GeodeticToGeocentric(long double lat, long double lon, long double h,
                                 long double a, long double f);
// The geodetic text (8 decimals of a degree, 2 of a metre), or "0".
std::string GeocentricToGeodetic(long double x, long double y, long double z,
                                 long double a, long double f);

}  // namespace skerra
