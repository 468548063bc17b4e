#pragma once
// Distance and initial bearing between two WGS84 positions on a sphere of radius
// 6,371,000 m, as the correction-stream report gives them from the vessel to the
// reference station.

namespace skerra::rtcm {

// Haversine distance in metres; positions in degrees.
double GreatCircleDistance(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude);

// Initial bearing in degrees, 0 <= bearing < 360, clockwise from north.
double InitialBearing(double fromLatitude, double fromLongitude, double toLatitude, double toLongitude);

}  // namespace skerra::rtcm
