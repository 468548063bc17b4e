// The survey engine's decisions, each a pure function: sentences, depths, log
// lines, texts, vessel geometry and the grid convergence.

#include "SurveyFakes.h"

#include "navigation/survey/DepthCorrection.h"
#include "navigation/survey/FixQuality.h"
#include "navigation/survey/GnssSentences.h"
#include "navigation/survey/GridProjection.h"
#include "navigation/survey/PositionText.h"
#include "navigation/survey/SounderSentence.h"
#include "navigation/survey/StatusLine.h"
#include "navigation/survey/SurveyCsvLines.h"
#include "navigation/survey/SounderScanFormat.h"
#include "shell/SbesMessageTypes.h"
#include "navigation/survey/VesselGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

using namespace skerra::survey;
using surveytest::nmea;
using surveytest::wgs84Grid;

namespace {

// The scan format the settings window proposes for a message type.
std::string proposedFormat(const char* type)
{
    const auto t = skerra::sbesMessageType(QString::fromUtf8(type));
    return t ? std::string(t->format) : std::string();
}


TEST(GnssSentences, SpeedHeadingAndGgaHeights)
{
    // RMC: field 7 knots; empty -> 0; negative -> unchanged; bad checksum -> unchanged.
    EXPECT_EQ(RmcSpeedKnots(nmea("GPRMC,120000,A,4000.0,N,02900.0,E,5.5,90.0,101226,,")), 5.5);
    EXPECT_EQ(RmcSpeedKnots(nmea("GPRMC,120000,V,,,,,,,101226,,")), 0.0);
    EXPECT_EQ(RmcSpeedKnots(nmea("GPRMC,120000,A,4000.0,N,02900.0,E,-1.0,90.0,101226,,")), std::nullopt);
    EXPECT_EQ(RmcSpeedKnots("$GPRMC,120000,A,4000.0,N,02900.0,E,5.5,90.0,101226,,*00"), std::nullopt);
    // VTG: knots by comma position, also when the magnetic course is empty.
    EXPECT_EQ(VtgSpeedKnots(nmea("GPVTG,054.7,T,,M,005.5,N,010.2,K")), 5.5);
    EXPECT_EQ(VtgSpeedKnots(nmea("GPVTG,054.7,T,034.4,M,,N,,K")), 0.0);
    EXPECT_EQ(HdtHeading(nmea("HEHDT,123.4,T")), 123.4);
    EXPECT_EQ(HdtHeading(nmea("HEHDT,,T")), std::nullopt);
    EXPECT_TRUE(HasSentenceType("$GNGGA,...", "GGA"));
    EXPECT_TRUE(HasSentenceType("$PXGGAX,...", "GGA"));  // anywhere in the line

    const struct {
        std::string line;
        std::optional<RtkHeights> rtk;
    } gga[] = {
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,1.0,0001"), RtkHeights{43.5, 42.3}},
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,4,12,0.8,40.00,M,,M,1.0,0001"), RtkHeights{40.0, 38.8}},
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,5,12,0.8,40.00,M,3.50,M,1.0,0001"), std::nullopt},
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,,12,0.8,40.00,M,3.50,M,1.0,0001"), std::nullopt},
        {nmea("GPGGA,,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,1.0,0001"), std::nullopt},
        // Heights that add up beyond the largest double are no heights.
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,4,12,0.8,1.7e308,M,1.7e308,M,1.0,0001"), std::nullopt},
        {nmea("GPGGA,120000.00,4000.0,N,02900.0,E,4,12,0.8,-1.7e308,M,-1.7e308,M,1.0,0001"), std::nullopt},
    };
    for (const auto& c : gga) {
        const auto values = GgaHeightValues(c.line);
        const auto rtk = values ? RtkHeightsFromGga(*values, 1.2) : std::nullopt;
        ASSERT_EQ(rtk.has_value(), c.rtk.has_value()) << c.line;
        if (rtk) {
            EXPECT_DOUBLE_EQ(rtk->antennaHeight, c.rtk->antennaHeight) << c.line;
            EXPECT_DOUBLE_EQ(rtk->tide, c.rtk->tide) << c.line;
        }
    }
}

// Only a GGA with a fix quality above 0, a usable position and a time of its own is a
// new fix.
TEST(GnssSentences, WhatAGgaSaysOfTheFix)
{
    const struct {
        std::string line;
        const char* previousTime;
        GgaFix kind;
    } cases[] = {
        {nmea("GPGGA,120000.10,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,1.0,0001"), "120000.00", GgaFix::NewFix},
        {nmea("GNGGA,120000.10,4000.0,N,02900.0,E,1,12,0.8,40.00,M,3.50,M,,"), "", GgaFix::NewFix},
        {nmea("GPGGA,,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,1.0,0001"), "", GgaFix::NewFix},
        {nmea("GPGGA,120000.10,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,1.0,0001"), "120000.10", GgaFix::Repeat},
        // A dropout: quality 0 without a position, with the last position, or with zeros.
        {nmea("GPGGA,120000.20,,,,,0,03,99.99,,M,,M,,"), "120000.10", GgaFix::NoFix},
        {nmea("GPGGA,120000.20,4000.0,N,02900.0,E,0,03,99.99,40.00,M,3.50,M,,"), "120000.10", GgaFix::NoFix},
        {nmea("GPGGA,120000.20,0000.0000,N,00000.0000,E,0,00,0.0,,M,,M,,"), "120000.10", GgaFix::NoFix},
        {nmea("GPGGA,120000.20,,,,,0,03,99.99,,M,,M,,"), "120000.20", GgaFix::NoFix},
        {nmea("GPGGA,120000.20,4000.0,N,02900.0,E,,12,0.8,40.00,M,3.50,M,,"), "", GgaFix::NoFix},
        {nmea("GPGGA,120000.20,4000.0,n,02900.0,E,4,12,0.8,40.00,M,3.50,M,,"), "", GgaFix::NoFix},
        {"$GPGGA,120000.20,4000.0,N,02900.0,E,4,12,0.8,40.00,M,3.50,M,,*00", "", GgaFix::Damaged},
    };
    for (const auto& c : cases) {
        const GgaEpoch epoch = ReadGgaEpoch(c.line, c.previousTime);
        EXPECT_EQ(epoch.kind, c.kind) << c.line;
        if (c.kind != GgaFix::Damaged) EXPECT_EQ(epoch.time, c.line.substr(7, c.line.find(',', 7) - 7)) << c.line;
    }
}

TEST(SounderSentence, TypesTokensAndNeededValues)
{
    const struct {
        const char* type;
        const char* line;
        bool accepted, parsed;
        double high, low, primary;
    } cases[] = {
        {"NMEA DPT", "$SDDPT,10.00,0.0*45", true, true, 10.0, 0, 10.0},
        {"NMEA DPT", "$SDDBT,32.8,f,10.00,M", false, false, 0, 0, 0},  // token missing
        {"NMEA DBT", "$SDDBT,32.8,f,10.00,M,5.4,F", true, true, 10.0, 0, 10.0},
        {"Halvek SMT", "$HALVSMT,4.20,12.1", true, true, 4.2, 0, 4.2},
        {"Halvek SMT", "$HALVSMT,4.20", true, false, 4.2, 0, 4.2},  // battery missing
        {"Halvek XDR LO", "$HALXDHI,5.25,$HALXDLO,7.75", true, true, 0, 7.75, 7.75},
        {"Halvek XDR H/L", "$HALXDHI,5.25,$HALXDLO,7.75", true, true, 5.25, 7.75, 5.25},
        {"Halvek XDR H/L", "$HALXDHI,5.25", false, false, 0, 0, 0},
        {"Unknown", "$SDDPT,10.00", false, false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SounderScanFormat format;
        const SounderReading r = ReadSounderLine(c.line, c.type, format.For(proposedFormat(c.type)));
        EXPECT_EQ(r.accepted, c.accepted) << c.type << " " << c.line;
        EXPECT_EQ(r.parsed, c.parsed) << c.type << " " << c.line;
        EXPECT_EQ(r.rawHigh, c.high) << c.type << " " << c.line;
        EXPECT_EQ(r.rawLow, c.low) << c.type << " " << c.line;
        EXPECT_EQ(r.PrimaryRaw(), c.primary) << c.type << " " << c.line;
    }
    SounderScanFormat user;
    const SounderReading other = ReadSounderLine("DEPTH 12.5", "OTHER", user.For("DEPTH %lf"));
    EXPECT_TRUE(other.parsed);
    EXPECT_EQ(other.rawHigh, 12.5);
}

// The user's format goes through the safe scanner: one that could store anything but
// two numbers is refused with its reason, and a line then reads as not parsed.
TEST(SounderSentence, ARefusedScanFormatReadsNothing)
{
    SounderScanFormat user;
    for (const char* refused : {"%*6s,%s", "%*6s,%n", "%*6s,%lf,%lf,%lf", "%*6s,%d"}) {
        EXPECT_EQ(user.For(refused), nullptr) << refused;
        EXPECT_NE(user.Problem().find("cannot be used"), std::string::npos) << refused;
        const SounderReading r = ReadSounderLine("$SDDPT,10.00,0.0", "NMEA DPT", user.For(refused));
        EXPECT_TRUE(r.accepted);
        EXPECT_FALSE(r.parsed);
        EXPECT_EQ(r.rawHigh, 0.0);
    }
    ASSERT_NE(user.For("%*6s,%lf"), nullptr);
    EXPECT_TRUE(user.Problem().empty());
    EXPECT_EQ(ReadSounderLine("$SDDPT,,0.0", "NMEA DPT", user.For("%*6s,%lf")).parsed, false);  // empty field
}

TEST(DepthCorrection, SingleVelocityProfileAndRounding)
{
    SounderReading dpt;
    dpt.accepted = dpt.parsed = true;
    dpt.rawHigh = 10.0;
    CorrectedDepths d = CorrectDepths(dpt, 1530, 0.40, nullptr);
    ASSERT_TRUE(d.ok);
    EXPECT_NEAR(d.high, 10.60, 1e-12);
    EXPECT_EQ(d.low, 0.0);  // no low channel: no invented low depth
    EXPECT_EQ(d.velocityUsed, 1530);

    for (const double bad : {0.0, -1500.0, std::nan("")}) EXPECT_FALSE(CorrectDepths(dpt, bad, 0.4, nullptr).ok);

    const struct {
        double raw;
        std::size_t line;
        bool clamped;
    } rounding[] = {{12.4, 12, false}, {12.5, 13, false}, {-0.4, 0, false}, {-0.6, 0, false}, {-2.0, 0, true}, {99.0, 19, true}};
    for (const auto& r : rounding) {
        const ProfileIndex at = ProfileLine(r.raw, 20);
        EXPECT_EQ(at.index, r.line) << r.raw;
        EXPECT_EQ(at.clamped, r.clamped) << r.raw;
    }

    std::vector<std::string> column;
    for (int i = 0; i < 20; ++i) column.push_back(std::to_string(1500 + i));
    dpt.rawHigh = 12.4;
    d = CorrectDepths(dpt, 1530, 0.0, &column);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.velocityUsed, 1512);
    dpt.rawHigh = 30.0;  // beyond the column: its last line, said once
    d = CorrectDepths(dpt, 1530, 0.0, &column);
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.velocityUsed, 1519);
    EXPECT_FALSE(d.problem.empty());
    column[19] = "abc";
    EXPECT_FALSE(CorrectDepths(dpt, 1530, 0.0, &column).ok);

    SounderReading lo;
    lo.accepted = lo.parsed = lo.lowOnly = lo.hasLow = true;
    lo.rawLow = 3.0;
    d = CorrectDepths(lo, 1500, 0.5, nullptr);
    EXPECT_EQ(d.high, 0.0);
    EXPECT_EQ(d.low, 3.5);
}

// One rule for every sounder type: a raw depth below zero, deeper than the deepest sea
// or too small to be a normal number is refused on either channel, as is a correction
// that overflows to infinity; 0 (no sounding) and every depth a sea can have are kept.
TEST(DepthCorrection, ImpossibleDepthsAndOverflowingCorrectionsAreRefused)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        double rawHigh, rawLow;
        bool highLow;
        double velocity;
        bool refused;
    } cases[] = {
        {"shallow", 0.3, 0, false, 1530, false},
        {"no sounding", 0, 0, false, 1530, false},
        {"deepest sea", 10994, 0, false, 1530, false},
        {"at the limit", 11000, 0, false, 1530, false},
        {"both channels", 10, 12.5, true, 1530, false},
        {"below zero", -5, 0, false, 1530, true},
        {"just below zero", -0.01, 0, false, 1530, true},
        {"deeper than any sea", 11000.5, 0, false, 1530, true},
        {"absurdly deep", 99999999, 0, false, 1530, true},
        {"large but finite", 1e300, 0, false, 1530, true},
        {"denormal", 1e-320, 0, false, 1530, true},
        {"infinite", inf, 0, false, 1530, true},
        {"not a number", std::nan(""), 0, false, 1530, true},
        {"high channel overflows", 1.7e308, 0, false, 1530, true},
        {"negative high", -1.7e308, 0, false, 1530, true},
        {"low channel", 10, 1.7e308, true, 1530, true},
        {"low channel below zero", 10, -5, true, 1530, true},
        {"low channel denormal", 10, 1e-320, true, 1530, true},
        {"correction overflows", 10000, 0, false, 1e306, true},
    };
    for (const auto& c : cases) {
        SounderReading r;
        r.accepted = r.parsed = true;
        r.hasLow = c.highLow;
        r.rawHigh = c.rawHigh;
        r.rawLow = c.rawLow;
        const CorrectedDepths d = CorrectDepths(r, c.velocity, 0.4, nullptr);
        EXPECT_EQ(d.ok, !c.refused) << c.name;
        EXPECT_EQ(d.outOfRange, c.refused) << c.name;
        EXPECT_TRUE(std::isfinite(d.high) && std::isfinite(d.low)) << c.name;
        // The same rule with a profile: nothing impossible reaches the look-up.
        const std::vector<std::string> profile{"1500", "1510"};
        EXPECT_EQ(CorrectDepths(r, c.velocity, 0.4, &profile).outOfRange, c.refused && c.velocity < 1e300) << c.name;
    }
}

TEST(SurveyCsvLines, HeaderAndLineBytes)
{
    EXPECT_EQ(CoordinatesCsvHeaderLine(),
              "Date,Lat,Lon,Easting,Northing,Elevation (Hi),Elevation (Lo),True Depth (Hi),True Depth (Lo),"
              "Raw Depth (Hi),Raw Depth (Lo),Message Format,Sound Velocity,Transducer Draft,GPS, RTK Antenna "
              "Height,Manual Tide,RTK Tide\r\n");
    CoordinateLogValues v;
    v.time = QDateTime(QDate(2026, 12, 10), QTime(9, 5, 7, 42));
    v.latitude = 40.123456789;
    v.longitude = -29.5;
    v.easting = 500123.456;
    v.northing = 4441234.5;
    v.manualTide = 0.25;
    v.trueHigh = 10.6;
    v.rawHigh = 10;
    v.messageFormat = "NMEA DPT";
    v.soundVelocity = 1530;
    v.draft = 0.4;
    v.fixQuality = 4;
    v.antennaHeight = 43.5;
    v.rtkTide = 42.3;
    const std::string line = CoordinatesCsvLine(v);
    EXPECT_EQ(line,
              "2026-12-10 090507042,40.123456789,-29.5,500123.46,4441234.50,-10.35,0.25,10.60,0.00,10,0,"
              "NMEA DPT,1530.00,0.40,4,43.50,0.25,42.30\r\n");
    EXPECT_EQ(std::count(line.begin(), line.end(), ','), 17);  // 18 fields
    v.hasPosition = false;  // no fix yet: the four position fields stay empty
    EXPECT_EQ(CoordinatesCsvLine(v), "2026-12-10 090507042,,,,,-10.35,0.25,10.60,0.00,10,0,"
                                     "NMEA DPT,1530.00,0.40,4,43.50,0.25,42.30\r\n");
    v.hasPosition = true;
    v.fixQuality = 0;
    v.hasRtkHeights = false;  // no current fix: the RTK antenna height and tide stay empty
    EXPECT_EQ(CoordinatesCsvLine(v), "2026-12-10 090507042,40.123456789,-29.5,500123.46,4441234.50,-10.35,0.25,"
                                     "10.60,0.00,10,0,NMEA DPT,1530.00,0.40,0,,0.25,\r\n");
    EXPECT_EQ(SimpleXyzLine(500000.004, 4400000.0, -10.6), "500000.00,4400000.00,-10.60\r\n");
}

TEST(SurveyTexts, FixNamesTrackLayersAndBoxColours)
{
    NavigationDisplayValues display;
    display.trackFixColour = 0x111111;
    display.trackFloatColour = 0x222222;
    const struct {
        int quality;
        const char* name;
        const char* layer;
        TColor track, box;
    } cases[] = {
        {0, "No Fix", "track_nofix", 0x0000FF, 0x0000FF}, {1, "GPS", "track_nofix", 0x0000FF, 0x0000FF},
        {2, "DGPS", "track_float", 0x222222, 0xFFFF00},   {3, "Fix:3", "track_float", 0x222222, 0x00FFFF},
        {4, "RTK Fix", "track_fix", 0x111111, 0x00FF00},  {5, "RTK Float", "track_float", 0x222222, 0x00FFFF},
        {6, "Fix:6", "track_nofix", 0x0000FF, 0x00FFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FixQualityName(c.quality), c.name);
        EXPECT_STREQ(TrackLayerFor(c.quality, display).layerName, c.layer) << c.quality;
        EXPECT_EQ(TrackLayerFor(c.quality, display).colour, c.track) << c.quality;
        EXPECT_EQ(GpsBoxColour(c.quality), c.box) << c.quality;
    }
    EXPECT_EQ(StatusLine({4, 5.2, 14, 43.214, "0.35", 10.6}),
              "RTK Fix | Spd: 5.2 kn | SV: 14 | Ant: 43.21 m | Tide: 0.35 m | Depth: 10.60 m");
    EXPECT_EQ(StatusLine({3, 0, 0, 0, "-", std::nullopt}), "Fix:3 | Spd: 0.0 kn | SV: 0 | Ant: 0.00 m | Tide: - m");
    // Without a current fix the last fix's speed and height are not shown as readings.
    EXPECT_EQ(StatusLine({0, 5.2, 3, 43.214, "-", 10.6, false}),
              "No Fix | Spd: - kn | SV: 3 | Ant: - m | Tide: - m | Depth: 10.60 m");
}

TEST(SurveyTexts, DmsRoundsAsAWholeAndGridText)
{
    const struct {
        double lat, lon;
        const char* text;
    } cases[] = {
        {40.5, 29.25, "40\u00B030'0.000\"N, 29\u00B015'0.000\"E"},
        {-33.8568, -151.2153, "33\u00B051'24.480\"S, 151\u00B012'55.080\"W"},
        {40.99999999, 0.0, "41\u00B00'0.000\"N, 0\u00B00'0.000\"E"},  // never 59'60.000"
        {10.0 + 59.0 / 60 + 59.9996 / 3600, 0, "11\u00B00'0.000\"N, 0\u00B00'0.000\"E"},
    };
    for (const auto& c : cases) EXPECT_EQ(DmsText(c.lat, c.lon), c.text);
    EXPECT_EQ(GridPositionText(500000.005, 4400000.0), "E500000.01, N4400000.00");
}

TEST(VesselGeometry, ArrowAtHeadingZeroAndNinetyAndRingClamp)
{
    VesselShape shape{2, 10, 10, 100, 10};
    const auto north = VesselLines(1000, 2000, 0, shape);
    const auto east = VesselLines(1000, 2000, 90, shape);
    const struct {
        double x, y;
    } bowNorth{1000, 2100}, bowEast{1100, 2000};
    EXPECT_NEAR(north[0].x2, bowNorth.x, 1e-9);
    EXPECT_NEAR(north[0].y2, bowNorth.y, 1e-9);
    EXPECT_NEAR(north[1].x2, 1010, 1e-9);  // starboard side at heading 0
    EXPECT_NEAR(north[2].x2, 990, 1e-9);
    EXPECT_NEAR(east[0].x2, bowEast.x, 1e-9);
    EXPECT_NEAR(east[0].y2, bowEast.y, 1e-9);
    EXPECT_NEAR(east[1].y2, 1990, 1e-9);
    EXPECT_NEAR(east[3].x1, 1100, 1e-9);  // bow to the sides
    EXPECT_EQ(RingRadii(shape), (std::vector<double>{10, 20}));

    VesselShapeTexts texts;
    texts.ringCount = "100000";
    texts.ringInterval = "";
    texts.bowArrow = "abc";
    std::string problem;
    UpdateVesselShape(shape, texts, problem);
    EXPECT_EQ(shape.ringCount, kMaxRings);
    EXPECT_EQ(shape.ringInterval, 10);  // empty edit keeps the value
    EXPECT_EQ(shape.bowArrow, 100);     // bad edit keeps it too, and is named
    EXPECT_NE(problem.find("bow arrow"), std::string::npos);
}

// The convergence must be the grid bearing of true north at the point: the
// vessel symbol then points the same way under every projection.
TEST(GridProjection, ConvergenceIsTheGridBearingOfTrueNorth)
{
    const struct {
        const char* name;
        bool lambert, oneParallel;
    } projections[] = {{"TM", false, false}, {"LCC 1SP", true, true}, {"LCC 2SP", true, false}};
    for (const auto& p : projections) {
        GridSettingsTexts settings = wgs84Grid();
        settings.useLambert = p.lambert;
        settings.lambert1SP = p.oneParallel;
        std::string problem;
        auto grid = GridProjection::Build(settings, problem);
        ASSERT_TRUE(grid) << p.name << ": " << problem;
        for (const double lon : {25.0, 27.0, 29.5}) {
            const auto here = grid->Project(40.0, lon, 0);
            const auto north = grid->Project(40.0001, lon, 0);
            ASSERT_TRUE(here && north) << p.name;
            const double bearing = std::atan2(north->easting - here->easting, north->northing - here->northing)
                * 180 / std::numbers::pi;
            EXPECT_NEAR(here->convergence, bearing, 1e-3) << p.name << " at " << lon;
            if (lon > 27) {
                EXPECT_LT(here->convergence, 0) << p.name;  // east of the meridian
            }
        }
    }
}

TEST(GridProjection, ValidatesOnlyWhatIsUsed)
{
    std::string problem;
    GridSettingsTexts g = wgs84Grid();
    g.semiMajorAxis = "";
    EXPECT_FALSE(GridProjection::Build(g, problem));
    EXPECT_NE(problem.find("not configured"), std::string::npos);

    g = wgs84Grid();
    g.rotationY = "1,5";
    EXPECT_FALSE(GridProjection::Build(g, problem));
    EXPECT_NE(problem.find("rotation Y"), std::string::npos);

    g = wgs84Grid();
    g.flattening = "298.257223563";  // the inverse typed in
    EXPECT_FALSE(GridProjection::Build(g, problem));

    g = wgs84Grid();
    g.lccScaleFactor = "x";  // Lambert edits do not matter under TM
    EXPECT_TRUE(GridProjection::Build(g, problem)) << problem;
    g.useLambert = true;
    g.lambert1SP = true;
    EXPECT_FALSE(GridProjection::Build(g, problem));
    EXPECT_NE(problem.find("Lambert scale factor"), std::string::npos);

    g = wgs84Grid();
    g.useLambert = true;
    g.centralMeridian = "";  // the TM edits do not matter under Lambert
    g.scaleFactor = "bad";
    EXPECT_TRUE(GridProjection::Build(g, problem)) << problem;
}

}  // namespace
