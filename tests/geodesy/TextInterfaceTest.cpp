// The geodesy text interface: number texts, angle conversion, Transverse
// Mercator, geocentric conversion, the datum transformation, WGS84 to grid and
// scale/convergence. This file also runs in a Turkish-locale process (see
// LocaleTestMain.cpp), where the C library writes and reads a decimal comma.

#include "geodesy/AngleConversion.h"
#include "geodesy/DatumTransformation.h"
#include "geodesy/Geocentric.h"
#include "geodesy/GeodesyNumberText.h"
#include "geodesy/HelmertTransform.h"
#include "geodesy/RowMatrix.h"
#include "geodesy/TMScaleConvergence.h"
#include "geodesy/TransverseMercator.h"
#include "geodesy/WGSToGrid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

using namespace skerra;
using skerra::geodesy::NumberScanner;

namespace {

const std::string kWgs84Ellipsoid = "6378137.0 0.0033528106647474 6378137.0 0.0033528106647474";
const std::string kUtm35 = "30 0 0.9996 500000 0";
// WGS84 with a zero set 1, then the survey datum (here WGS84 again, zero set 2).
const std::string kWgs84Only =
    "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 "
    "6378137.0 0.0033528106647474 0 0 0 0 0 0 0";
// A survey datum on the International 1924 ellipsoid (ED50-like set, coordinate frame).
const std::string kEd50Datum =
    "6378137.0  0.0033528106647474  0.0  0.0  0.0  0.0  0.0  0.0  0.0 "
    "6378388 0.00336700336700337 -1.2 0.31 0.4 -0.96 -84.1 -101.8 -129.7";
const std::string kEd50Ellipsoid = "6378137.0 0.0033528106647474 6378388 0.00336700336700337";

std::vector<double> numbers(const std::string& text)
{
    std::vector<double> out;
    NumberScanner scanner(text);
    while (const auto v = scanner.next())
        out.push_back(*v);
    return out;
}

}  // namespace

// ---- number texts ----------------------------------------------------------

TEST(GeodesyNumberText, ScansLikeCFormattedInput)
{
    struct Case {
        const char* text;
        std::vector<double> values;
    };
    const Case cases[] = {
        {"41.5 29", {41.5, 29}},
        {"41.5\t29", {41.5, 29}},
        {"  \t -1.25e2\t\t+3 ", {-125, 3}},
        {".5 5.", {0.5, 5}},
        {"12abc 5", {12}},          // reading stops at what is not a number
        {"1,5 2", {1}},             // a decimal comma is not a separator
        {"nan 1", {}},
        {"inf", {}},
        {"-inf 2", {}},
        {"0x1p3", {0}},             // no hexadecimal floats: "0", then "x1p3" stops
        {"1e999", {}},              // out of range is not a value
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(numbers(c.text), c.values) << '"' << c.text << '"';
}

TEST(GeodesyNumberText, SkipsWordsOfAtMostTwentyCharacters)
{
    NumberScanner scanner("abcdefghijklmnopqrstu 7 8");  // 21 characters: the 21st is a word of its own
    EXPECT_TRUE(scanner.skipWord(20));
    EXPECT_TRUE(scanner.skipWord(20));
    EXPECT_EQ(scanner.next(), 7.0);
}

TEST(GeodesyNumberText, WritesFifteenSignificantDigits)
{
    struct Case {
        long double value;
        const char* text;
    };
    const Case cases[] = {
        {500000, "500000"},
        {0, "0"},
        {-0.0L, "0"},
        {0.1L, "0.1"},
        {4539238.589374621L, "4539238.58937462"},
        {-2.5L, "-2.5"},
        {1.5e-7L, "1.5E-07"},
        {6.02e23L, "6.02E+23"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(geodesy::formatGeneral(c.value), c.text);

    std::string fixed;
    geodesy::appendFixed(fixed, 41.123456789L, 8);
    fixed += ' ';
    geodesy::appendFixed(fixed, -0.000000001L, 8);
    fixed += ' ';
    geodesy::appendFixed(fixed, 35.2L, 2);
    EXPECT_EQ(fixed, "41.12345679 0.00000000 35.20");
}

// ---- angle conversion --------------------------------------------------------

TEST(ConvertAngle, SelectorsAreMatchedWhole)
{
    EXPECT_EQ(ConvertAngle(180, "r"), kGeodesyPi);
    EXPECT_EQ(ConvertAngle(180, "R"), kGeodesyPi);
    EXPECT_EQ(ConvertAngle(kGeodesyPi, "D"), 180);
    EXPECT_EQ(ConvertAngle(kGeodesyPi, "d"), 180);
    for (const char* other : {"", "rad", "x", "R ", "deg"})
        EXPECT_EQ(ConvertAngle(180, other), 0) << other;
}

// ---- Transverse Mercator -----------------------------------------------------

TEST(GeodeticToTM, ExactFalseOriginOnTheCentralMeridian)
{
    EXPECT_EQ(GeodeticToTM("0 30", kUtm35, kWgs84Ellipsoid), "500000 0");
}

TEST(GeodeticToTM, EpsgBritishNationalGridExample)
{
    // EPSG Guidance Note 7-2, OSGB 1936 / British National Grid, with the
    // parameters as the note prints them (k0 0.9996013, Airy 1830 with 1/f
    // 299.32496): 50°30'N 0°30'E gives E 577274.99, N 69740.50.
    const std::string airy = "a b 6377563.396 " + geodesy::formatGeneral(1 / 299.32496L);
    const auto en = numbers(GeodeticToTM("50.5 0.5", "-2 49 0.9996013 400000 -100000", airy));
    ASSERT_EQ(en.size(), 2u);
    EXPECT_NEAR(en[0], 577274.99, 0.005);
    EXPECT_NEAR(en[1], 69740.50, 0.005);
}

TEST(GeodeticToTM, PositionTexts)
{
    // Reference from PROJ (tmerc on WGS84, central meridian 30).
    const std::string expected = GeodeticToTM("41 29", kUtm35, kWgs84Ellipsoid);
    const auto en = numbers(expected);
    ASSERT_EQ(en.size(), 2u);
    EXPECT_NEAR(en[0], 415897.86555, 0.0005);
    EXPECT_NEAR(en[1], 4539238.58937, 0.0005);

    EXPECT_EQ(GeodeticToTM("41\t29", kUtm35, kWgs84Ellipsoid), expected);
    EXPECT_EQ(GeodeticToTM("41 29 35.5", kUtm35, kWgs84Ellipsoid), expected);
    for (const char* failing : {"", "41", "abc 29", "41 x"})
        EXPECT_EQ(GeodeticToTM(failing, kUtm35, kWgs84Ellipsoid), "0") << failing;
}

TEST(GeodeticToTM, IncompleteOrUnusableParametersGiveZero)
{
    EXPECT_EQ(GeodeticToTM("41 29", "30 0 0.9996 500000", kWgs84Ellipsoid), "0");
    EXPECT_EQ(GeodeticToTM("41 29", kUtm35, "6378137.0 0.0033528106647474 6378137.0"), "0");
    // An inverse flattening in the flattening field.
    EXPECT_EQ(GeodeticToTM("41 29", kUtm35, "6378137.0 0.0033528106647474 6378137.0 298.257223563"),
              "0");
}

TEST(GeodeticToTM, LongitudeDifferenceIsReducedAcrossTheAntimeridian)
{
    // 179° E with the central meridian at 179° W is 2° west of it: the mirror of 177° W.
    const auto across = numbers(GeodeticToTM("10 179", "-179 0 0.9996 500000 0", kWgs84Ellipsoid));
    const auto mirror = numbers(GeodeticToTM("10 -177", "-179 0 0.9996 500000 0", kWgs84Ellipsoid));
    ASSERT_EQ(across.size(), 2u);
    ASSERT_EQ(mirror.size(), 2u);
    EXPECT_NEAR(across[0], 1000000 - mirror[0], 1e-6);
    EXPECT_NEAR(across[1], mirror[1], 1e-6);
}

TEST(GeodeticToTM, PolesGiveTheCentralMeridian)
{
    for (const char* pole : {"90 45", "-90 -120"}) {
        const auto en = numbers(GeodeticToTM(pole, kUtm35, kWgs84Ellipsoid));
        ASSERT_EQ(en.size(), 2u) << pole;
        EXPECT_NEAR(en[0], 500000, 1e-3) << pole;
        EXPECT_NEAR(std::fabs(en[1]), 0.9996 * 10001965.729, 0.01) << pole;
    }
}

// ---- matrices, Helmert, geocentric -------------------------------------------

TEST(RowMatrix, InvertAndMultiply)
{
    const long double values[3][3] = {{2, 1, 0.5L}, {-1, 3, 0.25L}, {0.5L, 0, 4}};
    long double** m = MatrixCreate(3, 3);
    long double** original = MatrixCreate(3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            m[r][c] = original[r][c] = values[r][c];
    MatrixInvert(m, 3);
    long double** product = MatrixMultiply(original, 3, 3, m, 3, 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(static_cast<double>(product[r][c]), r == c ? 1.0 : 0.0, 1e-15);
    MatrixFree(product, 3);
    MatrixFree(original, 3);

    long double** diagonal = MatrixCreate(2, 2);
    diagonal[0][0] = 4;
    diagonal[1][1] = -0.5L;
    MatrixInvert(diagonal, 2);
    EXPECT_EQ(diagonal[0][0], 0.25L);
    EXPECT_EQ(diagonal[1][1], -2);
    EXPECT_EQ(diagonal[0][1], 0);
    MatrixFree(diagonal, 2);
    MatrixFree(m, 3);
}

TEST(HelmertTransform, ForwardMatchesTheSmallAngleFormAndReverseUndoesIt)
{
    const double X = 4208830.0, Y = 2334850.0, Z = 4171260.0;
    const std::string params = " 1 1 2 3 100 200 300";
    const auto forward =
        numbers(HelmertTransform("WGS", "4208830 2334850 4171260" + params));
    ASSERT_EQ(forward.size(), 3u);
    // Small-angle form: [[1, wz, -wy], [-wz, 1, wx], [wy, -wx, 1]], scale 1 + 1 ppm.
    const double w = M_PI / 180 / 3600, wx = 1 * w, wy = 2 * w, wz = 3 * w, s = 1 + 1e-6;
    EXPECT_NEAR(forward[0], s * (X + wz * Y - wy * Z) + 100, 0.005);
    EXPECT_NEAR(forward[1], s * (-wz * X + Y + wx * Z) + 200, 0.005);
    EXPECT_NEAR(forward[2], s * (wy * X - wx * Y + Z) + 300, 0.005);

    std::string back = HelmertTransform("Local", geodesy::geocentricText(
        {forward[0], forward[1], forward[2]}) + params);
    const auto restored = numbers(back);
    ASSERT_EQ(restored.size(), 3u);
    EXPECT_NEAR(restored[0], X, 1e-4);
    EXPECT_NEAR(restored[1], Y, 1e-4);
    EXPECT_NEAR(restored[2], Z, 1e-4);
}

TEST(HelmertTransform, FewerThanTenNumbersGiveZero)
{
    EXPECT_EQ(HelmertTransform("WGS", "1 2 3 0 0 0 0 0 0"), "0");
    EXPECT_EQ(HelmertTransform("WGS", ""), "0");
    EXPECT_EQ(HelmertTransform("Local", "1 2 3 x 0 0 0 0 0 0"), "0");
}

TEST(GeocentricConversion, RoundTripKeepsLongitudeAndHeight)
{
    struct Case {
        double lat, lon, h;
    };
    const Case cases[] = {{41, 100, 35.2}, {-33.5, -100, -12}, {51.5, 0, 100},
                          {0, 180, 0},     {89.999, 45, 3000}, {-60, -179.5, 8848}};
    for (const auto& c : cases) {
        const auto xyz = numbers(GeodeticToGeocentric(c.lat, c.lon, c.h, 6378137.0, 0.0033528106647474));
        ASSERT_EQ(xyz.size(), 3u);
        const auto blh = numbers(GeocentricToGeodetic(xyz[0], xyz[1], xyz[2], 6378137.0, 0.0033528106647474));
        ASSERT_EQ(blh.size(), 3u);
        EXPECT_NEAR(blh[0], c.lat, 1e-8) << c.lat;
        EXPECT_NEAR(std::fabs(blh[1]) == 180 ? 180 : blh[1], c.lon, 1e-8) << c.lon;
        EXPECT_NEAR(blh[2], c.h, 0.01) << c.h;
    }
    EXPECT_EQ(numbers(GeocentricToGeodetic(3e6, 0, 5e6, 6378137.0, 0.0033528106647474))[1], 0.0);
}

TEST(GeocentricConversion, PolarAxisAndCentreAreDefined)
{
    const double b = 6378137.0 * (1 - 0.0033528106647474);
    EXPECT_EQ(GeocentricToGeodetic(0, 0, b + 10, 6378137.0, 0.0033528106647474),
              "90.00000000\t0.00000000\t10.00");
    EXPECT_EQ(GeocentricToGeodetic(0, 0, -b, 6378137.0, 0.0033528106647474),
              "-90.00000000\t0.00000000\t0.00");
    EXPECT_EQ(GeocentricToGeodetic(0, 0, 0, 6378137.0, 0.0033528106647474), "0");
    EXPECT_EQ(GeocentricToGeodetic(1, 2, 3, 6378137.0, 298.257223563), "0");
}

// ---- datum transformation -----------------------------------------------------

TEST(TransformDatum, IdentityReturnsTheInput)
{
    EXPECT_EQ(TransformDatum("BLH", "41.12345678 29.87654321 35.2", kWgs84Only),
              "41.12345678\t29.87654321\t35.20");
    const auto xyz = numbers(TransformDatum("XYZ", "41 29 0", kWgs84Only));
    const auto direct = numbers(GeodeticToGeocentric(41, 29, 0, 6378137.0, 0.0033528106647474));
    ASSERT_EQ(xyz.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(xyz[i], direct[i], 1e-6);
}

TEST(TransformDatum, ModesAndFailures)
{
    // "xyz" in lower case is another mode: the geodetic text.
    EXPECT_EQ(numbers(TransformDatum("xyz", "41 29 0", kEd50Datum)).size(), 3u);
    EXPECT_NE(TransformDatum("xyz", "41 29 0", kEd50Datum).find('\t'), std::string::npos);
    EXPECT_EQ(TransformDatum("BLH", "41 29", kEd50Datum), "0");
    EXPECT_EQ(TransformDatum("BLH", "41 29 0", "6378137.0 0.0033528106647474 0 0 0 0 0 0 0 6378388"),
              "0");
    // A flattening field holding an inverse flattening fails instead of giving NaN.
    EXPECT_EQ(TransformDatum("BLH", "41 29 0",
                             "6378137.0 298.257223563 0 0 0 0 0 0 0 6378137.0 0.0033528106647474 0 0 0 0 0 0 0"),
              "0");
}

// ---- WGS84 to grid -----------------------------------------------------------

TEST(WGSToGrid, WgsOnlyDatumEqualsTheProjection)
{
    const auto route = numbers(WGSToGrid("41 29", kWgs84Only, kUtm35, kWgs84Ellipsoid));
    const auto direct = numbers(GeodeticToTM("41 29", kUtm35, kWgs84Ellipsoid));
    ASSERT_EQ(route.size(), 2u);
    EXPECT_NEAR(route[0], direct[0], 0.001);
    EXPECT_NEAR(route[1], direct[1], 0.001);
}

TEST(WGSToGrid, PositionTextsAndFailures)
{
    const std::string twoNumbers = WGSToGrid("41 29", kEd50Datum, kUtm35, kEd50Ellipsoid);
    EXPECT_EQ(numbers(twoNumbers).size(), 2u);
    EXPECT_EQ(WGSToGrid("41\t29  ", kEd50Datum, kUtm35, kEd50Ellipsoid), twoNumbers);
    EXPECT_EQ(WGSToGrid("41 29 0", kEd50Datum, kUtm35, kEd50Ellipsoid), twoNumbers);
    EXPECT_NE(WGSToGrid("41 29 500", kEd50Datum, kUtm35, kEd50Ellipsoid), twoNumbers);
    for (const char* failing : {"41", "", "41 29 x", "41 29x"})
        EXPECT_EQ(WGSToGrid(failing, kEd50Datum, kUtm35, kEd50Ellipsoid), "0") << failing;
    EXPECT_EQ(WGSToGrid("41 29", "6378137.0 0.0033528106647474", kUtm35, kEd50Ellipsoid), "0");
    EXPECT_EQ(WGSToGrid("41 29", kEd50Datum, "30 0 0.9996", kEd50Ellipsoid), "0");
}

TEST(WGSToGrid, ChangedParameterTextsAreReadAgain)
{
    const std::string utm35 = WGSToGrid("41 29", kEd50Datum, kUtm35, kEd50Ellipsoid);
    const std::string shifted = WGSToGrid("41 29", kEd50Datum, "30 0 0.9996 600000 0", kEd50Ellipsoid);
    EXPECT_NEAR(numbers(shifted)[0] - numbers(utm35)[0], 100000, 1e-6);
    EXPECT_EQ(WGSToGrid("41 29", kEd50Datum, "30 0 0.9996", kEd50Ellipsoid), "0");
    EXPECT_EQ(WGSToGrid("41 29", kEd50Datum, kUtm35, kEd50Ellipsoid), utm35);
}

// The text route keeps the result of the chain of text routines: the datum
// transformation's geodetic text, read back and projected.
TEST(WGSToGrid, AgreesWithTheChainOfTextRoutines)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> lat(-70, 70), dLon(-3, 3);
    int exact = 0;
    const int points = 2000;
    for (int i = 0; i < points; ++i) {
        const std::string position = geodesy::formatGeneral(lat(random)) + " " +
                                     geodesy::formatGeneral(30 + dLon(random));
        const auto blh = numbers(TransformDatum("BLH", position + " 0", kEd50Datum));
        ASSERT_EQ(blh.size(), 3u);
        const std::string chain = GeodeticToTM(
            geodesy::formatGeneral(blh[0]) + " " + geodesy::formatGeneral(blh[1]), kUtm35, kEd50Ellipsoid);
        const std::string route = WGSToGrid(position, kEd50Datum, kUtm35, kEd50Ellipsoid);
        const auto a = numbers(chain), b = numbers(route);
        ASSERT_EQ(b.size(), 2u) << position;
        // A last-decimal difference of the geodetic text is 1.1 mm at most.
        EXPECT_NEAR(a[0], b[0], 0.0012) << position;
        EXPECT_NEAR(a[1], b[1], 0.0012) << position;
        exact += chain == route;
    }
    EXPECT_GE(exact, points * 99 / 100);
}

// ---- scale factor and convergence ---------------------------------------------

TEST(TMScaleConvergence, Selectors)
{
    const double a = 6378137.0, f = 0.0033528106647474;
    const auto at = [&](const char* what, double lat, double lon, double cm = 30) {
        return static_cast<double>(TMScaleConvergence(what, a, f, lat, lon, cm, 0, 0.9996, 500000, 0));
    };
    EXPECT_EQ(at("GrdConv", 41, 30), 0);
    EXPECT_EQ(at("PtScFac", 41, 30), 0.9996);
    // About +0.656°, a little more than its first term (1° sin 41°).
    EXPECT_NEAR(at("GrdConv", 41, 29), 0.656, 0.0005);
    EXPECT_GT(at("GrdConv", 41, 29), std::sin(41 * M_PI / 180));
    EXPECT_NEAR(at("GrdConv", 41, 31), -at("GrdConv", 41, 29), 1e-12);
    for (double lon : {25.0, 29.0, 33.0})
        EXPECT_EQ(at("GrdConv", 0, lon), 0);
    EXPECT_NEAR(at("PtScFac", 41, 33) - 0.9996, 0.0008, 0.0001);
    EXPECT_EQ(at("grdconv", 41, 29), 0);
    EXPECT_EQ(at("", 41, 29), 0);
    // Across the antimeridian the difference is 2°, not 358°.
    EXPECT_NEAR(at("GrdConv", 41, 179, -179), at("GrdConv", 41, 28), 1e-9);
    EXPECT_TRUE(std::isfinite(at("GrdConv", 90, 31)));
}
