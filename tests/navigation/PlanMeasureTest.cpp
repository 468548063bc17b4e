#include "navigation/PlanMeasure.h"

#include <gtest/gtest.h>

#include <numbers>

namespace {

double degrees(double radians) { return radians * 180.0 / std::numbers::pi; }

TEST(PlanAzimuth, ClockwiseFromGridNorth)
{
    const struct { double dE, dN, expected; } cases[] = {
        {0, 1, 0},      {1, 0, 90},   {0, -1, 180}, {-1, 0, 270}, {0, 0, 0},
        {0, -0.0, 0},   {-1, -1, 225}, {1, 1, 45},  {1, -1, 135}, {-1, 1, 315},
        {-0.0, 1, 0},   {-0.0, -0.0, 0}, {3, 0, 90},
    };
    for (const auto& c : cases) {
        const double a = degrees(PlanAzimuth(0, 0, c.dE, c.dN));
        EXPECT_NEAR(a, c.expected, 1e-9) << c.dE << ", " << c.dN;
        EXPECT_GE(a, 0.0);
        EXPECT_LT(a, 360.0);
    }
}

TEST(PlanAzimuth, UsesTheDifferenceOfThePoints)
{
    EXPECT_NEAR(degrees(PlanAzimuth(500000, 4400000, 499990, 4400000)), 270, 1e-9);
    EXPECT_NEAR(degrees(PlanAzimuth(-20, -30, -10, -40)), 135, 1e-9);
}

TEST(PlanDistance, StraightLine)
{
    EXPECT_DOUBLE_EQ(PlanDistance(1, 2, 4, 6), 5);
    EXPECT_DOUBLE_EQ(PlanDistance(-3, 0, -3, 0), 0);
    EXPECT_DOUBLE_EQ(PlanDistance(500000, 4400000, 500006, 4399992), 10);
}

}  // namespace
