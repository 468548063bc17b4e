#pragma once
// What the GNSS line handler reads from the NMEA sentences itself: the gyro heading
// of HDT, the speed in knots of RMC and VTG, and fix quality, altitude and geoid
// separation of GGA for the RTK antenna height and tide.
//
// A type is recognised when its three letters occur in the line, whatever the
// talker. Fields are taken by their comma position; a line whose checksum does not
// match gives nothing.

#include <optional>
#include <string>
#include <string_view>

namespace skerra::survey {

bool HasSentenceType(std::string_view line, std::string_view type);

// HDT: the heading field, degrees.
std::optional<double> HdtHeading(std::string_view line);

// RMC and VTG: the speed in knots to keep. A speed field that is empty or not a
// number gives 0; a negative one, or a damaged line, leaves the speed as it is
// (nothing).
std::optional<double> RmcSpeedKnots(std::string_view line);
std::optional<double> VtgSpeedKnots(std::string_view line);

struct GgaValues {
    int fixQuality = 0;
    double altitude = 0;                // above mean sea level, metres
    std::optional<double> separation;   // geoid separation, metres
};

// What one GGA says of the fix. A GGA with fix quality 0, or without a usable position,
// is no fix (some receivers keep sending their last position, or zeros, with quality
// 0). A GGA whose UTC time equals the previous GGA's is a repeat (a receiver or a line
// repeating its last sentence), not a new fix. A line whose checksum does not match
// says nothing.
enum class GgaFix { Damaged, NoFix, Repeat, NewFix };
struct GgaEpoch {
    GgaFix kind = GgaFix::Damaged;
    std::string time;  // the UTC time field as it stands
};
// previousTime: the time field of the GGA before; an empty time is never a repeat.
GgaEpoch ReadGgaEpoch(std::string_view line, std::string_view previousTime);

// GGA: nothing unless the time, fix quality and altitude fields are numbers.
std::optional<GgaValues> GgaHeightValues(std::string_view line);

struct RtkHeights {
    double antennaHeight = 0;  // above the ellipsoid (or sea level without separation)
    double tide = 0;           // antenna height minus the antenna's offset above the water
};

// Only for RTK fixed (quality 4), and only heights that are finite numbers: altitudes
// near the largest double add up to infinity.
std::optional<RtkHeights> RtkHeightsFromGga(const GgaValues& gga, double antennaOffset);

}  // namespace skerra::survey
