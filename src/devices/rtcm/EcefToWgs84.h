#pragma once
// Earth-centred (ECEF) coordinates to WGS84 latitude, longitude and ellipsoidal
// height, as the station reports show them.

namespace skerra::rtcm {

struct TGeodeticPosition {
    double Latitude = 0;    // degrees, south negative
    double Longitude = 0;   // degrees, west negative
    double Height = 0;      // metres above the ellipsoid
};

// Iterative conversion: the latitude is refined 10 times from atan2(Z, (1 - e²)p).
TGeodeticPosition EcefToWgs84(double x, double y, double z);

// A station position is believed only when its distance from the earth's centre is
// strictly between 6,000,000 and 7,000,000 m.
bool IsPlausibleStationEcef(double x, double y, double z);

}  // namespace skerra::rtcm
