#pragma once
// Transverse Mercator forward projection: the series published by Snyder.
//
// The series is good to about a millimetre within 3 degrees of the central
// meridian; its error grows quickly beyond (centimetres at 5 degrees, decimetres
// and more further out), so it suits a survey grid, not a world map. The
// longitude difference is reduced to +-180 degrees first, so a point at 179 E
// with a central meridian at 179 W lies 2 degrees west of it.

#include "geodesy/GeodesyTypes.h"
#include "geodesy/SinCos.h"

#include <optional>
#include <string>
#include <string_view>

namespace skerra {
namespace geodesy {

// The five numbers of a Transverse Mercator parameter text: central meridian,
// reference latitude, scale factor, false easting, false northing.
std::optional<TMParameters> parseTMParameters(std::string_view text);

// The ellipsoid of an ellipsoid parameter text: the first two words are skipped
// (each read as one word of at most 20 characters), the third is a, the fourth f.
std::optional<Ellipsoid> parseEllipsoidParameters(std::string_view text);

class TransverseMercator {
public:
    // Nothing when the ellipsoid is unusable or a parameter is not finite.
    static std::optional<TransverseMercator> create(const TMParameters& parameters,
                                                    const Ellipsoid& ellipsoid);

    // Latitude and longitude in degrees; nothing when the result is not finite.
    std::optional<GridPosition> project(long double latitude, long double longitude) const;
    // The same with the latitude in radians and its sine and cosine already known,
    // and the longitude in radians.
    std::optional<GridPosition> project(long double phi, const SinCos& sinCosPhi,
                                        long double lambda) const;

private:
    TransverseMercator() = default;
    long double meridianArc(long double phi, long double sinPhi, long double cosPhi) const;

    TMParameters parameters_;
    long double a_ = 0, e2_ = 0, ep2_ = 0;
    long double m1_ = 0, m2_ = 0, m3_ = 0, m4_ = 0;  // meridian arc coefficients
    long double lambda0_ = 0;                        // rad
    long double m0_ = 0;                             // meridian arc at the reference latitude
};

}  // namespace geodesy

// position: "lat lon" (degrees; a third number is ignored); tm: the TM
// parameter text; ellipsoid: the ellipsoid parameter text. Result "E N"
// (15 significant digits each), or "0" when the position has fewer than two
// numbers, a parameter text is incomplete, or the result is not finite.
std::string GeodeticToTM(const std::string& position, const std::string& tm,
                         const std::string& ellipsoid);

// "E N" with 15 significant digits each.
std::string gridText(const geodesy::GridPosition& grid);

}  // namespace skerra
