#pragma once
// The bytes of the two survey logs: the coordinate CSV (18 fields a sounding) and
// the simple XYZ file. Lines end with CR LF.

#include <QDateTime>

#include <string>

namespace skerra::survey {

// The coordinate CSV's header line, CR LF included.
const std::string& CoordinatesCsvHeaderLine();
// The simple XYZ file's header line, CR LF included.
const std::string& SimpleXyzHeaderLine();

struct CoordinateLogValues {
    QDateTime time;                  // local time of the sounding
    bool hasPosition = true;         // false: Lat, Lon, Easting and Northing stay empty
    double latitude = 0, longitude = 0;
    double easting = 0, northing = 0;
    double manualTide = 0;
    double trueHigh = 0, trueLow = 0;
    double rawHigh = 0, rawLow = 0;
    std::string messageFormat;       // the sounder's message type
    double soundVelocity = 0;        // the velocity applied
    double draft = 0;                // the draft applied
    int fixQuality = 0;
    bool hasRtkHeights = true;       // false: RTK Antenna Height and RTK Tide stay empty
    double antennaHeight = 0;
    double rtkTide = 0;
};

std::string CoordinatesCsvLine(const CoordinateLogValues& v);

// "E,N,Elevation", fixed with two decimals.
std::string SimpleXyzLine(double easting, double northing, double elevation);

}  // namespace skerra::survey
