#pragma once
// The demo survey: parallel lines in a real coastal area and the path a boat takes
// along them.
//
// Positions are metres east and north of the area's origin (the start of the first
// line). The boat runs the lines back and forth, joined by half-circle turns, first
// to the last line and back again, for ever.

namespace skerra::sim {

struct SurveyArea {
    double OriginLatitude = 0;    // WGS84 degrees, start of the first line
    double OriginLongitude = 0;
    double LineAzimuth = 90;      // degrees from north, direction of the first line
    double LineLength = 600;      // metres
    double LineSpacing = 25;      // metres between neighbouring lines
    int LineCount = 12;           // lines laid out to the right of the first one
};

// The inner bay of Izmir (Aegean coast of Turkey): lines running east-north-east
// across the water between Konak and Karsiyaka.
SurveyArea DemoSurveyArea();

struct PathPoint {
    double East = 0;    // metres from the origin
    double North = 0;
    double Course = 0;  // degrees from north, 0 to 360
    bool OnLine = false;  // on a survey line (false: in a turn)
    int Line = 0;       // the line being run or the one just left
};

class SurveyPath {
public:
    explicit SurveyPath(const SurveyArea& area);

    // Length of one full pass (first line to the last and back), metres.
    double CycleLength() const { return cycle_; }
    // The point reached after `distance` metres from the start of the first line.
    PathPoint At(double distance) const;

private:
    PathPoint local(double along, double across, double courseAlong, bool onLine, int line) const;

    SurveyArea area_;
    double turn_ = 0;    // length of one turn
    int legs_ = 1;       // lines run in one pass
    double cycle_ = 0;
};

// Metres east and north of a point to WGS84 degrees (a local tangent-plane
// approximation, well below a centimetre over a few kilometres).
struct Geodetic {
    double Latitude = 0;
    double Longitude = 0;
};
Geodetic OffsetToGeodetic(double latitude, double longitude, double east, double north);

}  // namespace skerra::sim
