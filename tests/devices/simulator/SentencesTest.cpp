// The simulator's sentences read back by the program's own parser and scan formats.

#include "devices/serial/NmeaChecksum.h"
#include "devices/serial/NmeaSentenceParser.h"
#include "devices/simulator/NmeaSentences.h"
#include "devices/simulator/SounderSentences.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace skerra::sim;

namespace {

TEST(NmeaSentences, ChecksumMatchesAKnownSentence)
{
    EXPECT_EQ(WithChecksum("GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"),
              "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47");
}

TEST(NmeaSentences, CoordinatesAndTimesAreWrittenInTheirFields)
{
    EXPECT_EQ(NmeaLatitude(38.5), "3830.0000000,N");
    EXPECT_EQ(NmeaLatitude(-0.25), "0015.0000000,S");
    EXPECT_EQ(NmeaLongitude(27.08), "02704.8000000,E");
    EXPECT_EQ(NmeaLongitude(-122.9999999999), "12300.0000000,W");  // minutes never read 60
    EXPECT_EQ(NmeaLatitude(0), "0000.0000000,N");

    struct Case {
        double seconds;
        int year, month, day, hour, minute;
        double second;
    } cases[] = {
        {0, 1970, 1, 1, 0, 0, 0},
        {951782400, 2000, 2, 29, 0, 0, 0},
        {1796918399.5, 2026, 12, 10, 15, 59, 59.5},
        {4107542400, 2100, 3, 1, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const UtcTime t = UtcFromUnixSeconds(c.seconds);
        EXPECT_EQ(t.Year, c.year) << c.seconds;
        EXPECT_EQ(t.Month, c.month) << c.seconds;
        EXPECT_EQ(t.Day, c.day) << c.seconds;
        EXPECT_EQ(t.Hour, c.hour) << c.seconds;
        EXPECT_EQ(t.Minute, c.minute) << c.seconds;
        EXPECT_DOUBLE_EQ(t.Second, c.second) << c.seconds;
    }
}

GnssEpoch rtkEpoch()
{
    GnssEpoch e;
    e.Time = 1796947199.999;  // 23:59:59.999 rounds up into the next day
    e.FixQuality = 4;
    e.Latitude = 38.4312345678;
    e.Longitude = 27.0865432109;
    e.Altitude = 2.153;
    e.GeoidSeparation = 36.6;
    e.Satellites = 21;
    e.Hdop = 0.7;
    e.CorrectionAge = 1.2;
    e.SpeedKnots = 5.0;
    e.Course = 359.999;
    e.Heading = 77.5;
    return e;
}

TEST(NmeaSentences, TheProgramsParserReadsWhatTheReceiverSends)
{
    const GnssEpoch e = rtkEpoch();
    const std::string gga = GgaSentence(e), rmc = RmcSentence(e), vtg = VtgSentence(e),
                      hdt = HdtSentence(e);
    EXPECT_EQ(gga.substr(0, 17), "$GNGGA,000000.00,");
    EXPECT_NE(rmc.find(",0.00,111226,"), std::string::npos) << rmc;  // course and next day
    EXPECT_EQ(vtg.substr(0, 17), "$GNVTG,0.00,T,,M,");
    EXPECT_EQ(hdt.substr(0, 13), "$GNHDT,77.50,");

    skerra::NmeaFix fix;
    for (const std::string& line : {gga, rmc, vtg, hdt})
        EXPECT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
    EXPECT_TRUE(skerra::ParseSentence(gga, fix).Position);
    EXPECT_NEAR(fix.Latitude, e.Latitude, 1e-8);
    EXPECT_NEAR(fix.Longitude, e.Longitude, 1e-8);
    EXPECT_NEAR(fix.Altitude, e.Altitude, 1e-9);
    EXPECT_EQ(fix.FixQuality, 4);
    EXPECT_EQ(fix.Satellites, 21);
    EXPECT_TRUE(skerra::ParseSentence(vtg, fix).Speed);
    EXPECT_NEAR(fix.Speed, 5.0 * 1.852, 1e-9);
    fix.Speed = 0;
    EXPECT_TRUE(skerra::ParseSentence(rmc, fix).Speed);
    EXPECT_NEAR(fix.Speed, 5.0 * 1.852, 1e-9);
}

TEST(NmeaSentences, ALostFixSendsEmptyFieldsAndQualityZero)
{
    GnssEpoch e = rtkEpoch();
    e.FixQuality = 0;
    skerra::NmeaFix fix;
    fix.Latitude = 1;
    for (const std::string& line : {GgaSentence(e), RmcSentence(e), VtgSentence(e)}) {
        EXPECT_EQ(skerra::CheckNmeaChecksum(line), skerra::NmeaChecksum::Valid) << line;
        EXPECT_FALSE(skerra::ParseSentence(line, fix).Position) << line;
    }
    EXPECT_EQ(fix.FixQuality, 0);
    EXPECT_EQ(fix.Latitude, 1);  // the last position is kept
    EXPECT_NE(RmcSentence(e).find(",V,"), std::string::npos);
}

// Each message type read with the scan format the settings window proposes for it.
TEST(SounderSentences, EachTypeScansWithItsFormat)
{
    Sounding s;
    s.Time = 1796918399.5;
    s.High = 12.34;
    s.Low = 12.71;
    s.Battery = 12.61;
    s.Heave = -0.04;
    s.Ping = 123;
    struct Case {
        SounderType type;
        const char* tokens[2];
        const char* format;
        int values;
        double first, second;
        bool checksum;
    } cases[] = {
        {SounderType::Smt, {"SMT", nullptr}, "%*8s,%lf,%lf", 2, 12.34, 12.61, false},
        {SounderType::Dpt, {"DPT", nullptr}, "%*6s,%lf", 1, 12.34, 0, true},
        {SounderType::Dbt, {"DBT", nullptr}, "%*6s,%*lf,%*1s,%lf", 1, 12.34, 0, true},
        {SounderType::XdrHi, {"XDHI", nullptr}, "%*8s,%lf", 1, 12.34, 0, false},
        {SounderType::XdrLo, {"XDHI", "XDLO"}, "%*8s,%*lf,%*8s,%lf", 1, 12.71, 0, false},
        {SounderType::XdrHiLo, {"XDHI", "XDLO"}, "%*8s,%lf,%*8s,%lf", 2, 12.34, 12.71, false},
        {SounderType::OdcHi, {",B,", nullptr}, "%*42s,%lf", 1, 12.34, 0, false},
    };
    for (const Case& c : cases) {
        const std::string line = SounderLine(c.type, s);
        SCOPED_TRACE(line);
        for (const char* token : c.tokens) {
            if (token) {
                EXPECT_NE(line.find(token), std::string::npos) << token;
            }
        }
        double a = 0, b = 0;
        EXPECT_EQ(std::sscanf(line.c_str(), c.format, &a, &b), c.values);
        EXPECT_DOUBLE_EQ(a, c.first);
        EXPECT_DOUBLE_EQ(b, c.second);
        EXPECT_EQ(skerra::CheckNmeaChecksum(line),
                  c.checksum ? skerra::NmeaChecksum::Valid : skerra::NmeaChecksum::Absent);
        EXPECT_EQ(SounderTypeFromOptionName(SounderOptionName(c.type)), c.type);
    }
    EXPECT_EQ(SounderMessageType(SounderType::XdrHiLo), "Halvek XDR H/L");
    EXPECT_FALSE(SounderTypeFromOptionName("DPT"));
}

}  // namespace
