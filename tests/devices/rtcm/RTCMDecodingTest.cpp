// RTCM 3 decoding on hand-built frames: CRC-24Q, frame scanning, station
// messages, ECEF to WGS84, message names.

#include "devices/rtcm/Crc24q.h"
#include "devices/rtcm/EcefToWgs84.h"
#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/rtcm/RTCM3StationMessages.h"
#include "devices/rtcm/RTCMMessageName.h"

#include "RTCMFrameBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

using namespace skerra::rtcm;
using namespace skerra::rtcm::test;
using namespace std::string_literals;

namespace {

struct ArpFields {
    int number;
    int station;
    std::int64_t x, y, z;  // 0.1 mm units
    int indicator;
    int height;            // 0.1 mm units, 1006 only
};

std::string arpPayload(const ArpFields& f)
{
    BitWriter w;
    w.Put(f.number, 12);
    w.Put(f.station, 12);
    w.Put(3, 6);           // ITRF year
    w.Put(1, 1);           // GPS
    w.Put(0, 1);           // GLONASS
    w.Put(1, 1);           // Galileo
    w.Put(f.indicator, 1);
    w.PutSigned(f.x, 38);
    w.Put(0, 2);
    w.PutSigned(f.y, 38);
    w.Put(0, 2);
    w.PutSigned(f.z, 38);
    if (f.number == 1006)
        w.Put(f.height, 16);
    return w.Bytes;
}

std::vector<int> scanNumbers(const std::string& data, TRTCM3ScanCounts* counts = nullptr)
{
    std::vector<int> numbers;
    const auto c = ScanRTCM3Frames(data, [&](const TRTCM3Frame& f) { numbers.push_back(f.MessageNumber); });
    if (counts)
        *counts = c;
    return numbers;
}

}  // namespace

TEST(Crc24q, KnownVectors)
{
    const std::string check = "123456789";
    EXPECT_EQ(Crc24q(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()), 0xCDE703u);
    EXPECT_EQ(Crc24q(nullptr, 0), 0u);
    // A frame followed by its own CRC checks to zero.
    const std::string frame = frameOf(arpPayload({1005, 1, 1, 2, 3, 0, 0}));
    EXPECT_EQ(Crc24q(reinterpret_cast<const std::uint8_t*>(frame.data()), frame.size()), 0u);
}

TEST(RTCM3FrameScanner, FindsFramesBetweenGarbageAndRejectsDamage)
{
    const std::string a = frameOf(arpPayload({1005, 7, 40000000000, 30000000000, 40000000000, 0, 0}));
    const std::string b = frameOf(arpPayload({1006, 8, 40000000000, 30000000000, 40000000000, 1, 1234}));
    std::string damaged = a;
    damaged[10] = static_cast<char>(damaged[10] ^ 0x01);
    // Text with a stray preamble, a damaged frame, then two good frames and a frame cut off.
    const std::string stream = "$GPGGA,\xD3\x00\x05xx*00\r\n"s + damaged + a + "\xD3" + b + a.substr(0, 8);

    TRTCM3ScanCounts counts;
    EXPECT_EQ(scanNumbers(stream, &counts), (std::vector<int>{1005, 1006}));
    EXPECT_EQ(counts.Frames, 2u);
    EXPECT_GE(counts.CrcRejected, 1u);

    // The same stream in blocks of every size from 1 to 40. The stray preamble before
    // the 1006 announces a long frame, so the stream scanner holds the 1006 back until
    // that many bytes have come; the cut-off frame completes when its rest arrives.
    const std::string rest = a.substr(8) + std::string(kRTCM3MaxFrameSize, '\0');
    // With a handler for the other bytes, every byte comes out once and in order, the
    // frames whole.
    for (std::size_t block = 1; block <= 40; ++block) {
        std::vector<int> numbers;
        std::string replayed;
        std::vector<std::string> frames;
        TRTCM3FrameScanner scanner(
            [&](const TRTCM3Frame& f) {
                numbers.push_back(f.MessageNumber);
                frames.emplace_back(f.Bytes);
                replayed += f.Bytes;
            },
            [&](std::string_view other) { replayed += other; });
        for (std::size_t i = 0; i < stream.size(); i += block)
            scanner.Push(std::string_view(stream).substr(i, block));
        EXPECT_LE(scanner.PendingBytes(), kRTCM3MaxFrameSize);
        for (std::size_t i = 0; i < rest.size(); i += block)
            scanner.Push(std::string_view(rest).substr(i, block));
        ASSERT_EQ(numbers, (std::vector<int>{1005, 1006, 1005})) << "block size " << block;
        EXPECT_EQ(frames, (std::vector<std::string>{a, b, a})) << "block size " << block;
        const std::string all = stream + rest;  // all but what is still held
        EXPECT_EQ(replayed, all.substr(0, all.size() - scanner.PendingBytes())) << "block size " << block;
        EXPECT_EQ(scanner.Counts().Frames, 3u);
    }
}

TEST(RTCM3FrameScanner, PendingBytesStayBounded)
{
    // A preamble announcing the longest payload, then noise without another preamble:
    // the scanner never keeps more than one frame's worth.
    TRTCM3FrameScanner scanner(nullptr);
    scanner.Push(std::string("\xD3\x03\xFF", 3));
    scanner.Push(std::string(5000, 'x'));
    EXPECT_LE(scanner.PendingBytes(), kRTCM3MaxFrameSize);
    EXPECT_EQ(scanner.Counts().Frames, 0u);
}

TEST(StationARP, DecodesFieldsOfBothMessages)
{
    const ArpFields cases[] = {
        {1005, 4095, 40000000000, 30000000000, 40000000000, 0, 0},
        {1005, 1, -23860727310, -39221925049, 44143634131, 1, 0},
        {1006, 278, -23847647077, -39210891738, 44159760690, 0, 349},
        {1006, 0, (std::int64_t{1} << 37) - 1, -(std::int64_t{1} << 37), 0, 0, 65535},
    };
    for (const auto& c : cases) {
        const auto arp = DecodeStationARP(arpPayload(c));
        ASSERT_TRUE(arp.has_value()) << c.number;
        EXPECT_EQ(arp->MessageNumber, c.number);
        EXPECT_EQ(arp->StationId, c.station);
        EXPECT_EQ(arp->ItrfYear, 3);
        EXPECT_TRUE(arp->GPS);
        EXPECT_FALSE(arp->GLONASS);
        EXPECT_TRUE(arp->Galileo);
        EXPECT_EQ(arp->NonPhysical, c.indicator == 1);
        EXPECT_NEAR(arp->X, c.x * 1e-4, 1e-6);
        EXPECT_NEAR(arp->Y, c.y * 1e-4, 1e-6);
        EXPECT_NEAR(arp->Z, c.z * 1e-4, 1e-6);
        if (c.number == 1006) {
            ASSERT_TRUE(arp->AntennaHeight.has_value());
            EXPECT_NEAR(*arp->AntennaHeight, c.height * 1e-4, 1e-9);
        } else {
            EXPECT_FALSE(arp->AntennaHeight.has_value());
        }
    }
}

TEST(StationARP, RefusesOtherMessagesAndShortPayloads)
{
    std::string payload = arpPayload({1005, 1, 1, 1, 1, 0, 0});
    EXPECT_FALSE(DecodeStationARP(payload.substr(0, 18)).has_value());
    EXPECT_TRUE(DecodeStationARP(payload.substr(0, 19)).has_value());
    payload = arpPayload({1006, 1, 1, 1, 1, 0, 77});
    const auto noHeight = DecodeStationARP(payload.substr(0, 20));
    ASSERT_TRUE(noHeight.has_value());
    EXPECT_FALSE(noHeight->AntennaHeight.has_value());
    BitWriter other;
    other.Put(1077, 12);
    for (int i = 0; i < 25; ++i)
        other.Put(0, 8);
    EXPECT_FALSE(DecodeStationARP(other.Bytes).has_value());
    EXPECT_FALSE(DecodeStationARP("").has_value());
}

TEST(StationDescriptors, CountedStrings)
{
    struct Case {
        int number;
        std::vector<std::string> strings;  // in message order
        bool cutLastByte;
    };
    const Case cases[] = {
        {1007, {"ANT"}, false},
        {1008, {"TRM55971.00     NONE", "12345"}, false},
        {1008, {"", "SERIAL"}, false},
        {1033, {"", "", "TRIMBLE NETR9", "4.85", "5035K69749"}, false},
        {1033, {"LEIAR25.R4      LEIT", "725", "LEICA GR50", "4.30", "1870"}, true},
    };
    for (const auto& c : cases) {
        BitWriter w;
        w.Put(c.number, 12);
        w.Put(2101, 12);
        w.PutString(c.strings[0]);
        w.Put(9, 8);  // setup id
        for (std::size_t i = 1; i < c.strings.size(); ++i)
            w.PutString(c.strings[i]);
        std::string payload = w.Bytes;
        if (c.cutLastByte)
            payload.pop_back();
        const auto d = DecodeStationDescriptors(payload);
        ASSERT_TRUE(d.has_value());
        EXPECT_EQ(d->MessageNumber, c.number);
        EXPECT_EQ(d->StationId, 2101);
        EXPECT_EQ(d->SetupId, 9);
        auto expectString = [](const std::optional<std::string>& got, const std::string& want) {
            if (want.empty())
                EXPECT_FALSE(got.has_value());
            else
                EXPECT_EQ(got.value_or("<none>"), want);
        };
        expectString(d->AntennaDescriptor, c.strings[0]);
        if (c.number != 1007)
            expectString(d->AntennaSerial, c.strings[1]);
        if (c.number == 1033) {
            expectString(d->ReceiverType, c.strings[2]);
            expectString(d->ReceiverFirmware, c.strings[3]);
            // A string cut off by the payload's end is not taken.
            expectString(d->ReceiverSerial, c.cutLastByte ? "" : c.strings[4]);
        }
    }
}

TEST(StationDescriptors, OversizedCountStopsDecoding)
{
    BitWriter w;
    w.Put(1008, 12);
    w.Put(5, 12);
    w.Put(40, 8);  // beyond the 31-character limit
    for (int i = 0; i < 45; ++i)
        w.Put('A', 8);
    const auto d = DecodeStationDescriptors(w.Bytes);
    ASSERT_TRUE(d.has_value());
    EXPECT_FALSE(d->AntennaDescriptor.has_value());
    EXPECT_FALSE(d->SetupId.has_value());
    EXPECT_FALSE(d->AntennaSerial.has_value());
}

TEST(EcefToWgs84, RoundTripsGeodeticPositions)
{
    struct Case {
        double lat, lon, h;
    };
    const Case cases[] = {
        {0, 0, 0},           {41.0082, 28.9784, 35.2}, {-33.4489, -70.6693, 570},
        {44.06, -121.31, 1112.75}, {89.9999, 10, -30}, {-90, 0, 2835},
        {90, 0, 0},          {12.5, 179.9999, 8000},   {-0.0001, -179.9999, -100},
    };
    for (const auto& c : cases) {
        double x, y, z;
        GeodeticToEcef(c.lat, c.lon, c.h, x, y, z);
        const auto g = EcefToWgs84(x, y, z);
        EXPECT_NEAR(g.Latitude, c.lat, 1e-9) << c.lat << " " << c.lon;
        if (std::abs(c.lat) < 90) {
            EXPECT_NEAR(g.Longitude, c.lon, 1e-9) << c.lat << " " << c.lon;
        }
        EXPECT_NEAR(g.Height, c.h, 1e-4) << c.lat << " " << c.lon;
    }
}

TEST(EcefToWgs84, PlausibleStationDistance)
{
    EXPECT_TRUE(IsPlausibleStationEcef(4000000, 3000000, 4000000));
    EXPECT_FALSE(IsPlausibleStationEcef(0, 0, 0));
    EXPECT_FALSE(IsPlausibleStationEcef(5000000, 0, 0));
    EXPECT_FALSE(IsPlausibleStationEcef(6000000, 0, 0));
    EXPECT_TRUE(IsPlausibleStationEcef(6000000.001, 0, 0));
    EXPECT_FALSE(IsPlausibleStationEcef(0, 0, 7000000));
}

TEST(RTCMMessageName, Table)
{
    const std::pair<int, const char*> cases[] = {
        {1001, "GPS L1 Observations"},
        {1005, "Station ARP (Antenna Reference Point)"},
        {1008, "Antenna Descriptor & Serial"},
        {1033, "Receiver & Antenna Descriptors"},
        {1230, "GLONASS Code-Phase Biases"},
        {4073, "u-blox Proprietary"},
        {1071, "GPS MSM1"},
        {1074, "GPS MSM4"},
        {1077, "GPS MSM7 (Full GPS)"},
        {1087, "GLONASS MSM7 (Full GLONASS)"},
        {1097, "Galileo MSM7 (Full Galileo)"},
        {1107, "SBAS MSM7"},
        {1117, "QZSS MSM7"},
        {1127, "BeiDou MSM7 (Full BeiDou)"},
        {1137, "NavIC MSM7"},
        {1070, "Unknown"},
        {1078, "Unknown"},
        {4076, "Unknown"},
        {0, "Unknown"},
        {1014, "Unknown"},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(RTCMMessageName(number), name) << number;
}
