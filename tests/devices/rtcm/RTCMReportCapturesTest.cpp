// The correction-stream report on real captures. The station of the NTRIP capture
// is checked against its documentation (tests/data/SOURCES.md) and against the
// RINEX header that rtklib's convbin writes for the same capture.

#include "devices/rtcm/RTCMReport.h"

#include "MissingTool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace skerra::rtcm;
using Lines = std::vector<std::string>;

namespace {

const std::filesystem::path kCaptures = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3";
constexpr const char* kNtripCapture = "pygpsdata-NTRIP-USCL00CHL0.log";

std::string readCapture(const std::string& name)
{
    std::ifstream in(kCaptures / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Lines reportOf(const std::string& snapshot)
{
    TRTCMReportInput input;
    input.Snapshot = snapshot;
    input.Vessel = {-33.45, -70.66, 500, true};
    input.LocalTime = QDateTime(QDate(2020, 12, 30), QTime(13, 35, 45));
    input.UtcOffsetMinutes = -180;
    return BuildRTCMReport(input).Lines;
}

bool contains(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool containsStart(const Lines& lines, const std::string& start)
{
    return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(start, 0) == 0; });
}

// "APPROX POSITION XYZ" of the RINEX observation header convbin writes: X, Y, Z texts.
std::vector<std::string> convbinApproxPosition(const QString& capture)
{
    const QString program = QStandardPaths::findExecutable("convbin");
    if (program.isEmpty())
        return {};
    QTemporaryDir dir;
    const QString output = dir.path() + "/capture.obs";
    QProcess convbin;
    convbin.start(program, {"-r", "rtcm3", capture, "-o", output});
    if (!convbin.waitForFinished(60000))
        return {"convbin did not finish"};
    QFile file(output);
    if (!file.open(QIODevice::ReadOnly))
        return {"no RINEX output"};
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        if (line.mid(60).startsWith("APPROX POSITION XYZ")) {
            std::vector<std::string> xyz;
            for (const QByteArray& field : line.left(60).simplified().split(' '))
                xyz.push_back(field.toStdString());
            return xyz;
        }
    }
    return {"no APPROX POSITION XYZ line"};
}

class RTCMReportCaptures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::is_directory(kCaptures)) << "third-party captures not present: " << kCaptures;
    }
};

}  // namespace

TEST_F(RTCMReportCaptures, NtripStreamStationAsDocumented)
{
    const Lines lines = reportOf(readCapture(kNtripCapture));
    for (const char* line : {"  X: 1762489.6191 m", "  Y: -5027633.8438 m", "  Z: -3496008.8438 m",
                             "Antenna Height (ARP to marker): 0.0343 m", "Reference Station: Physical (not virtual)",
                             "Antenna Type: SEPCHOKE_B3E6   SPKE", "Antenna Serial: 5856",
                             "Receiver Type: SEPT POLARX5", "Receiver Firmware: 5.5.0", "Receiver Serial: 3075024",
                             "GPS: L1 L2 L5", "GLONASS: G1 G2", "Galileo: E1 E5", "BeiDou: B1 B2", "QZSS", "SBAS",
                             "NavIC/IRNSS", "  1033 - Receiver & Antenna Descriptors (x1)",
                             "  1137 - NavIC MSM7 (x1)", "  1230 - GLONASS Code-Phase Biases (x1)",
                             "  Manual Position: Yes", "  GGA Lat: 3327.0000 S", "  GGA Lon: 07039.6000 W",
                             "Total: 35 RTCM messages parsed"})
        EXPECT_TRUE(contains(lines, line)) << line;
    EXPECT_EQ(lines[1], "2020-12-30 13:35:45 GMT-03:00");
    EXPECT_EQ(lines.back(), "Total: 35 RTCM messages parsed");   // no CRC errors
    // Near Santiago de Chile, a few hundred metres above the ellipsoid.
    EXPECT_TRUE(containsStart(lines, "  Latitude:  -33.4")) << "station latitude";
    EXPECT_TRUE(containsStart(lines, "  Longitude: -70.")) << "station longitude";
}

TEST_F(RTCMReportCaptures, StationPositionMatchesConvbinRinexHeader)
{
    const QString capture = QString::fromStdString((kCaptures / kNtripCapture).string());
    const auto xyz = convbinApproxPosition(capture);
    if (xyz.empty())
        SKERRA_SKIP_UNLESS_CI("convbin not installed (Debian package rtklib)");
    ASSERT_EQ(xyz.size(), 3u) << xyz.front();
    const Lines lines = reportOf(readCapture(kNtripCapture));
    EXPECT_TRUE(contains(lines, "  X: " + xyz[0] + " m")) << xyz[0];
    EXPECT_TRUE(contains(lines, "  Y: " + xyz[1] + " m")) << xyz[1];
    EXPECT_TRUE(contains(lines, "  Z: " + xyz[2] + " m")) << xyz[2];
}

TEST_F(RTCMReportCaptures, CorruptedStationFrameIsACrcErrorNotAStation)
{
    const Lines lines = reportOf(readCapture("pygpsdata-MIXED-RTCM3BADCRC.log"));
    EXPECT_FALSE(containsStart(lines, "  1005"));
    EXPECT_FALSE(contains(lines, "ECEF Coordinates:"));
    for (const char* line : {"  1077 - GPS MSM7 (Full GPS) (x1)", "  4072 - u-blox Proprietary (x1)",
                             "Total: 6 RTCM messages parsed", "CRC errors: 1"})
        EXPECT_TRUE(contains(lines, line)) << line;
}

TEST_F(RTCMReportCaptures, LastBytesOfABaseStream)
{
    // What the client keeps: the last 8192 bytes, cut in the middle of a frame.
    const std::string data = readCapture("ublox-zed-f9t-rtcm3.log");
    const Lines lines = reportOf(data.substr(data.size() - 8192));
    EXPECT_EQ(lines[2], "Buffer size: 8192 bytes");
    for (const char* line : {"  X: -2386072.7310 m", "  Y: -3922192.5049 m", "  Z: 4414363.4131 m", "GPS: L1 L2 L5",
                             "BeiDou: B1 B2"})
        EXPECT_TRUE(contains(lines, line)) << line;
    EXPECT_FALSE(containsStart(lines, "  WARNING"));
}

TEST_F(RTCMReportCaptures, SnapshotsOfAnUndamagedStreamShowNoCrcErrors)
{
    // Wherever the 8192 bytes start, the cut frame at their head is not reported as damage.
    const std::string data = readCapture("GMSD7_20121014.rtcm3");
    ASSERT_GT(data.size(), 200000u);
    for (std::size_t start = 0; start + 8192 < 200000; start += 3917) {
        const Lines lines = reportOf(data.substr(start, 8192));
        EXPECT_EQ(lines.back().rfind("Total: ", 0), 0u) << "snapshot at " << start << ": " << lines.back();
    }
}
