// The survey lines and the path along them.

#include "devices/simulator/SurveyPattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace skerra::sim;

namespace {

// Three lines 100 m long running east, 20 m apart, laid out to the south.
SurveyArea smallArea()
{
    SurveyArea a;
    a.LineAzimuth = 90;
    a.LineLength = 100;
    a.LineSpacing = 20;
    a.LineCount = 3;
    return a;
}

TEST(SurveyPath, FollowsTheLinesAndTheTurnsBetweenThem)
{
    const SurveyPath path(smallArea());
    const double turn = std::numbers::pi * 10;
    const double leg = 100 + turn;
    ASSERT_NEAR(path.CycleLength(), 4 * leg, 1e-9);  // lines 0, 1, 2, 1, then line 0 again

    struct Case {
        double distance;
        double east, north, course;
        bool onLine;
        int line;
    } cases[] = {
        {0, 0, 0, 90, true, 0},
        {50, 50, 0, 90, true, 0},
        {100 + turn / 2, 110, -10, 180, false, 0},  // half way round the first turn
        {leg + 30, 70, -20, 270, true, 1},          // line 1 is run westwards
        {2 * leg + 10, 10, -40, 90, true, 2},
        {3 * leg + 10, 90, -20, 270, true, 1},      // back up from the last line
        {4 * leg + 50, 50, 0, 90, true, 0},         // the next pass
    };
    for (const Case& c : cases) {
        const PathPoint p = path.At(c.distance);
        EXPECT_NEAR(p.East, c.east, 1e-6) << c.distance;
        EXPECT_NEAR(p.North, c.north, 1e-6) << c.distance;
        EXPECT_NEAR(p.Course, c.course, 1e-6) << c.distance;
        EXPECT_EQ(p.OnLine, c.onLine) << c.distance;
        EXPECT_EQ(p.Line, c.line) << c.distance;
    }
}

TEST(SurveyPath, MovesWithoutJumpsInTheDirectionOfItsCourse)
{
    const SurveyPath path(DemoSurveyArea());
    const double step = 0.5;
    PathPoint last = path.At(0);
    for (double d = step; d <= path.CycleLength() + 10; d += step) {
        const PathPoint p = path.At(d);
        const double de = p.East - last.East, dn = p.North - last.North;
        ASSERT_LE(std::hypot(de, dn), step + 1e-6) << d;
        ASSERT_GE(std::hypot(de, dn), step * 0.9) << d;
        // The course is the direction of travel (within the bend of one step).
        const double moved = std::atan2(de, dn) * 180 / std::numbers::pi;
        const double diff = std::remainder(moved - p.Course, 360.0);
        ASSERT_LT(std::fabs(diff), 2.0) << d;
        last = p;
    }
}

TEST(OffsetToGeodetic, GivesTheMetresOfADegreeAtTheSurveyArea)
{
    const SurveyArea a = DemoSurveyArea();
    const Geodetic north = OffsetToGeodetic(a.OriginLatitude, a.OriginLongitude, 0, 1000);
    const Geodetic east = OffsetToGeodetic(a.OriginLatitude, a.OriginLongitude, 1000, 0);
    // One degree is about 111.00 km of latitude and 87.32 km of longitude at 38.43 N.
    EXPECT_NEAR(1000 / (north.Latitude - a.OriginLatitude), 111004, 40);
    EXPECT_NEAR(1000 / (east.Longitude - a.OriginLongitude), 87315, 40);
    EXPECT_DOUBLE_EQ(north.Longitude, a.OriginLongitude);
    EXPECT_DOUBLE_EQ(east.Latitude, a.OriginLatitude);
}

}  // namespace
