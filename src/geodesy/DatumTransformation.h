#pragma once
// Moving a position from one geodetic datum to another: geodetic to geocentric
// on the source ellipsoid, the source set forward into WGS84, the target set in
// reverse out of WGS84, geocentric to geodetic on the target ellipsoid.

#include "geodesy/Geocentric.h"
#include "geodesy/GeodesyTypes.h"
#include "geodesy/HelmertTransform.h"

#include <optional>
#include <string>
#include <string_view>

namespace skerra {
namespace geodesy {

// The eighteen numbers of a datum parameter text, in their field order:
// a1 f1 ppm1 rx1 ry1 rz1 tx1 ty1 tz1 a2 f2 ppm2 rx2 ry2 rz2 tx2 ty2 tz2.
// Nothing when fewer than eighteen can be read.
std::optional<DatumParameters> parseDatumParameters(std::string_view text);

// The datum transformation with its two Helmert sets prepared once.
class DatumTransformation {
public:
    explicit DatumTransformation(const DatumParameters& parameters);

    std::optional<GeocentricPosition> toTargetGeocentric(const GeodeticPosition& position) const;
    std::optional<GeodeticPosition> toTargetGeodetic(const GeodeticPosition& position) const;
    std::optional<GeodeticSolution> toTargetSolution(const GeodeticPosition& position) const;

private:
    DatumParameters parameters_;
    HelmertTransformation sourceToWgs84_;
    HelmertTransformation targetToWgs84_;
};

}  // namespace geodesy

// position: "lat lon h" (three numbers). mode "XYZ" (exactly): the geocentric
// text on the target datum; any other mode ("BLH"): the geodetic text
// (8 decimals of a degree, 2 of a metre). "0" when the position has fewer than
// three numbers, the datum text fewer than eighteen, or any step fails. The
// steps hand their values on as texts with 15 significant digits.
std::string TransformDatum(const std::string& mode, const std::string& position,
                           const std::string& datum);

}  // namespace skerra
