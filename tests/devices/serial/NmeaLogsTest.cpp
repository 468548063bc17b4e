// Real receiver logs through the line assembler and the sentence parser.

#include "devices/serial/NmeaSentenceParser.h"
#include "devices/serial/SerialLineAssembler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

using namespace skerra;

namespace {

struct LogCase {
    const char* file;
    // The area the log's own positions lie in (degrees, south and west negative).
    double minLat, maxLat, minLon, maxLon;
    std::set<int> qualities;  // fix qualities its GGA sentences report
    int positionsAtLeast;     // position changes the log must produce
};

const LogCase kLogs[] = {
    {"garmin-10x.log", 41.72, 41.73, -83.64, -83.63, {0, 1, 6}, 2},
    {"gp-320fw-2019-04-07-coldboot.log", 48.14, 48.16, 11.58, 11.59, {0, 1}, 1},
    {"hemi.log", 42.36, 42.37, -71.04, -71.03, {0, 1}, 10},
    {"humminbird-M37.log", 44.43, 44.44, -71.68, -71.67, {2}, 5},
    {"nmea-rtk.log", 41.57, 41.58, -93.76, -93.75, {2, 4}, 10},
    {"rst39.log", 42.09, 42.10, -88.04, -88.03, {2}, 5},
    {"saab-r4.log", 50.21, 50.22, -8.12, -8.11, {2}, 1},
    {"sounder.log", 0, 0, 0, 0, {}, 0},
    {"ublox-zed-f9p-nmea.log", -45.88, -45.87, 170.50, 170.51, {1}, 10},
    {"ublox-zed-f9t-ubx_nmea_l5.log", 44.06, 44.07, -121.32, -121.31, {1}, 1},
};

class NmeaLogs : public testing::TestWithParam<LogCase> {};

std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The lines of a whole file: split at line feeds, NUL bytes removed, trimmed of
// bytes up to 32, empty ones left out.
std::vector<std::string> expectedLines(std::string content)
{
    std::erase(content, '\0');
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (auto feed = content.find('\n'); feed != std::string::npos;
         start = feed + 1, feed = content.find('\n', start)) {
        auto b = start, e = feed;
        while (b < e && static_cast<unsigned char>(content[b]) <= 32) ++b;
        while (e > b && static_cast<unsigned char>(content[e - 1]) <= 32) --e;
        if (b < e) lines.push_back(content.substr(b, e - b));
    }
    return lines;
}

TEST_P(NmeaLogs, EveryLineDeliveredAndPositionsStayInTheLogsArea)
{
    const std::filesystem::path folder = std::filesystem::path(SKERRA_TESTDATA) / "nmea";
    ASSERT_TRUE(std::filesystem::exists(folder)) << "no test data at " << folder;
    const auto& c = GetParam();
    const std::string content = readFile(folder / c.file);
    ASSERT_FALSE(content.empty());

    // Reads of an odd size, so sentences and CR LF pairs are split between reads.
    SerialLineAssembler assembler;
    NmeaFix fix;
    std::vector<std::string> delivered;
    std::set<int> qualities;
    int positions = 0;
    std::string line;
    for (std::size_t at = 0; at < content.size(); at += 37) {
        const auto chunk = std::string_view(content).substr(at, 37);
        assembler.Append(chunk.data(), chunk.size());
        while (assembler.NextLine(line)) {
            delivered.push_back(line);
            const bool gga = line.size() > 6 && line[0] == '$' && line.compare(3, 3, "GGA") == 0;
            const NmeaChanges changes = ParseSentence(line, fix);
            if (gga) qualities.insert(fix.FixQuality);
            if (changes.Position) {
                ++positions;
                EXPECT_GE(fix.Latitude, c.minLat) << line;
                EXPECT_LE(fix.Latitude, c.maxLat) << line;
                EXPECT_GE(fix.Longitude, c.minLon) << line;
                EXPECT_LE(fix.Longitude, c.maxLon) << line;
            }
            EXPECT_GE(fix.Speed, 0) << line;
            EXPECT_LT(fix.Speed, 200) << line;
        }
        assembler.CapPending();
    }

    EXPECT_EQ(delivered, expectedLines(content));
    EXPECT_EQ(qualities, c.qualities);
    EXPECT_GE(positions, c.positionsAtLeast);
}

INSTANTIATE_TEST_SUITE_P(Receivers, NmeaLogs, testing::ValuesIn(kLogs), [](const auto& info) {
    std::string name = info.param.file;
    std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
    return name;
});

}  // namespace
