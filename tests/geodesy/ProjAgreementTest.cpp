// Agreement with PROJ, the reference implementation, on random points: the same
// ellipsoids and parameters written as PROJ pipelines and compared in-process
// through PROJ's C API.
//
// Tolerances: the Transverse Mercator series within 1 mm inside 3 degrees of the
// central meridian (PROJ's tmerc is exact to nanometres; the series is not, and
// its error grows fast beyond: see TransverseMercatorSeriesGrowth). Most of that
// millimetre is the meridian arc series, cut after its e^6 terms: up to 0.96 mm
// at 70 degrees of latitude on WGS84, odd in the latitude, so points are drawn
// in the hemisphere of the grid's reference latitude, as a survey's are. Lambert and
// the Helmert step within 0.1 mm; the whole WGSToGrid text route within 2 mm,
// the extra millimetre being the 8-decimal geodetic text between its steps.

#include "geodesy/GeodesyNumberText.h"
#include "geodesy/HelmertTransform.h"
#include "geodesy/LambertConformalConic.h"
#include "geodesy/TransverseMercator.h"
#include "geodesy/WGSToGrid.h"
#include "platform/NumberText.h"

#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using namespace skerra;

namespace {

constexpr double kDeg = M_PI / 180;

// Every digit of a double, with "." whatever the locale: PROJ's parser and the
// geodesy texts both expect it.
std::string num(double v) { return skerra::FormatGeneral(v, 17); }

// A PROJ operation, released at the end of the scope.
class ProjOperation {
public:
    explicit ProjOperation(const std::string& definition)
        : context_(proj_context_create()), pj_(proj_create(context_, definition.c_str()))
    {
    }
    ~ProjOperation()
    {
        if (pj_)
            proj_destroy(pj_);
        proj_context_destroy(context_);
    }
    ProjOperation(const ProjOperation&) = delete;
    ProjOperation& operator=(const ProjOperation&) = delete;

    bool valid() const { return pj_ != nullptr; }
    PJ_COORD apply(double x, double y, double z = 0, PJ_DIRECTION direction = PJ_FWD) const
    {
        return proj_trans(pj_, direction, proj_coord(x, y, z, 0));
    }

private:
    PJ_CONTEXT* context_;
    PJ* pj_;
};

struct EllipsoidCase {
    const char* name;
    double a, f;
};

const EllipsoidCase kEllipsoids[] = {
    {"WGS84", 6378137.0, 1 / 298.257223563},
    {"Airy 1830", 6377563.396, 1 / 299.3249646},
    {"International 1924", 6378388.0, 1 / 297.0},
    {"Clarke 1866", 6378206.4, 1 / 294.9786982},
};

std::string ellipsoidArgs(double a, double f) { return " +a=" + num(a) + " +f=" + num(f); }

// The worst difference of TM against PROJ's tmerc for points within
// `maxDegrees` of the central meridian (and beyond `minDegrees`).
double worstTMDifference(const EllipsoidCase& ellipsoid, double minDegrees, double maxDegrees,
                         std::mt19937_64& random, int points)
{
    std::uniform_real_distribution<double> lat(0, 80), cm(-180, 180), k0(0.9996, 1.0),
        side(minDegrees, maxDegrees), ref(-60, 60), sign(-1, 1);
    double worst = 0;
    for (int set = 0; set < 8; ++set) {
        const geodesy::TMParameters p{cm(random), ref(random), k0(random), 500000, 1000000};
        const auto tm = geodesy::TransverseMercator::create(p, {ellipsoid.a, ellipsoid.f});
        const ProjOperation proj("+proj=tmerc +lat_0=" + num(static_cast<double>(p.referenceLatitude)) +
                                 " +lon_0=" + num(static_cast<double>(p.centralMeridian)) +
                                 " +k_0=" + num(static_cast<double>(p.scaleFactor)) +
                                 " +x_0=500000 +y_0=1000000" + ellipsoidArgs(ellipsoid.a, ellipsoid.f));
        if (!tm || !proj.valid())
            return INFINITY;
        for (int i = 0; i < points / 8; ++i) {
            const double phi = p.referenceLatitude < 0 ? -lat(random) : lat(random);
            const double lambda = static_cast<double>(p.centralMeridian) +
                                  (sign(random) < 0 ? -1 : 1) * side(random);
            const auto ours = tm->project(phi, lambda);
            const PJ_COORD ref = proj.apply(lambda * kDeg, phi * kDeg);
            if (!ours)
                return INFINITY;
            worst = std::max({worst, std::fabs(static_cast<double>(ours->easting) - ref.xy.x),
                              std::fabs(static_cast<double>(ours->northing) - ref.xy.y)});
        }
    }
    return worst;
}

}  // namespace

TEST(ProjAgreement, TransverseMercatorWithinThreeDegrees)
{
    std::mt19937_64 random(101);
    for (const auto& ellipsoid : kEllipsoids)
        EXPECT_LT(worstTMDifference(ellipsoid, 0, 3, random, 2000), 0.001) << ellipsoid.name;
}

TEST(ProjAgreement, TransverseMercatorSeriesGrowth)
{
    // Not a limit of the program: a record of how the series drifts from the
    // exact projection further out, printed with the test output.
    std::mt19937_64 random(102);
    for (double degrees : {3.0, 4.0, 5.0, 6.0, 8.0}) {
        const double worst = worstTMDifference(kEllipsoids[0], degrees - 1, degrees, random, 2000);
        std::printf("TM series vs PROJ, %.0f-%.0f deg from the central meridian: worst %.4f m\n",
                    degrees - 1, degrees, worst);
        EXPECT_TRUE(std::isfinite(worst));
    }
}

TEST(ProjAgreement, HelmertForwardAndReverse)
{
    std::mt19937_64 random(103);
    std::uniform_real_distribution<double> ppm(-20, 20), rot(-10, 10), shift(-500, 500),
        lat(-89, 89), lon(-180, 180), h(-100, 5000);
    const ProjOperation cart("+proj=cart +ellps=WGS84");
    ASSERT_TRUE(cart.valid());
    for (int set = 0; set < 20; ++set) {
        const geodesy::HelmertParameters p{ppm(random), rot(random),   rot(random),  rot(random),
                                           shift(random), shift(random), shift(random)};
        const geodesy::HelmertTransformation ours(p);
        const ProjOperation helmert(
            "+proj=helmert +exact +convention=coordinate_frame +x=" + num(static_cast<double>(p.tx)) +
            " +y=" + num(static_cast<double>(p.ty)) + " +z=" + num(static_cast<double>(p.tz)) +
            " +rx=" + num(static_cast<double>(p.rx)) + " +ry=" + num(static_cast<double>(p.ry)) +
            " +rz=" + num(static_cast<double>(p.rz)) + " +s=" + num(static_cast<double>(p.ppm)));
        ASSERT_TRUE(helmert.valid());
        for (int i = 0; i < 100; ++i) {
            const PJ_COORD xyz = cart.apply(lon(random) * kDeg, lat(random) * kDeg, h(random));
            const geodesy::GeocentricPosition in{xyz.xyz.x, xyz.xyz.y, xyz.xyz.z};
            const auto fwd = ours.forward(in);
            const PJ_COORD refFwd = helmert.apply(xyz.xyz.x, xyz.xyz.y, xyz.xyz.z);
            EXPECT_NEAR(static_cast<double>(fwd.x), refFwd.xyz.x, 1e-4);
            EXPECT_NEAR(static_cast<double>(fwd.y), refFwd.xyz.y, 1e-4);
            EXPECT_NEAR(static_cast<double>(fwd.z), refFwd.xyz.z, 1e-4);
            const auto rev = ours.reverse(in);
            const PJ_COORD refRev = helmert.apply(xyz.xyz.x, xyz.xyz.y, xyz.xyz.z, PJ_INV);
            EXPECT_NEAR(static_cast<double>(rev.x), refRev.xyz.x, 1e-4);
            EXPECT_NEAR(static_cast<double>(rev.y), refRev.xyz.y, 1e-4);
            EXPECT_NEAR(static_cast<double>(rev.z), refRev.xyz.z, 1e-4);
        }
    }
}

TEST(ProjAgreement, LambertOneAndTwoParallels)
{
    std::mt19937_64 random(104);
    std::uniform_real_distribution<double> origin(15, 70), parallelGap(1, 8), cm(-170, 170),
        k0(0.999, 1.0), offset(-8, 8);
    for (const auto& ellipsoid : kEllipsoids) {
        for (int set = 0; set < 10; ++set) {
            LambertConformalConic lcc;
            const double lat0 = origin(random) * (set % 2 ? -1 : 1);
            const double lon0 = cm(random), k = k0(random);
            const double lat1 = lat0 - parallelGap(random), lat2 = lat0 + parallelGap(random);
            const bool twoParallels = set % 4 >= 2;
            std::string def = "+proj=lcc +lat_0=" + num(lat0) + " +lon_0=" + num(lon0) +
                              " +x_0=600000 +y_0=200000" + ellipsoidArgs(ellipsoid.a, ellipsoid.f);
            if (twoParallels) {
                lcc.setup2SP(ellipsoid.a, ellipsoid.f, lat0 * kDeg, lon0 * kDeg, lat1 * kDeg,
                             lat2 * kDeg, 600000, 200000);
                def += " +lat_1=" + num(lat1) + " +lat_2=" + num(lat2);
            } else {
                lcc.setup1SP(ellipsoid.a, ellipsoid.f, lat0 * kDeg, lon0 * kDeg, 600000, 200000, k);
                def += " +lat_1=" + num(lat0) + " +k_0=" + num(k);
            }
            const ProjOperation proj(def);
            ASSERT_TRUE(proj.valid()) << def;
            for (int i = 0; i < 100; ++i) {
                const double phi = lat0 + offset(random), lambda = lon0 + offset(random);
                double e = 0, n = 0;
                const int bits = twoParallels
                                     ? lcc.geodeticToLCC2SP(phi * kDeg, lambda * kDeg, &e, &n)
                                     : lcc.geodeticToLCC(phi * kDeg, lambda * kDeg, &e, &n);
                ASSERT_EQ(bits, 0);
                const PJ_COORD ref = proj.apply(lambda * kDeg, phi * kDeg);
                EXPECT_NEAR(e, ref.xy.x, 1e-4) << ellipsoid.name << ' ' << def;
                EXPECT_NEAR(n, ref.xy.y, 1e-4) << ellipsoid.name << ' ' << def;
            }
        }
    }
}

TEST(ProjAgreement, WGSToGridTextRoute)
{
    std::mt19937_64 random(105);
    std::uniform_real_distribution<double> ppm(-10, 10), rot(-3, 3), shift(-300, 300),
        lat(-75, 75), cm(-177, 177), side(-3, 3), h(-50, 200);
    for (const auto& ellipsoid : kEllipsoids) {
        for (int set = 0; set < 5; ++set) {
            const double p[7] = {ppm(random),   rot(random),   rot(random),  rot(random),
                                 shift(random), shift(random), shift(random)};
            const double centralMeridian = std::round(cm(random));
            const double refLat = std::round(lat(random) / 5) * 5;
            std::string datum = "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 " +
                                num(ellipsoid.a) + " " + num(ellipsoid.f);
            for (double v : p)
                datum += " " + num(v);
            const std::string tm = num(centralMeridian) + " " + num(refLat) + " 0.9996 500000 0";
            const std::string shape = "6378137.0 0.0033528106647474 " + num(ellipsoid.a) + " " + num(ellipsoid.f);

            const ProjOperation pipeline(
                "+proj=pipeline +step +proj=cart +a=6378137 +f=0.0033528106647474"
                " +step +inv +proj=helmert +exact +convention=coordinate_frame +s=" + num(p[0]) +
                " +rx=" + num(p[1]) + " +ry=" + num(p[2]) + " +rz=" + num(p[3]) + " +x=" + num(p[4]) +
                " +y=" + num(p[5]) + " +z=" + num(p[6]) + " +step +inv +proj=cart" +
                ellipsoidArgs(ellipsoid.a, ellipsoid.f) + " +step +proj=tmerc +lat_0=" + num(refLat) +
                " +lon_0=" + num(centralMeridian) + " +k_0=0.9996 +x_0=500000 +y_0=0" +
                ellipsoidArgs(ellipsoid.a, ellipsoid.f));
            ASSERT_TRUE(pipeline.valid());
            for (int i = 0; i < 100; ++i) {
                const double phi = std::copysign(std::fabs(lat(random)), refLat + 0.5);
                const double lambda = centralMeridian + side(random), height = h(random);
                double ours[2];
                ASSERT_EQ(geodesy::NumberScanner(WGSToGrid(num(phi) + "\t" + num(lambda) + " " + num(height),
                                                           datum, tm, shape))
                              .read(ours, 2),
                          2);
                const PJ_COORD ref = pipeline.apply(lambda * kDeg, phi * kDeg, height);
                EXPECT_NEAR(ours[0], ref.xy.x, 0.002) << ellipsoid.name << ' ' << phi << ' ' << lambda;
                EXPECT_NEAR(ours[1], ref.xy.y, 0.002) << ellipsoid.name << ' ' << phi << ' ' << lambda;
            }
        }
    }
}
