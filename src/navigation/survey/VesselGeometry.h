#pragma once
// The vessel symbol: an arrow along the heading and range rings around the position.

#include "navigation/survey/SurveySettingsSource.h"

#include <array>
#include <string>
#include <vector>

namespace skerra::survey {

struct VesselShape {
    int ringCount = 0;
    double ringInterval = 0;     // metres
    double firstRingRadius = 0;  // metres
    double bowArrow = 0;         // metres
    double sideArrow = 0;        // metres
};

constexpr int kMaxRings = kMaxRangeRings;

// Takes every edit that is not empty; a text that is not a number keeps the value
// in force and is named in `problem`. The ring count is clamped to 0..kMaxRings.
void UpdateVesselShape(VesselShape& shape, const VesselShapeTexts& texts, std::string& problem);

struct Segment {
    double x1, y1, x2, y2;
};

// P to bow, P to both sides, bow to both sides; heading in degrees clockwise from
// grid north.
std::array<Segment, 5> VesselLines(double easting, double northing, double headingDeg, const VesselShape& shape);

// The range rings' radii, innermost first.
std::vector<double> RingRadii(const VesselShape& shape);

}  // namespace skerra::survey
