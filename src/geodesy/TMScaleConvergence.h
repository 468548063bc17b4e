#pragma once
// Transverse Mercator point scale factor and grid convergence (Redfearn's
// series, double precision).

#include <string>

namespace skerra {

namespace geodesy {

struct ScaleConvergence {
    double scaleFactor = 0;  // point scale factor k
    double convergence = 0;  // grid convergence, degrees
};

// Latitude, longitude and central meridian in degrees. The longitude difference
// is reduced to +-180 degrees. Both values are 0 when they would not be finite.
ScaleConvergence tmScaleConvergence(double a, double f, double latitude, double longitude,
                                    double centralMeridian, double k0);

}  // namespace geodesy

// what "PtScFac": the point scale factor; "GrdConv": the grid convergence in
// degrees, the angle added to a true bearing to get the grid bearing (negative
// east of the central meridian in the northern hemisphere). Any other selector
// gives 0. The reference latitude, false easting and false northing are not used.
long double TMScaleConvergence(const std::string& what, double a, double f, double latitude,
                               double longitude, double centralMeridian, double referenceLatitude,
                               double k0, double falseEasting, double falseNorthing);

}  // namespace skerra
