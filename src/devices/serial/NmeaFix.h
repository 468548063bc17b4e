#pragma once
// What the serial device keeps from the NMEA sentences it receives.

namespace skerra {

struct NmeaFix {
    double Latitude = 0;    // degrees, south negative
    double Longitude = 0;   // degrees, west negative
    double Altitude = 0;    // metres
    double Speed = 0;       // speed over ground, km/h
    double Course = 0;      // course over ground, degrees
    int FixQuality = 0;     // GGA fix quality
    int Satellites = 0;     // GGA satellites in use
};

// Which values of an NmeaFix one sentence changed, i.e. which events it raises.
struct NmeaChanges {
    bool Position = false;
    bool Speed = false;
};

}  // namespace skerra
