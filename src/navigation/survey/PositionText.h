#pragma once
// The position texts of the status bar.

#include <string>

namespace skerra::survey {

// 40°12'3.456"N, 29°1'2.000"E: degrees, minutes and seconds with three decimals
// (rounded as a whole, so the seconds never read 60.000).
std::string DmsText(double latitude, double longitude);

// "E500000.00, N4400000.00"
std::string GridPositionText(double easting, double northing);

}  // namespace skerra::survey
