// The Lambert Conformal Conic module: EPSG worked examples, set-up rules, the
// error bits and forward-then-inverse.

#include "geodesy/LambertConformalConic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

using namespace skerra;

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180;
constexpr double kWgsA = 6378137.0;
constexpr double kWgsF = 1 / 298.257223563;
constexpr double kClarke1866A = 6378206.4;
constexpr double kClarke1866F = 1 / 294.9786982;
constexpr double kUsFoot = 1200.0 / 3937.0;

double dms(double d, double m, double s) { return (d + m / 60 + s / 3600) * kDeg; }

class LambertTest : public ::testing::Test {
protected:
    LambertConformalConic lcc;  // a fresh module with the load-time definition
};

}  // namespace

TEST_F(LambertTest, EpsgJamaicaOneParallelExample)
{
    // EPSG Guidance Note 7-2, JAD69 / Jamaica National Grid.
    lcc.setup1SP(kClarke1866A, kClarke1866F, 18 * kDeg, -77 * kDeg, 250000, 150000, 1.0);
    const double phi = dms(17, 55, 55.80), lambda = -dms(76, 56, 37.26);
    double e = 0, n = 0;
    ASSERT_EQ(lcc.geodeticToLCC(phi, lambda, &e, &n), 0);
    EXPECT_NEAR(e, 255966.58, 0.006);
    EXPECT_NEAR(n, 142493.51, 0.006);

    double backPhi = 0, backLambda = 0;
    ASSERT_EQ(lcc.lccToGeodetic(e, n, &backPhi, &backLambda), 0);
    EXPECT_NEAR(backPhi, phi, 1e-9);
    EXPECT_NEAR(backLambda, lambda, 1e-9);
}

TEST_F(LambertTest, EpsgTexasTwoParallelExample)
{
    // EPSG Guidance Note 7-2, NAD27 / Texas South Central, in US survey feet:
    // a given in feet, so the grid comes out in feet.
    const double n = lcc.setup2SP(kClarke1866A / kUsFoot, 1 / 294.97870, dms(27, 50, 0), -99 * kDeg,
                                  dms(28, 23, 0), dms(30, 17, 0), 2000000, 0);
    EXPECT_NEAR(n, 0.48991263, 1e-8);
    double e = 0, north = 0;
    ASSERT_EQ(lcc.geodeticToLCC2SP(28.5 * kDeg, -96 * kDeg, &e, &north), 0);
    EXPECT_NEAR(e, 2963503.91, 0.006);
    EXPECT_NEAR(north, 254759.80, 0.006);

    double phi = 0, lambda = 0;
    ASSERT_EQ(lcc.lccToGeodetic2SP(e, north, &phi, &lambda), 0);
    EXPECT_NEAR(phi, 28.5 * kDeg, 1e-9);
    EXPECT_NEAR(lambda, -96 * kDeg, 1e-9);
}

TEST_F(LambertTest, OriginProjectsToTheFalseOrigin)
{
    lcc.setup1SP(kWgsA, kWgsF, 39 * kDeg, 35 * kDeg, 500000, 4000000, 0.9996);
    double e = 0, n = 0;
    ASSERT_EQ(lcc.geodeticToLCC(39 * kDeg, 35 * kDeg, &e, &n), 0);
    EXPECT_EQ(e, 500000);
    EXPECT_EQ(n, 4000000);

    lcc.setup2SP(kWgsA, kWgsF, 37 * kDeg, 35 * kDeg, 38 * kDeg, 41 * kDeg, 500000, 1000000);
    ASSERT_EQ(lcc.geodeticToLCC2SP(37 * kDeg, 35 * kDeg, &e, &n), 0);
    EXPECT_NEAR(e, 500000, 1e-6);
    EXPECT_NEAR(n, 1000000, 1e-6);
}

TEST_F(LambertTest, LoadTimeTwoParallelDefinition)
{
    const auto& two = lcc.state2SP();
    EXPECT_NEAR(two.phiE / kDeg, 45.0741050, 1e-7);
    EXPECT_NEAR(two.k0E, 0.9962042475, 1e-10);
    EXPECT_NEAR(two.falseNorthingE, 8204.22, 0.01);
    EXPECT_NEAR(lcc.setup2SP(kWgsA, kWgsF, 45 * kDeg, 0, 40 * kDeg, 50 * kDeg, 0, 0), 0.7080207452, 1e-10);
    // Before any set-up the one-parallel definition is 45° on WGS84 with scale 1.
    LambertConformalConic fresh;
    EXPECT_DOUBLE_EQ(fresh.state1SP().n, std::sin(kPi / 4));
    EXPECT_EQ(fresh.state1SP().k0, 1.0);
}

TEST_F(LambertTest, EqualParallelsActAsOneParallel)
{
    LambertConformalConic single;
    EXPECT_DOUBLE_EQ(lcc.setup2SP(kWgsA, kWgsF, 30 * kDeg, 10 * kDeg, 30 * kDeg, 30 * kDeg, 1000, 2000), 0.5);
    single.setup1SP(kWgsA, kWgsF, 30 * kDeg, 10 * kDeg, 1000, 2000, 1.0);
    const auto& a = lcc.state1SP();
    const auto& b = single.state1SP();
    EXPECT_DOUBLE_EQ(a.n, b.n);
    EXPECT_DOUBLE_EQ(a.rho0, b.rho0);
    EXPECT_DOUBLE_EQ(a.falseNorthing, b.falseNorthing);
    EXPECT_DOUBLE_EQ(a.k0, b.k0);
}

TEST_F(LambertTest, EqualParallelsKeepTheOriginLatitude)
{
    // Parallels at 30°, origin at 25°: the origin still projects to (FE, FN).
    lcc.setup2SP(kWgsA, kWgsF, 25 * kDeg, 10 * kDeg, 30 * kDeg, 30 * kDeg, 1000, 2000);
    double e = 0, n = 0;
    ASSERT_EQ(lcc.geodeticToLCC2SP(25 * kDeg, 10 * kDeg, &e, &n), 0);
    EXPECT_NEAR(e, 1000, 1e-6);
    EXPECT_NEAR(n, 2000, 1e-6);
}

TEST_F(LambertTest, RejectedSetupsChangeNothing)
{
    const double n = lcc.setup1SP(kWgsA, kWgsF, 40 * kDeg, 0, 0, 0, 1.0);
    struct Case {
        const char* what;
        double a, f, phi0, lambda0, k0;
    };
    const Case oneParallel[] = {
        {"origin 0", kWgsA, kWgsF, 0, 0, 1},
        {"k0 0.29", kWgsA, kWgsF, 30 * kDeg, 0, 0.29},
        {"k0 3.01", kWgsA, kWgsF, 30 * kDeg, 0, 3.01},
        {"inverse flattening", kWgsA, 298.257223563, 30 * kDeg, 0, 1},
        {"a 0", 0, kWgsF, 30 * kDeg, 0, 1},
        {"pole", kWgsA, kWgsF, kPi / 2, 0, 1},
        {"meridian 6.5", kWgsA, kWgsF, 30 * kDeg, 6.5, 1},
        {"NaN origin", kWgsA, kWgsF, std::nan(""), 0, 1},
    };
    for (const auto& c : oneParallel) {
        EXPECT_EQ(lcc.setup1SP(c.a, c.f, c.phi0, c.lambda0, 0, 0, c.k0), n) << c.what;
        EXPECT_EQ(lcc.state1SP().phi0, 40 * kDeg) << c.what;
    }
    const auto before = lcc.state2SP();
    EXPECT_EQ(lcc.setup2SP(kWgsA, kWgsF, 30 * kDeg, 0, 30 * kDeg, -30 * kDeg, 0, 0), n);
    EXPECT_EQ(lcc.setup2SP(kWgsA, kWgsF, 30 * kDeg, 0, 0, 0, 0, 0), n);
    EXPECT_EQ(lcc.state2SP().phi1, before.phi1);
    EXPECT_EQ(lcc.state1SP().phi0, 40 * kDeg);

    // The bounds themselves are accepted.
    EXPECT_NE(lcc.setup1SP(kWgsA, kWgsF, 30 * kDeg, 0, 0, 0, 0.3), n);
    EXPECT_EQ(lcc.state1SP().k0, 0.3);
    lcc.setup1SP(kWgsA, kWgsF, 30 * kDeg, 0, 0, 0, 3.0);
    EXPECT_EQ(lcc.state1SP().k0, 3.0);
}

TEST_F(LambertTest, CentralMeridianAndLongitudeWrap)
{
    lcc.setup1SP(kWgsA, kWgsF, 45 * kDeg, 4, 0, 0, 1);
    EXPECT_DOUBLE_EQ(lcc.state1SP().lambda0, 4 - 2 * kPi);

    lcc.setup1SP(kWgsA, kWgsF, 45 * kDeg, 0, 0, 0, 1);
    double e1 = 0, n1 = 0, e2 = 0, n2 = 0;
    ASSERT_EQ(lcc.geodeticToLCC(45 * kDeg, 3 * kPi / 2, &e1, &n1), 0);
    ASSERT_EQ(lcc.geodeticToLCC(45 * kDeg, -kPi / 2, &e2, &n2), 0);
    EXPECT_DOUBLE_EQ(e1, e2);
    EXPECT_DOUBLE_EQ(n1, n2);
}

TEST_F(LambertTest, ErrorBitsLeaveOutputsUntouched)
{
    lcc.setup1SP(kWgsA, kWgsF, 45 * kDeg, 0, 100, 200, 1);
    struct Case {
        double phi, lambda;
        int bits;
    };
    const Case forward[] = {
        {0.5, 2 * kPi + 0.1, 2}, {1.6, 0, 1}, {-1.6, -4, 3}, {-kPi / 2, 0, 1}, {std::nan(""), 0, 1},
    };
    for (const auto& c : forward) {
        double e = -1, n = -1;
        EXPECT_EQ(lcc.geodeticToLCC(c.phi, c.lambda, &e, &n), c.bits) << c.phi << ' ' << c.lambda;
        EXPECT_EQ(e, -1);
        EXPECT_EQ(n, -1);
    }
    double e = 0, n = 0;
    ASSERT_EQ(lcc.geodeticToLCC(kPi / 2, 0, &e, &n), 0);  // the apex
    EXPECT_EQ(e, 100);
    EXPECT_DOUBLE_EQ(n, lcc.state1SP().rho0N + 200);

    double phi = -1, lambda = -1;
    EXPECT_EQ(lcc.lccToGeodetic(100 + 40000001, 200, &phi, &lambda), 4);
    EXPECT_EQ(lcc.lccToGeodetic(100, 200 - 40000001, &phi, &lambda), 8);
    EXPECT_EQ(lcc.lccToGeodetic(-50000000, 50000000, &phi, &lambda), 12);
    EXPECT_EQ(phi, -1);
    EXPECT_EQ(lambda, -1);
}

TEST_F(LambertTest, ForwardThenInverseReturnsThePosition)
{
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> lat(20, 70), lon(-40, 40);
    lcc.setup2SP(kWgsA, kWgsF, 44 * kDeg, 5 * kDeg, 40 * kDeg, 50 * kDeg, 700000, 6600000);
    for (int i = 0; i < 500; ++i) {
        const double phi = lat(random) * kDeg, lambda = lon(random) * kDeg;
        double e = 0, n = 0, backPhi = 0, backLambda = 0;
        ASSERT_EQ(lcc.geodeticToLCC2SP(phi, lambda, &e, &n), 0);
        ASSERT_EQ(lcc.lccToGeodetic2SP(e, n, &backPhi, &backLambda), 0);
        EXPECT_NEAR(backPhi, phi, 1e-9);
        EXPECT_NEAR(backLambda, lambda, 1e-9);
    }
    // Near 0 the inverse snaps to exactly 0.
    lcc.setup1SP(kWgsA, kWgsF, 10 * kDeg, 0, 0, 0, 1);
    double e = 0, n = 0, phi = 1, lambda = 1;
    ASSERT_EQ(lcc.geodeticToLCC(1e-7, -1e-7, &e, &n), 0);
    ASSERT_EQ(lcc.lccToGeodetic(e, n, &phi, &lambda), 0);
    EXPECT_EQ(phi, 0);
    EXPECT_EQ(lambda, 0);
}

TEST(LambertModule, SetUpThenProjectUsesTheSurveyDefinition)
{
    // The map timer's order: the first position after start already lands on the
    // survey's grid, not on the load-time definition.
    LCCSetup1SP(kClarke1866A, kClarke1866F, 18 * kDeg, -77 * kDeg, 250000, 150000, 1.0);
    double e = 0, n = 0;
    ASSERT_EQ(GeodeticToLCC(dms(17, 55, 55.80), -dms(76, 56, 37.26), &e, &n), 0);
    EXPECT_NEAR(e, 255966.58, 0.006);
    EXPECT_NEAR(n, 142493.51, 0.006);

    double a, f, phi0, lambda0, fe, fn, k0;
    LCCGetParams1SP(&a, &f, &phi0, &lambda0, &fe, &fn, &k0);
    EXPECT_EQ(a, kClarke1866A);
    EXPECT_EQ(fn, 150000);
    double phi1, phi2;
    LCCSetup2SP(kWgsA, kWgsF, 45 * kDeg, 0, 40 * kDeg, 50 * kDeg, 0, 0);
    LCCGetParams2SP(&a, &f, &phi0, &lambda0, &phi1, &phi2, &fe, &fn);
    EXPECT_EQ(phi2, 50 * kDeg);
    // The two-parallel set-up also replaced the one-parallel state.
    LCCGetParams1SP(&a, &f, &phi0, &lambda0, &fe, &fn, &k0);
    EXPECT_NEAR(phi0 / kDeg, 45.0741050, 1e-7);
}
