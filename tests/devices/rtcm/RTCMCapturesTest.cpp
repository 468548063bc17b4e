// RTCM 3 decoding against real captures from casters and base receivers. The
// expected station positions and descriptors are those of the captures'
// documentation and of rtklib's convbin (RINEX header of each capture).

#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "devices/rtcm/EcefToWgs84.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace skerra::rtcm;

namespace {

const std::filesystem::path kCaptures = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3";

std::string readCapture(const std::string& name)
{
    std::ifstream in(kCaptures / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class RTCMCaptures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(std::filesystem::is_directory(kCaptures)) << "third-party captures not present: " << kCaptures;
    }
};

struct CaptureSummary {
    std::map<int, int> Counts;   // message number -> frames
    std::uint64_t Frames = 0;
    std::vector<TRTCMStationARP> Stations;
    std::vector<TRTCMStationDescriptors> Descriptors;
};

void collect(CaptureSummary& s, const TRTCM3Frame& f)
{
    ++s.Counts[f.MessageNumber];
    ++s.Frames;
    if (auto arp = DecodeStationARP(f.Payload))
        s.Stations.push_back(*arp);
    if (auto d = DecodeStationDescriptors(f.Payload))
        s.Descriptors.push_back(*d);
}

CaptureSummary summarise(const std::string& data)
{
    CaptureSummary s;
    ScanRTCM3Frames(data, [&](const TRTCM3Frame& f) { collect(s, f); });
    return s;
}

}  // namespace

TEST_F(RTCMCaptures, FrameCountsAndMessageTypes)
{
    struct Case {
        const char* file;
        std::uint64_t frames;
        std::set<int> types;   // every type present (checked when not empty)
    };
    const Case cases[] = {
        {"pygpsdata-NTRIP-USCL00CHL0.log", 35,
         {1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1012, 1013, 1019, 1020, 1029, 1033,
          1042, 1045, 1046, 1076, 1077, 1086, 1087, 1096, 1097, 1106, 1107, 1116, 1117, 1126, 1127, 1136, 1137,
          1230}},
        {"ublox-zed-f9t-rtcm3.log", 182, {1005, 1077, 1087, 1097, 1127, 1230, 4072}},
        {"pygpsdata-MIXED-RTCM3BADCRC.log", 0, {1077, 1087, 1097, 1127, 1230, 4072}},
        {"pygpsdata-NTRIP-4076.log", 11, {4076}},
        {"GMSD7_20121014.rtcm3", 1143, {1007, 1008, 1019, 1020, 1033, 1077, 1087, 1117, 1127}},
    };
    for (const auto& c : cases) {
        const auto s = summarise(readCapture(c.file));
        if (c.frames) {
            EXPECT_EQ(s.Frames, c.frames) << c.file;
        }
        std::set<int> seen;
        for (const auto& [number, count] : s.Counts)
            seen.insert(number);
        if (!c.types.empty()) {
            EXPECT_EQ(seen, c.types) << c.file;
        }
    }
}

TEST_F(RTCMCaptures, UbloxBaseFalsePreamblesAndTruncatedEnd)
{
    const std::string data = readCapture("ublox-zed-f9t-rtcm3.log");
    const auto counts = ScanRTCM3Frames(data, nullptr);
    EXPECT_EQ(counts.Frames, 182u);
    EXPECT_GE(counts.CrcRejected, 3u);
    EXPECT_EQ(summarise(data).Counts.at(1005), 26);
}

TEST_F(RTCMCaptures, CorruptedStationFrameIsNotDecoded)
{
    const auto s = summarise(readCapture("pygpsdata-MIXED-RTCM3BADCRC.log"));
    EXPECT_EQ(s.Counts.count(1005), 0u);
    EXPECT_TRUE(s.Stations.empty());
}

TEST_F(RTCMCaptures, BlockwiseScanMatchesWholeScan)
{
    for (const char* file : {"GMSD7_20121014.rtcm3", "ublox-zed-f9t-rtcm3.log", "rtcm3.bndm.log"}) {
        const std::string data = readCapture(file);
        const auto whole = summarise(data);
        for (std::size_t block : {1u, 3u, 97u, 1029u, 4095u}) {
            CaptureSummary split;
            TRTCM3FrameScanner scanner([&](const TRTCM3Frame& f) { collect(split, f); });
            for (std::size_t i = 0; i < data.size(); i += block)
                scanner.Push(std::string_view(data).substr(i, block));
            EXPECT_EQ(split.Counts, whole.Counts) << file << " in blocks of " << block;
        }
    }
}

TEST_F(RTCMCaptures, FlippedBitIsRejectedAndNeighboursSurvive)
{
    std::string data = readCapture("pygpsdata-NTRIP-USCL00CHL0.log");
    // Damage the payload of the first frame only.
    data[8] = static_cast<char>(data[8] ^ 0x10);
    const auto s = summarise(data);
    EXPECT_EQ(s.Frames, 34u);
}

TEST_F(RTCMCaptures, StationPositions)
{
    struct Case {
        const char* file;
        int number;
        int station;
        double x, y, z;
        double antennaHeight;  // negative: no height field
        bool physical;
    };
    const Case cases[] = {
        {"pygpsdata-NTRIP-USCL00CHL0.log", 1006, 0, 1762489.6191, -5027633.8438, -3496008.8438, 0.0343, true},
        {"ublox-zed-f9t-rtcm3.log", 1005, 0, -2386072.7310, -3922192.5049, 4414363.4131, -1, true},
        {"rtcm3.bndm.log", 1006, 278, -2384764.7077, -3921089.1738, 4415976.0690, 0.0, true},
        {"rtcm3-2.log", 1006, -1, 4581694.6288, 556114.3725, 4389358.4678, 0.0349, true},
    };
    for (const auto& c : cases) {
        const auto s = summarise(readCapture(c.file));
        ASSERT_FALSE(s.Stations.empty()) << c.file;
        const TRTCMStationARP* arp = nullptr;
        for (const auto& st : s.Stations)
            if (st.MessageNumber == c.number)
                arp = &st;
        ASSERT_NE(arp, nullptr) << c.file;
        if (c.station >= 0) {
            EXPECT_EQ(arp->StationId, c.station) << c.file;
        }
        EXPECT_NEAR(arp->X, c.x, 5e-5) << c.file;
        EXPECT_NEAR(arp->Y, c.y, 5e-5) << c.file;
        EXPECT_NEAR(arp->Z, c.z, 5e-5) << c.file;
        EXPECT_EQ(!arp->NonPhysical, c.physical) << c.file;
        if (c.antennaHeight >= 0) {
            ASSERT_TRUE(arp->AntennaHeight.has_value()) << c.file;
            EXPECT_NEAR(*arp->AntennaHeight, c.antennaHeight, 5e-5) << c.file;
        }
        EXPECT_TRUE(IsPlausibleStationEcef(arp->X, arp->Y, arp->Z));
    }
}

TEST_F(RTCMCaptures, StationGeodeticPosition)
{
    // Oregon network station 278 near Bend: about 44.06 N, 121.31 W, 1100 m.
    const auto s = summarise(readCapture("rtcm3.bndm.log"));
    ASSERT_FALSE(s.Stations.empty());
    const auto& arp = s.Stations.back();
    const auto g = EcefToWgs84(arp.X, arp.Y, arp.Z);
    EXPECT_NEAR(g.Latitude, 44.07, 0.05);
    EXPECT_NEAR(g.Longitude, -121.31, 0.05);
    EXPECT_GT(g.Height, 500);
    EXPECT_LT(g.Height, 2000);
}

TEST_F(RTCMCaptures, Descriptors)
{
    struct Case {
        const char* file;
        const char* antenna;
        const char* antennaSerial;
        const char* receiver;
        const char* firmware;
        const char* receiverSerial;
    };
    const Case cases[] = {
        {"pygpsdata-NTRIP-USCL00CHL0.log", "SEPCHOKE_B3E6   SPKE", "5856", "SEPT POLARX5", "5.5.0", "3075024"},
        {"rtcm3.bndm.log", "GPPNULLANTENNA", nullptr, "LEICA GRX1200+GNSS", "9.20", "496710"},
        {"rtcm3-2.log", "ASH701945E_M    NONE", "24222", "TRIMBLE NETR5", nullptr, nullptr},
        {"GMSD7_20121014.rtcm3", nullptr, nullptr, "TRIMBLE NETR9", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        const auto s = summarise(readCapture(c.file));
        // The last value each message sets, as a report would show it.
        std::optional<std::string> antenna, antennaSerial, receiver, firmware, receiverSerial;
        for (const auto& d : s.Descriptors) {
            if (d.AntennaDescriptor) antenna = d.AntennaDescriptor;
            if (d.AntennaSerial) antennaSerial = d.AntennaSerial;
            if (d.ReceiverType) receiver = d.ReceiverType;
            if (d.ReceiverFirmware) firmware = d.ReceiverFirmware;
            if (d.ReceiverSerial) receiverSerial = d.ReceiverSerial;
        }
        auto check = [&](const std::optional<std::string>& got, const char* want, const char* what) {
            if (want) {
                EXPECT_EQ(got.value_or("<none>"), want) << c.file << " " << what;
            }
        };
        check(antenna, c.antenna, "antenna");
        check(antennaSerial, c.antennaSerial, "antenna serial");
        check(receiver, c.receiver, "receiver");
        check(firmware, c.firmware, "firmware");
        check(receiverSerial, c.receiverSerial, "receiver serial");
        if (!c.antenna) {
            EXPECT_FALSE(antenna.has_value()) << c.file;
        }
    }
}
