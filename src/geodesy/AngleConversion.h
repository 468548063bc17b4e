#pragma once
// Degrees and radians. Angles are decimal degrees in every geodesy text and
// radians inside the routines.

#include <string>

namespace skerra {

// π as the geodesy routines use it: the double closest to π, widened to long double.
inline constexpr long double kGeodesyPi = 3.141592653589793;

// Selector "r" or "R": degrees to radians; "d" or "D": radians to degrees;
// any other selector (the empty one, "rad", ...) gives 0.
long double ConvertAngle(long double value, const std::string& selector);

namespace geodesy {

constexpr long double degToRad(long double degrees) { return degrees * kGeodesyPi / 180; }
constexpr long double radToDeg(long double radians) { return radians * 180 / kGeodesyPi; }

}  // namespace geodesy
}  // namespace skerra
