// The correction-stream report on hand-built snapshots: the whole text of one
// stream, CRC-damaged and cut frames, the station checks, the vessel's distance and
// bearing, the time-zone text and the day file of saved reports.

#include "devices/rtcm/GreatCircle.h"
#include "devices/rtcm/RTCMReport.h"
#include "devices/rtcm/RTCMReportLog.h"
#include "devices/rtcm/TimeZoneText.h"
#include "platform/AppPaths.h"
#include "platform/TextLines.h"

#include "RTCMFrameBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

using namespace skerra::rtcm;
using namespace skerra::rtcm::test;
using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

// The station of the hand-built stream: 41 N, 29 E, 100 m, in units of 0.1 mm.
constexpr std::int64_t kStationX = 42162499107, kStationY = 23371054887, kStationZ = 41624888066;

std::string arp(int number, int station, std::int64_t x, std::int64_t y, std::int64_t z, int indicator = 0)
{
    BitWriter w;
    w.Put(number, 12);
    w.Put(station, 12);
    w.Put(14, 6);   // ITRF2014
    w.Put(0b111, 3);  // GPS, GLONASS, Galileo
    w.Put(indicator, 1);
    w.PutSigned(x, 38);
    w.Put(0, 2);
    w.PutSigned(y, 38);
    w.Put(0, 2);
    w.PutSigned(z, 38);
    if (number == 1006)
        w.Put(15000, 16);   // 1.5 m antenna height
    return frameOf(w.Bytes);
}

std::string station1005(int id = 2101) { return arp(1005, id, kStationX, kStationY, kStationZ); }

std::string descriptors1033(int station, const std::vector<std::string>& strings, int setupId)
{
    BitWriter w;
    w.Put(1033, 12);
    w.Put(station, 12);
    w.PutString(strings[0]);
    w.Put(setupId, 8);
    for (std::size_t i = 1; i < strings.size(); ++i)
        w.PutString(strings[i]);
    return w.Bytes;
}

// An observation message: its number, a station id and some bytes.
std::string observations(int number)
{
    BitWriter w;
    w.Put(number, 12);
    w.Put(2101, 12);
    for (int i = 0; i < 20; ++i)
        w.Put(0x5A + i, 8);
    return frameOf(w.Bytes);
}

TRTCMReportInput inputFor(const std::string& snapshot, double vesselLatitude = 41.01, double vesselLongitude = 29.0)
{
    TRTCMReportInput input;
    input.Snapshot = snapshot;
    input.Vessel = {vesselLatitude, vesselLongitude, 12.34, false};
    input.LocalTime = QDateTime(QDate(2026, 3, 29), QTime(14, 5, 9));
    input.UtcOffsetMinutes = 180;
    return input;
}

bool contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool containsStart(const Lines& lines, const std::string& start)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

}  // namespace

TEST(RTCMReport, WholeReportOfOneStream)
{
    const std::string snapshot = "\x5A\x01"s + observations(1127) + station1005() + observations(1097) +
                                 frameOf(descriptors1033(2101, {"LEIAR25.R4      LEIT", "725", "LEICA GR50", "4.30", "1870"}, 3)) +
                                 observations(1077) + observations(1087) + observations(1127) +
                                 observations(1077).substr(0, 9);
    const auto report = BuildRTCMReport(inputFor(snapshot));
    const Lines expected = {
        "Skerra - RTCM Message Parser v1.0",
        "2026-03-29 14:05:09 GMT+03:00",
        "Buffer size: " + std::to_string(snapshot.size()) + " bytes",
        "================================================",
        "",
        "ANTENNA REFERENCE POINT (ARP)",
        "-----------------------------",
        "Station ID: 2101",
        "ITRF Realization: 2014",
        "Station Systems: GPS GLONASS Galileo",
        "Reference Station: Physical (not virtual)",
        "",
        "ECEF Coordinates:",
        "  X: 4216249.9107 m",
        "  Y: 2337105.4887 m",
        "  Z: 4162488.8066 m",
        "",
        "Geographic Coordinates (WGS84):",
        "  Latitude:  41.00000000 deg",
        "  Longitude: 29.00000000 deg",
        "  Altitude:  100.000 m",
        "",
        "ANTENNA DESCRIPTOR",
        "------------------",
        "Antenna Type: LEIAR25.R4      LEIT",
        "Antenna Serial: 725",
        "Setup ID: 3",
        "",
        "RECEIVER & ANTENNA DESCRIPTORS",
        "------------------------------",
        "Receiver Type: LEICA GR50",
        "Receiver Firmware: 4.30",
        "Receiver Serial: 1870",
        "",
        "SIGNALS AVAILABLE",
        "-----------------",
        "GPS: L1 L2 L5",
        "GLONASS: G1 G2",
        "Galileo: E1 E5",
        "BeiDou: B1 B2",
        "",
        "VESSEL POSITION (sent to VRS)",
        "-----------------------------",
        "  Latitude:  41.01000000 deg",
        "  Longitude: 29.00000000 deg",
        "  Altitude:  12.3 m",
        "  Manual Position: No",
        "  GGA Lat: 4100.6000 N",
        "  GGA Lon: 02900.0000 E",
        "",
        "DISTANCE TO BASE STATION",
        "------------------------",
        "",
        "Distance to Base: 1.11 km",
        "Bearing to Base: 180.0 deg",
        "",
        "RTCM MESSAGES RECEIVED",
        "----------------------",
        "  1005 - Station ARP (Antenna Reference Point) (x1)",
        "  1033 - Receiver & Antenna Descriptors (x1)",
        "  1077 - GPS MSM7 (Full GPS) (x1)",
        "  1087 - GLONASS MSM7 (Full GLONASS) (x1)",
        "  1097 - Galileo MSM7 (Full Galileo) (x1)",
        "  1127 - BeiDou MSM7 (Full BeiDou) (x2)",
        "",
        "================================================",
        "Total: 7 RTCM messages parsed",
    };
    EXPECT_EQ(report.Lines, expected);
    EXPECT_EQ(report.BaseLogLine.value_or("<none>"), "Base #2101: 41.00000000, 29.00000000, 100.00m");
    EXPECT_EQ(report.LastBase.StationId, 2101);
    EXPECT_NEAR(report.LastBase.Latitude, 41.0, 1e-9);
    EXPECT_NEAR(report.LastBase.Longitude, 29.0, 1e-9);
    EXPECT_NEAR(report.LastBase.Height, 100.0, 1e-3);
}

TEST(RTCMReport, SixBytesWithoutFramesGiveTheBareReport)
{
    const auto report = BuildRTCMReport(inputFor("abcdef"));
    const Lines expected = {
        "Skerra - RTCM Message Parser v1.0", "2026-03-29 14:05:09 GMT+03:00", "Buffer size: 6 bytes",
        std::string(48, '='), "", "ANTENNA REFERENCE POINT (ARP)", "-----------------------------", "",
        "RTCM MESSAGES RECEIVED", "----------------------", "", std::string(48, '='), "Total: 0 RTCM messages parsed",
    };
    EXPECT_EQ(report.Lines, expected);
    EXPECT_FALSE(report.BaseLogLine.has_value());
}

TEST(RTCMReport, DamagedFramesAreCountedAsCrcErrorsAndNotDecoded)
{
    std::string damaged = frameOf(descriptors1033(7, {"ANT", "1", "RX", "FW", "SN"}, 1));
    damaged[6] = static_cast<char>(damaged[6] ^ 0x20);
    std::string damagedStation = station1005(9);
    damagedStation[12] = static_cast<char>(damagedStation[12] ^ 0x01);

    // The snapshot starts inside a frame whose rest holds a false preamble: that is the
    // snapshot's cut, not damage. Two damaged frames follow the first good one.
    const std::string cutHead = "\x11\xD3\x00\x02xy\x01\x02\x03\x04"s;
    const std::string snapshot = cutHead + observations(1077) + damaged + damagedStation + observations(1004);
    const auto report = BuildRTCMReport(inputFor(snapshot));
    EXPECT_EQ(report.Lines.back(), "CRC errors: 2");
    EXPECT_EQ(report.Lines[report.Lines.size() - 2], "Total: 2 RTCM messages parsed");
    EXPECT_FALSE(containsStart(report.Lines, "  1033"));
    EXPECT_FALSE(containsStart(report.Lines, "  1005"));
    EXPECT_FALSE(containsStart(report.Lines, "Station ID"));
    EXPECT_FALSE(contains(report.Lines, "ANTENNA DESCRIPTOR"));
    EXPECT_FALSE(report.BaseLogLine.has_value());

    // Without damage after the first good frame there is no CRC line.
    const auto clean = BuildRTCMReport(inputFor(cutHead + observations(1077) + observations(1004)));
    EXPECT_EQ(clean.Lines.back(), "Total: 2 RTCM messages parsed");

    // Damaged frames that lead up to the first good one are damage too.
    const auto leading = BuildRTCMReport(inputFor(cutHead + damaged + damagedStation + observations(1077)));
    EXPECT_EQ(leading.Lines.back(), "CRC errors: 2");
    EXPECT_EQ(leading.Lines[leading.Lines.size() - 2], "Total: 1 RTCM messages parsed");
}

TEST(RTCMReport, ShortDescriptorFramesAreReadOnlyAsFarAsTheyGo)
{
    // Counts that run past the payload: nothing is taken from beyond it.
    BitWriter cut;
    cut.Put(1033, 12);
    cut.Put(12, 12);
    cut.Put(20, 8);
    for (char c : "SHORT"s)
        cut.Put(static_cast<std::uint8_t>(c), 8);
    BitWriter serialCut;
    serialCut.Put(1008, 12);
    serialCut.Put(12, 12);
    serialCut.PutString("ANT");
    serialCut.Put(4, 8);
    serialCut.Put(31, 8);
    serialCut.Put('X', 8);
    const std::string snapshot = frameOf(cut.Bytes) + frameOf(serialCut.Bytes) + frameOf("\x3F"s);
    const auto report = BuildRTCMReport(inputFor(snapshot));
    EXPECT_TRUE(contains(report.Lines, "Antenna Type: ANT"));
    EXPECT_FALSE(containsStart(report.Lines, "Antenna Serial"));
    EXPECT_FALSE(containsStart(report.Lines, "Setup ID"));   // taken from 1033 only
    EXPECT_TRUE(contains(report.Lines, "Station ID: 12"));
    EXPECT_TRUE(contains(report.Lines, "Total: 3 RTCM messages parsed"));
}

TEST(RTCMReport, DescriptorTextsCannotBreakTheReportLines)
{
    const std::string snapshot = frameOf(descriptors1033(5, {"ANT\r\nX", "", "R\xE9" "CEPTEUR", "", ""}, 0));
    const auto report = BuildRTCMReport(inputFor(snapshot));
    EXPECT_TRUE(contains(report.Lines, "Antenna Type: ANT??X"));
    EXPECT_TRUE(contains(report.Lines, "Receiver Type: R\xC3\xA9" "CEPTEUR"));
}

TEST(RTCMReport, StationChecks)
{
    // Implausible coordinates: one warning per frame above the station section, no position.
    const std::string zero = arp(1005, 3, 0, 0, 0);
    auto report = BuildRTCMReport(inputFor(zero + zero));
    EXPECT_EQ(report.Lines[5], "  WARNING: ECEF magnitude invalid - parsing may be incorrect!");
    EXPECT_EQ(report.Lines[6], report.Lines[5]);
    EXPECT_EQ(report.Lines[7], "ANTENNA REFERENCE POINT (ARP)");
    EXPECT_FALSE(contains(report.Lines, "ECEF Coordinates:"));
    EXPECT_FALSE(contains(report.Lines, "VESSEL POSITION (sent to VRS)"));
    EXPECT_FALSE(report.BaseLogLine.has_value());

    // A plausible position stays when a later frame is implausible; the ECEF shown is the last read.
    report = BuildRTCMReport(inputFor(station1005() + arp(1005, 3, 0, 0, 0)));
    EXPECT_TRUE(contains(report.Lines, "  Latitude:  41.00000000 deg"));
    EXPECT_TRUE(contains(report.Lines, "  X: 0.0000 m"));
    EXPECT_TRUE(contains(report.Lines, "Station ID: 3"));

    // A virtual station has no reference-station line; a 1006 gives the antenna height.
    report = BuildRTCMReport(inputFor(arp(1006, 4, kStationX, kStationY, kStationZ, 1)));
    EXPECT_FALSE(containsStart(report.Lines, "Reference Station"));
    EXPECT_TRUE(contains(report.Lines, "Antenna Height (ARP to marker): 1.5000 m"));
    report = BuildRTCMReport(inputFor(arp(1006, 4, kStationX, kStationY, kStationZ, 0)));
    EXPECT_TRUE(contains(report.Lines, "Reference Station: Physical (not virtual)"));

    // Vessel without a position.
    report = BuildRTCMReport(inputFor(station1005(), 0, 0));
    EXPECT_TRUE(contains(report.Lines, "(Vessel position not available - cannot calculate distance)"));
    EXPECT_FALSE(contains(report.Lines, "DISTANCE TO BASE STATION"));
    EXPECT_TRUE(contains(report.Lines, "  GGA Lat: 0000.0000 N"));
}

TEST(RTCMReport, SignalLinesByMessageNumber)
{
    struct Case {
        std::vector<int> numbers;
        Lines systems;
    };
    const Case cases[] = {
        {{1117}, {"QZSS"}},
        {{1001}, {"GPS: L1"}},
        {{1004, 1012}, {"GPS: L1 L2", "GLONASS: G1 G2"}},
        {{1009, 1107, 1137, 1111}, {"GLONASS: G1", "QZSS", "SBAS", "NavIC/IRNSS"}},
        {{1005, 1230, 4072}, {}},
    };
    for (const auto& c : cases) {
        std::string snapshot;
        for (int n : c.numbers)
            snapshot += observations(n);
        const auto lines = BuildRTCMReport(inputFor(snapshot)).Lines;
        const auto title = std::find(lines.begin(), lines.end(), "SIGNALS AVAILABLE");
        if (c.systems.empty()) {
            EXPECT_EQ(title, lines.end());
            continue;
        }
        ASSERT_NE(title, lines.end());
        const auto first = title + 2;
        const auto end = std::find(first, lines.end(), "");
        EXPECT_EQ(Lines(first, end), c.systems) << c.numbers.front();
    }
}

TEST(RTCMReport, BaseLogLineOnlyForANewOrMovedStation)
{
    const std::string snapshot = station1005(2101);
    struct Case {
        TRTCMBaseStation last;
        bool logged;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, true},
        {{2101, 41.0, 29.0, 100.0}, false},
        {{2101, 41.000009, 28.999991, 0.0}, false},
        {{2101, 41.00002, 29.0, 100.0}, true},
        {{2101, 41.0, 29.00002, 100.0}, true},
        {{2102, 41.0, 29.0, 100.0}, true},
    };
    for (const auto& c : cases) {
        auto input = inputFor(snapshot);
        input.LastBase = c.last;
        const auto report = BuildRTCMReport(input);
        EXPECT_EQ(report.BaseLogLine.has_value(), c.logged) << c.last.StationId << " " << c.last.Latitude;
        EXPECT_EQ(report.LastBase.StationId, c.logged ? 2101 : c.last.StationId);
        EXPECT_EQ(report.LastBase.Latitude == c.last.Latitude, !c.logged);
    }
}

TEST(RTCMReport, DistanceAndBearingLines)
{
    struct Case {
        double metres, bearing;
        Lines lines;
    };
    const Case cases[] = {
        {0, 0, {"Distance to Base: 0.0 m", "Bearing to Base: 0.0 deg"}},
        {999.94, 359.9, {"Distance to Base: 999.9 m", "Bearing to Base: 359.9 deg"}},
        {1000, 90, {"Distance to Base: 1.00 km", "Bearing to Base: 90.0 deg"}},
        {20000, 180, {"Distance to Base: 20.00 km", "Bearing to Base: 180.0 deg"}},
        {20000.1, 180, {"Distance to Base: 20.00 km", "Bearing to Base: 180.0 deg", "",
                        "NOTE: Distance > 20 km - Consider using closer base station"}},
        {35000, 270, {"Distance to Base: 35.00 km", "Bearing to Base: 270.0 deg", "",
                      "NOTE: Distance > 20 km - Consider using closer base station"}},
        {35000.1, 270, {"Distance to Base: 35.00 km", "Bearing to Base: 270.0 deg", "",
                        "WARNING: Distance > 35 km - RTK accuracy may be degraded!"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DistanceToBaseLines(c.metres, c.bearing), c.lines) << c.metres;
}

TEST(GreatCircle, DistanceAndBearingTable)
{
    struct Case {
        double lat1, lon1, lat2, lon2, metres, bearing;
    };
    const double degree = 6371000 * std::numbers::pi / 180;
    const Case cases[] = {
        {41, 29, 41, 29, 0, 0},
        {0, 0, 0, 1, degree, 90},
        {0, 0, 1, 0, degree, 0},
        {0, 0, -1, 0, degree, 180},
        {0, 0, 0, -1, degree, 270},
        {41.01, 29, 41, 29, 0.01 * degree, 180},
        {0, 179.5, 0, -179.5, degree, 90},          // across the date line
        {0, 0, 0, 180, 180 * degree, 90},
        {51.5074, -0.1278, 48.8566, 2.3522, 343556, 148.1},   // London to Paris
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(GreatCircleDistance(c.lat1, c.lon1, c.lat2, c.lon2), c.metres, 1.0) << c.lat1 << " " << c.lon1;
        EXPECT_NEAR(InitialBearing(c.lat1, c.lon1, c.lat2, c.lon2), c.bearing, 0.05) << c.lat1 << " " << c.lon1;
    }
}

TEST(TimeZoneText, KeepsTheSignOfEveryOffset)
{
    const std::pair<int, const char*> cases[] = {
        {0, "GMT+00:00"},   {180, "GMT+03:00"},  {-300, "GMT-05:00"}, {-30, "GMT-00:30"},
        {330, "GMT+05:30"}, {345, "GMT+05:45"}, {-570, "GMT-09:30"}, {840, "GMT+14:00"}, {-720, "GMT-12:00"},
    };
    for (const auto& [offset, text] : cases)
        EXPECT_EQ(TimeZoneText(offset), text) << offset;
}

TEST(RTCMReportLog, AppendsReportsWithAnEmptyLineBetween)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    skerra::setDataRootForTesting(root.path() + "/QMT/");
    const QString path = RTCMReportLogPath(QDate(2026, 3, 29));
    EXPECT_EQ(path, root.path() + "/QMT/2026-03-29/LOG/2026-03-29 Halvek RTCM Parsing.log");

    AppendRTCMReportLog(path, {});
    EXPECT_FALSE(QFile::exists(path));
    AppendRTCMReportLog(path, {"first", "report"});
    AppendRTCMReportLog(path, {"second"});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("first\r\nreport\r\n\r\nsecond\r\n"));
    skerra::setDataRootForTesting({});
}

TEST(RTCMReportLog, UnwritableFolderRaises)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QFile blocker(root.path() + "/file");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(AppendRTCMReportLog(root.path() + "/file/LOG/x.log", {"line"}), std::runtime_error);
}
