#include "SurveyCsvLines.h"

#include "platform/NumberText.h"
#include "shell/SharedHeader.h"

namespace skerra::survey {
namespace {

void field(std::string& out) { out += ','; }

void fixed(std::string& out, double v)
{
    field(out);
    skerra::AppendFixed(out, v, 2);
}

void general(std::string& out, double v)
{
    field(out);
    skerra::AppendGeneral(out, v, 15);
}

}  // namespace

const std::string& CoordinatesCsvHeaderLine()
{
    static const std::string header =
        "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),True Depth (Lo),"
        "Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,Transducer Draft,GPS, RTK Antenna "
        "Height,Manual Tide,RTK Tide\r\n";
    return header;
}

const std::string& SimpleXyzHeaderLine()
{
    static const std::string header = "Easting,Northing,Elevation\r\n";
    return header;
}

std::string CoordinatesCsvLine(const CoordinateLogValues& v)
{
    std::string out = DateTimeText(v.time);
    out.reserve(256);
    if (v.hasPosition) {
        general(out, v.latitude);
        general(out, v.longitude);
        fixed(out, v.easting);
        fixed(out, v.northing);
    } else {
        out += ",,,,";
    }
    fixed(out, v.manualTide - v.trueHigh);
    fixed(out, v.manualTide - v.trueLow);
    fixed(out, v.trueHigh);
    fixed(out, v.trueLow);
    general(out, v.rawHigh);
    general(out, v.rawLow);
    field(out);
    out += v.messageFormat;
    fixed(out, v.soundVelocity);
    fixed(out, v.draft);
    field(out);
    out += skerra::IntToStr(v.fixQuality);
    if (v.hasRtkHeights)
        fixed(out, v.antennaHeight);
    else
        field(out);
    fixed(out, v.manualTide);
    if (v.hasRtkHeights)
        fixed(out, v.rtkTide);
    else
        field(out);
    out += "\r\n";
    return out;
}

std::string SimpleXyzLine(double easting, double northing, double elevation)
{
    std::string out;
    skerra::AppendFixed(out, easting, 2);
    fixed(out, northing);
    fixed(out, elevation);
    out += "\r\n";
    return out;
}

}  // namespace skerra::survey
