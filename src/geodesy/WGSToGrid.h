#pragma once
// WGS84 latitude and longitude to the survey grid: the datum transformation onto
// the survey datum, then the Transverse Mercator projection.
//
// The geodetic position between the two steps has the resolution of the
// geodetic text, 8 decimals of a degree (about a millimetre); the numeric
// converter keeps that resolution too, so both routes give the same grid.

#include "geodesy/DatumTransformation.h"
#include "geodesy/TransverseMercator.h"

#include <optional>
#include <string>
#include <string_view>

namespace skerra {
namespace geodesy {

// The whole route prepared once for one set of parameters; for callers that
// hold numbers (the map timer, the KML import, benchmarks).
class WgsToGridConverter {
public:
    static std::optional<WgsToGridConverter> create(const DatumParameters& datum,
                                                    const TMParameters& tm,
                                                    const Ellipsoid& ellipsoid);
    // From the three parameter texts; nothing when one of them is incomplete.
    static std::optional<WgsToGridConverter> fromTexts(std::string_view datum, std::string_view tm,
                                                       std::string_view ellipsoid);

    // WGS84 latitude and longitude in degrees, ellipsoidal height in metres.
    // Nothing when a step fails.
    std::optional<GridPosition> toGrid(long double latitude, long double longitude,
                                       long double height = 0) const;

private:
    WgsToGridConverter(const DatumParameters& datum, const TransverseMercator& tm)
        : datum_(datum), tm_(tm) {}

    DatumTransformation datum_;
    TransverseMercator tm_;
};

// A value rounded to the 8 decimals of the geodetic text, as read back from it.
long double atGeodeticTextResolution(long double degrees);

}  // namespace geodesy

// position: "lat lon" in WGS84 degrees (a third number is taken as the
// ellipsoidal height, otherwise 0); datum, tm, ellipsoid: the three parameter
// texts. Result "E N" (15 significant digits each), or "0" when the position has
// fewer than two numbers, a parameter text is incomplete, or a step fails.
// The prepared route for the last parameter texts is kept per thread, so a
// caller that passes the same texts for every point does not pay for reading them.
std::string WGSToGrid(const std::string& position, const std::string& datum,
                      const std::string& tm, const std::string& ellipsoid);

}  // namespace skerra
