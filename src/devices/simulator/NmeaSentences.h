#pragma once
// The NMEA 0183 sentences a GNSS receiver sends: GGA, RMC, VTG and HDT, each with its
// "*hh" checksum. Numbers are written without the locale.

#include <string>
#include <string_view>

namespace skerra::sim {

// "$" + body + "*" + the checksum of body in two upper-case hexadecimal digits.
std::string WithChecksum(std::string_view body);

struct UtcTime {
    int Year = 1970, Month = 1, Day = 1;
    int Hour = 0, Minute = 0;
    double Second = 0;
};
// Seconds since 1970-01-01 00:00:00 UTC to the calendar.
UtcTime UtcFromUnixSeconds(double seconds);

// What the receiver knows at one epoch.
struct GnssEpoch {
    double Time = 0;          // UTC, seconds since 1970
    int FixQuality = 0;       // GGA quality; 0: no position (fields left empty)
    double Latitude = 0;      // WGS84 degrees
    double Longitude = 0;
    double Altitude = 0;      // antenna above mean sea level, metres
    double GeoidSeparation = 0;
    int Satellites = 0;
    double Hdop = 0;
    double CorrectionAge = 0; // seconds, for DGPS and RTK fixes
    double SpeedKnots = 0;    // over ground
    double Course = 0;        // over ground, degrees true
    double Heading = 0;       // of the boat, degrees true
};

std::string GgaSentence(const GnssEpoch& e);
std::string RmcSentence(const GnssEpoch& e);
std::string VtgSentence(const GnssEpoch& e);  // the magnetic course is left empty
std::string HdtSentence(const GnssEpoch& e);

// "ddmm.mmmmmmm,N" / "dddmm.mmmmmmm,E".
std::string NmeaLatitude(double degrees);
std::string NmeaLongitude(double degrees);

}  // namespace skerra::sim
