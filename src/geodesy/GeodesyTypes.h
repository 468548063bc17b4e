#pragma once
// Plain values of the geodesy numeric core. Angles are decimal degrees,
// lengths metres, unless a member says otherwise.

namespace skerra::geodesy {

// Semi-major axis a and flattening f (not its inverse).
struct Ellipsoid {
    long double a = 0;
    long double f = 0;
};

// A usable ellipsoid: finite a > 0 and 0 <= f < 1. An inverse flattening typed
// into the flattening field (298.257...) fails here instead of giving NaN.
bool isUsable(const Ellipsoid& ellipsoid);

// The WGS84 ellipsoid as the parameter texts write it.
inline constexpr Ellipsoid kWgs84{6378137.0L, 0.0033528106647474L};

// One seven-parameter set: scale difference (ppm), rotations about X, Y, Z
// (arc-seconds, coordinate-frame convention) and translations (m).
struct HelmertParameters {
    long double ppm = 0;
    long double rx = 0, ry = 0, rz = 0;
    long double tx = 0, ty = 0, tz = 0;
};

// The eighteen values of the datum parameter text: the source datum and its
// set to WGS84 (applied forward), the target datum and its set to WGS84
// (applied in reverse).
struct DatumParameters {
    Ellipsoid source;
    HelmertParameters sourceToWgs84;
    Ellipsoid target;
    HelmertParameters targetToWgs84;
};

// The five values of the Transverse Mercator parameter text.
struct TMParameters {
    long double centralMeridian = 0;    // degrees
    long double referenceLatitude = 0;  // degrees, latitude of the grid origin
    long double scaleFactor = 1;        // on the central meridian
    long double falseEasting = 0;
    long double falseNorthing = 0;
};

struct GeodeticPosition {
    long double latitude = 0;   // degrees, north positive
    long double longitude = 0;  // degrees, east positive
    long double height = 0;     // ellipsoidal, m
};

struct GeocentricPosition {
    long double x = 0, y = 0, z = 0;
};

struct GridPosition {
    long double easting = 0;
    long double northing = 0;
};

}  // namespace skerra::geodesy
