#include "devices/simulator/SurveyPattern.h"

#include <cmath>
#include <numbers>

namespace skerra::sim {
namespace {

constexpr double kDegree = std::numbers::pi / 180;

double normalisedCourse(double degrees)
{
    const double c = std::fmod(degrees, 360.0);
    return c < 0 ? c + 360 : c;
}

}  // namespace

SurveyArea DemoSurveyArea()
{
    SurveyArea area;
    area.OriginLatitude = 38.4300;
    area.OriginLongitude = 27.0800;
    area.LineAzimuth = 75;
    area.LineLength = 600;
    area.LineSpacing = 20;
    area.LineCount = 15;
    return area;
}

SurveyPath::SurveyPath(const SurveyArea& area) : area_(area)
{
    if (area_.LineCount < 2) area_.LineCount = 2;
    turn_ = std::numbers::pi * area_.LineSpacing / 2;
    legs_ = 2 * (area_.LineCount - 1);
    cycle_ = legs_ * (area_.LineLength + turn_);
}

PathPoint SurveyPath::local(double along, double across, double courseAlong, bool onLine, int line) const
{
    const double az = area_.LineAzimuth * kDegree;
    PathPoint p;
    p.East = along * std::sin(az) + across * std::cos(az);
    p.North = along * std::cos(az) - across * std::sin(az);
    p.Course = normalisedCourse(area_.LineAzimuth + courseAlong);
    p.OnLine = onLine;
    p.Line = line;
    return p;
}

PathPoint SurveyPath::At(double distance) const
{
    double d = std::fmod(distance, cycle_);
    if (d < 0) d += cycle_;
    const double legLength = area_.LineLength + turn_;
    const int leg = std::min(legs_ - 1, static_cast<int>(d / legLength));
    const double s = d - leg * legLength;
    const int n = area_.LineCount;
    auto lineOf = [&](int j) { return j < n ? j : 2 * n - 2 - j; };
    const int line = lineOf(leg);
    const bool forward = leg % 2 == 0;
    const double across = line * area_.LineSpacing;

    if (s < area_.LineLength)
        return local(forward ? s : area_.LineLength - s, across, forward ? 0 : 180, true, line);

    // The half circle from the end of this line to the start of the next one.
    const double r = area_.LineSpacing / 2;
    const double phi = (s - area_.LineLength) / r;  // 0 to pi
    const double outward = forward ? 1 : -1;        // beyond the line's end
    const double side = lineOf((leg + 1) % legs_) > line ? 1 : -1;
    const double along = (forward ? area_.LineLength : 0) + outward * r * std::sin(phi);
    const double acrossNow = across + side * r * (1 - std::cos(phi));
    // Heading in the line frame: along the line is 0 degrees, across (right) 90.
    const double courseAlong =
        std::atan2(side * std::sin(phi), outward * std::cos(phi)) / kDegree;
    return local(along, acrossNow, courseAlong, false, line);
}

Geodetic OffsetToGeodetic(double latitude, double longitude, double east, double north)
{
    constexpr double a = 6378137.0;
    constexpr double e2 = 0.00669437999014;
    const double s = std::sin(latitude * kDegree);
    const double w = std::sqrt(1 - e2 * s * s);
    const double meridian = a * (1 - e2) / (w * w * w);
    const double primeVertical = a / w;
    return {latitude + north / meridian / kDegree,
            longitude + east / (primeVertical * std::cos(latitude * kDegree)) / kDegree};
}

}  // namespace skerra::sim
