#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

using namespace skerra;

namespace {

// Appends "*hh" to a sentence written without one.
std::string withChecksum(const std::string& sentence)
{
    unsigned sum = 0;
    for (std::size_t i = 1; i < sentence.size(); ++i) sum ^= static_cast<unsigned char>(sentence[i]);
    char tail[4];
    std::snprintf(tail, sizeof tail, "*%02X", sum);
    return sentence + tail;
}

// The state before each case: every value distinct and non-zero, so a value a
// sentence must not touch shows when it is touched.
NmeaFix startState()
{
    NmeaFix f;
    f.Latitude = 1.5;
    f.Longitude = 2.5;
    f.Altitude = 3.5;
    f.Speed = 4.5;
    f.Course = 5.5;
    f.FixQuality = 1;
    f.Satellites = 5;
    return f;
}

NmeaFix fix(double lat, double lon, double alt, double speed, double course, int quality,
            int satellites)
{
    return NmeaFix{lat, lon, alt, speed, course, quality, satellites};
}

const NmeaFix S = startState();
constexpr double kMunichLat = 48 + 7.038 / 60;
constexpr double kMunichLon = 11 + 31.0 / 60;

struct SentenceCase {
    const char* name;
    std::string line;
    NmeaFix after;
    bool position;
    bool speed;
};

class ParseSentenceTable : public testing::TestWithParam<SentenceCase> {};

TEST_P(ParseSentenceTable, UpdatesStateAndReportsChanges)
{
    const auto& c = GetParam();
    NmeaFix state = startState();
    const NmeaChanges changes = ParseSentence(c.line, state);
    EXPECT_NEAR(state.Latitude, c.after.Latitude, 1e-9);
    EXPECT_NEAR(state.Longitude, c.after.Longitude, 1e-9);
    EXPECT_NEAR(state.Altitude, c.after.Altitude, 1e-9);
    EXPECT_NEAR(state.Speed, c.after.Speed, 1e-9);
    EXPECT_NEAR(state.Course, c.after.Course, 1e-9);
    EXPECT_EQ(state.FixQuality, c.after.FixQuality);
    EXPECT_EQ(state.Satellites, c.after.Satellites);
    EXPECT_EQ(changes.Position, c.position);
    EXPECT_EQ(changes.Speed, c.speed);
}

const SentenceCase kSentences[] = {
    {"GgaWithValidChecksum",
     "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47",
     fix(kMunichLat, kMunichLon, 545.4, S.Speed, S.Course, 1, 8), true, false},
    {"GgaSouthWest", withChecksum("$GPGGA,123519,4807.038,S,01131.000,W,4,12,0.9,-2.5,M,46.9,M,,"),
     fix(-kMunichLat, -kMunichLon, -2.5, S.Speed, S.Course, 4, 12), true, false},
    {"GgaAnyTalker", "$GNGGA,123519,4807.038,N,01131.000,E,2,08,0.9,545.4,M,46.9,M,,",
     fix(kMunichLat, kMunichLon, 545.4, S.Speed, S.Course, 2, 8), true, false},
    {"GgaSamePositionRaisesNothing", "$GPGGA,1,0130.000,N,00230.000,E,5,07,0.9,3.5,M,,M,,",
     fix(1.5, 2.5, 3.5, S.Speed, S.Course, 5, 7), false, false},
    {"GgaOnlyAltitudeChanged", "$GPGGA,1,0130.000,N,00230.000,E,1,05,0.9,9.25,M,,M,,",
     fix(1.5, 2.5, 9.25, S.Speed, S.Course, 1, 5), true, false},
    {"GgaNoFixKeepsPosition", "$GPGGA,,,,,,0,,,,M,,M,,*66",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 0, S.Satellites), false, false},
    {"GgaNoFixAtZeroZeroKeepsPosition",
     "$GPGGA,000427.00,0000.0000,N,00000.0000,E,0,00,0.0,,M,,M,,*5C",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 0, 0), false, false},
    {"GgaNoFixWithTheLastPositionKeepsPosition",
     "$GPGGA,000428.00,4807.038,N,01131.000,E,0,03,99.99,545.4,M,46.9,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 0, 3), false, false},
    {"GgaFixAtZeroZeroIsAPosition", "$GPGGA,1,0000.0000,N,00000.0000,E,1,06,0.9,1,M,,M,,",
     fix(0, 0, 1, S.Speed, S.Course, 1, 6), true, false},
    {"GgaEmptyAltitudeKeepsAltitude", "$GPGGA,1,4807.038,N,01131.000,E,1,08,0.9,,M,,M,,",
     fix(kMunichLat, kMunichLon, S.Altitude, S.Speed, S.Course, 1, 8), true, false},
    {"GgaEmptyQualityAndSatellitesKept", "$GPGGA,1,4807.038,N,01131.000,E,,,0.9,10,M,,M,,",
     fix(kMunichLat, kMunichLon, 10, S.Speed, S.Course, S.FixQuality, S.Satellites), true, false},
    {"GgaWithNineFieldsIgnored", "$GPGGA,1,4807.038,N,01131.000,E,4,08,0.9", S, false, false},
    {"GgaWrongChecksumIgnored",
     "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*48", S, false, false},
    {"GgaTruncatedChecksumIgnored",
     "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*4", S, false, false},
    {"GgaLowerCaseHemisphereKeepsPosition", "$GPGGA,1,4807.038,n,01131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaMissingHemisphereKeepsPosition", "$GPGGA,1,4807.038,,01131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaSwappedHemispheresKeepPosition", "$GPGGA,1,4807.038,E,01131.000,N,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaMinutesOf60KeepPosition", "$GPGGA,1,4860.000,N,01131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaDotAtSecondCharacterKeepsPosition", "$GPGGA,1,4.5,N,01131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaLatitudeAbove90KeepsPosition", "$GPGGA,1,9100.000,N,01131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"GgaLongitudeMissingDegreeDigitKeepsPosition",
     "$GPGGA,1,4807.038,N,1131.000,E,4,09,0.9,1,M,,M,,",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, S.Course, 4, 9), false, false},
    {"RmcKnotsToKmh", "$GPRMC,123519,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W",
     fix(S.Latitude, S.Longitude, S.Altitude, 18.52, 84.4, S.FixQuality, S.Satellites), false,
     true},
    {"VtgSameSpeedRaisesNothing", "$GPVTG,12,T,,M,2.4,N,4.5,K",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, 12, S.FixQuality, S.Satellites), false,
     false},
    {"RmcWithEightFieldsKeepsCourse", "$GPRMC,1,A,4807.038,N,01131.000,E,1.0",
     fix(S.Latitude, S.Longitude, S.Altitude, 1.852, S.Course, S.FixQuality, S.Satellites),
     false, true},
    {"RmcVoidUpdatesAlike", "$GPRMC,1,V,,,,,0.0,,230394",
     fix(S.Latitude, S.Longitude, S.Altitude, 0, S.Course, S.FixQuality, S.Satellites), false,
     true},
    {"RmcSpeedOverflowingKmhKeepsSpeed", "$GPRMC,1,A,4807.038,N,01131.000,E,1.5e308,90.0,230394",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, 90.0, S.FixQuality, S.Satellites), false, false},
    {"RmcWithSevenFieldsIgnored", "$GPRMC,1,A,4807.038,N,01131.000,E", S, false, false},
    {"VtgCourseAndKmh", withChecksum("$GNVTG,54.7,T,34.4,M,5.5,N,10.2,K,A"),
     fix(S.Latitude, S.Longitude, S.Altitude, 10.2, 54.7, S.FixQuality, S.Satellites), false,
     true},
    {"VtgEmptySpeedKeepsSpeed", "$GPVTG,3.0,T,,,0.50,N,,,D*16",
     fix(S.Latitude, S.Longitude, S.Altitude, S.Speed, 3.0, S.FixQuality, S.Satellites), false,
     false},
    {"ZdaIgnored", "$GPZDA,193913.00,07,09,2018,00,00*63", S, false, false},
    {"GsaIgnored", "$GNGSA,A,3,13,16,21,15,10,29,27,20,,,,,1.05,0.64,0.83,1*03", S, false, false},
    {"HdtIgnored", "$HEHDT,4.0,T*2B", S, false, false},
    {"TooShortIgnored", "$GPGG", S, false, false},
    {"NotDollarIgnored", "!AIVDO,1,1,,B,13`kvwO005wJnb0Lfo:@7P8F05`L,0*5B", S, false, false},
};

INSTANTIATE_TEST_SUITE_P(Sentences, ParseSentenceTable, testing::ValuesIn(kSentences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ParseSentence, RepeatedSentencesRaiseOnce)
{
    NmeaFix state;
    const std::string gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
    EXPECT_TRUE(ParseSentence(gga, state).Position);
    EXPECT_FALSE(ParseSentence(gga, state).Position);

    const std::string rmc = "$GNRMC,1,A,4807.038,N,01131.000,E,2.43,12,230394";
    EXPECT_TRUE(ParseSentence(rmc, state).Speed);
    EXPECT_FALSE(ParseSentence(rmc, state).Speed);
    EXPECT_NEAR(state.Speed, 2.43 * 1.852, 1e-12);
}

struct CoordinateCase {
    const char* value;
    const char* hemisphere;
    std::optional<double> degrees;
};

TEST(ParseCoordinate, ReadsWellFormedFieldsAndRefusesTheRest)
{
    const CoordinateCase cases[] = {
        {"4807.038", "N", kMunichLat},    {"4807.038", "S", -kMunichLat},
        {"01131.000", "E", kMunichLon},   {"01131.000", "W", -kMunichLon},
        {"9000.000", "S", -90.0},         {"18000.0", "E", 180.0},
        {"0000.0000", "N", 0.0},          {"4552.65403", "S", -(45 + 52.65403 / 60)},
        {"", "N", std::nullopt},          {"4.5", "N", std::nullopt},
        {".5", "N", std::nullopt},        {"4807", "N", std::nullopt},
        {"4807.038", "n", std::nullopt},  {"4807.038", "", std::nullopt},
        {"4807.038", "NS", std::nullopt}, {"4860.000", "N", std::nullopt},
        {"9000.001", "N", std::nullopt},  {"18000.01", "W", std::nullopt},
        {"48a7.038", "N", std::nullopt},  {"-807.038", "N", std::nullopt},
        {"4807.0e1", "N", std::nullopt},  {"4807.038", "E", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " " + c.hemisphere);
        const auto got = ParseCoordinate(c.value, c.hemisphere);
        ASSERT_EQ(got.has_value(), c.degrees.has_value());
        if (got) {
            EXPECT_NEAR(*got, *c.degrees, 1e-12);
        }
    }
}

TEST(SplitFields, KeepsEmptyFields)
{
    using V = std::vector<std::string_view>;
    EXPECT_EQ(SplitFields("", ','), V({""}));
    EXPECT_EQ(SplitFields("a", ','), V({"a"}));
    EXPECT_EQ(SplitFields("a,b", ','), V({"a", "b"}));
    EXPECT_EQ(SplitFields(",,", ','), V({"", "", ""}));
    EXPECT_EQ(SplitFields("a,", ','), V({"a", ""}));
}

TEST(NmeaChecksum, ClassifiesRealSentences)
{
    const std::pair<const char*, NmeaChecksum> cases[] = {
        {"$GPGGA,,,,,,0,,,,M,,M,,*66", NmeaChecksum::Valid},
        {"$GPVTG,,T,,M,,N,,K,N*2C", NmeaChecksum::Valid},
        {"$GPVTG,,T,,M,,N,,K,N*2c", NmeaChecksum::Valid},
        {"!AIVDM,1,1,,B,13aGhtw0R<OJf=6LgQ?Ad1FF05`L,0*24", NmeaChecksum::Valid},
        {"$GPVTG,,T,,M,,N,,K,N*2D", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,X*2C", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,N*2", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,N*", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,N*2CX", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,N*G0", NmeaChecksum::Invalid},
        {"$GPVTG,,T,,M,,N,,K,N", NmeaChecksum::Absent},
        {"DBT 12.34 m", NmeaChecksum::Absent},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line);
        EXPECT_EQ(CheckNmeaChecksum(line), expected);
        EXPECT_EQ(NmeaChecksumAcceptable(line), expected != NmeaChecksum::Invalid);
    }
}

}  // namespace
