// The reference station of real correction streams, found block by block as the
// NTRIP window receives them: frames split between blocks count, damaged ones do not.

#include "devices/rtcm/RTCM3BaseStation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace skerra::rtcm;

namespace {

const std::filesystem::path kCaptures = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3";

// The stations a window would report for a capture received in blocks of `blockSize`.
std::vector<TRTCMBaseStation> reported(const std::string& name, std::size_t blockSize)
{
    std::ifstream in(kCaptures / name, std::ios::binary);
    EXPECT_TRUE(in) << "third-party capture not present: " << (kCaptures / name);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    TRTCM3BaseStationFinder finder;
    TRTCMBaseStation last;
    std::vector<TRTCMBaseStation> out;
    for (std::size_t at = 0; at < bytes.size(); at += blockSize)
        for (const TRTCMBaseStation& s : finder.Push(std::string_view(bytes).substr(at, blockSize)))
            if (IsNewBaseStation(s, last)) out.push_back(last = s);
    return out;
}

TEST(BaseStationDetection, OneReportPerStationWhateverTheBlockSize)
{
    struct Case {
        const char* capture;
        int stationId;      // -1: no station
        double latitude, longitude;
    };
    // Positions of the captures' 1005/1006 ARP (USCL00CHL0: Santiago de Chile).
    const Case cases[] = {
        {"pygpsdata-NTRIP-USCL00CHL0.log", 0, -33.44, -70.68},
        {"pygpsdata-MIXED-RTCM3BADCRC.log", -1, 0, 0},   // its only 1005 has a broken CRC
        {"GMSD7_20121014.rtcm3", -1, 0, 0},              // no 1005/1006 at all
    };
    for (const Case& c : cases) {
        for (std::size_t block : {7u, 100u, 4095u}) {
            SCOPED_TRACE(std::string(c.capture) + " in blocks of " + std::to_string(block));
            const auto stations = reported(c.capture, block);
            if (c.stationId < 0) {
                EXPECT_TRUE(stations.empty());
                continue;
            }
            ASSERT_EQ(stations.size(), 1u);
            EXPECT_EQ(stations[0].StationId, c.stationId);
            EXPECT_NEAR(stations[0].Latitude, c.latitude, 0.05);
            EXPECT_NEAR(stations[0].Longitude, c.longitude, 0.05);
        }
    }
}

TEST(BaseStationDetection, ASurveyedInBaseIsReportedOnceAcrossItsRepeats)
{
    // 26 identical 1005 frames among MSM7 and 3 false preambles.
    const auto stations = reported("ublox-zed-f9t-rtcm3.log", 512);
    ASSERT_EQ(stations.size(), 1u);
    EXPECT_EQ(BaseStationText(stations[0]).rfind("#" + std::to_string(stations[0].StationId) + ": ", 0), 0u);
}

TEST(BaseStationDetection, NewWhenTheIdChangesOrThePositionMovesBeyondATenThousandthOfAMilliDegree)
{
    const TRTCMBaseStation last{7, 40.0, 29.0, 10.0};
    struct Case { TRTCMBaseStation found; bool isNew; };
    const Case cases[] = {
        {{7, 40.0, 29.0, 99.0}, false},      // height is not compared
        {{7, 40.000009, 29.0, 10.0}, false},
        {{7, 40.000011, 29.0, 10.0}, true},
        {{7, 40.0, 28.999989, 10.0}, true},
        {{8, 40.0, 29.0, 10.0}, true},
    };
    for (const Case& c : cases) EXPECT_EQ(IsNewBaseStation(c.found, last), c.isNew) << c.found.Latitude;
    EXPECT_EQ(BaseStationText({12, -33.5, -70.25, 612.345}), "#12: -33.50000000, -70.25000000, 612.35m");
}

}  // namespace
