// Pacing corrections onto a serial line: a simulated line drains the port's queue at
// its speed while 1 Hz epochs of real base-station streams (the message types and
// frame sizes of RTCM 3 captures) arrive, often more than the line carries.

#include "RTCMFrameBuilder.h"

#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/serial/CorrectionRelay.h"
#include "devices/serial/THalvekSerialGPS.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

using skerra::CorrectionRelay;
using skerra::rtcm::test::frameOf;

namespace {

constexpr double kBitsPerByte = 10;  // 8N1

// ---- epochs of real streams ------------------------------------------------------

struct FrameShape {
    int type;
    std::size_t size;
};
using EpochShape = std::vector<FrameShape>;

// The epochs of a capture in `tests/data/rtcm3`: its frames' message types and sizes,
// cut after each frame of `closingType`, leaving out the types in `leftOut`.
std::vector<EpochShape> epochsOf(const std::string& file, int closingType, const std::set<int>& leftOut = {})
{
    const auto path = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3" / file;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "third-party capture not present: " << path;
    const std::string capture(std::istreambuf_iterator<char>(in), {});
    std::vector<EpochShape> epochs(1);
    skerra::rtcm::ScanRTCM3Frames(capture, [&](const skerra::rtcm::TRTCM3Frame& f) {
        if (!leftOut.contains(f.MessageNumber)) epochs.back().push_back({f.MessageNumber, f.Bytes.size()});
        if (f.MessageNumber == closingType) epochs.emplace_back();
    });
    if (epochs.back().empty()) epochs.pop_back();
    return epochs;
}

std::vector<EpochShape> ledByStationMessage(std::vector<EpochShape> epochs)
{
    for (EpochShape& epoch : epochs) epoch.insert(epoch.begin(), {1005, 25});
    return epochs;
}

std::size_t bytesOf(const EpochShape& epoch)
{
    std::size_t n = 0;
    for (const FrameShape& f : epoch) n += f.size;
    return n;
}

// A frame of the shape's type and size whose payload carries `serial` after the type.
std::string numberedFrame(const FrameShape& shape, int serial)
{
    std::string payload(shape.size - 6, '\x55');
    payload[0] = static_cast<char>(shape.type >> 4);
    payload[1] = static_cast<char>((shape.type & 0xF) << 4);
    payload[2] = static_cast<char>(serial >> 16);
    payload[3] = static_cast<char>(serial >> 8);
    payload[4] = static_cast<char>(serial);
    return frameOf(payload);
}

int serialOf(std::string_view frame)
{
    const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(frame[3 + i])); };
    return byte(2) << 16 | byte(3) << 8 | byte(4);
}

// ---- the line --------------------------------------------------------------------

// The port's queue and the line behind it: bytes leave at `bytesPerMs`; the time each
// frame's last byte left and how long the line was busy are noted.
struct SimulatedLine {
    double bytesPerMs;
    std::deque<std::string> frames;  // handed over, not yet sent; the front partly sent
    double sentOfFront = 0;
    std::map<int, double> leftAt;   // frame serial -> time its last byte left
    std::string everything;         // all bytes handed over
    double busyMs = 0;

    qint64 Unsent() const
    {
        double n = -sentOfFront;
        for (const auto& f : frames) n += static_cast<double>(f.size());
        return static_cast<qint64>(n + 0.5);
    }
    void Run(double fromMs, double toMs)
    {
        double budget = (toMs - fromMs) * bytesPerMs;
        double t = fromMs;
        while (!frames.empty() && budget > 0) {
            const double left = static_cast<double>(frames.front().size()) - sentOfFront;
            if (left > budget) {
                sentOfFront += budget;
                busyMs += budget / bytesPerMs;
                return;
            }
            budget -= left;
            t += left / bytesPerMs;
            busyMs += left / bytesPerMs;
            leftAt[serialOf(frames.front())] = t;
            frames.pop_front();
            sentOfFront = 0;
        }
    }
};

struct SentFrame {
    int epoch;
    int type;
    std::size_t size;
    double arrivedMs;
};

struct Outcome {
    std::vector<SentFrame> offered;  // by serial
    SimulatedLine line;
    skerra::CorrectionRelayCounts counts;
};

constexpr int kForeign = 0xF00000;  // serials of frames the relay never saw

// `seconds` epochs, one a second, cycling through `epochs`, into a relay on a line of
// `baud` whose port already holds `foreignBytes` the relay never saw; the port reports
// its queue or not. Each epoch comes in blocks of a TCP segment's size.
Outcome run(const std::vector<EpochShape>& epochs, int seconds, int baud, bool portReportsQueue, int foreignBytes)
{
    CorrectionRelay relay;
    relay.SetLine(baud, kBitsPerByte);
    Outcome out{{}, {baud / kBitsPerByte / 1000, {}, 0, {}, {}, 0}, {}};
    if (foreignBytes > 0) {
        out.line.frames.push_back(numberedFrame({4095, static_cast<std::size_t>(foreignBytes)}, kForeign));
        out.line.everything += out.line.frames.back();
    }
    constexpr qint64 stepMs = 5;
    for (qint64 now = 0; now <= seconds * 1000 + 1000; now += stepMs) {
        out.line.Run(static_cast<double>(now - stepMs), static_cast<double>(now));
        if (now % 1000 == 0 && now / 1000 < seconds) {
            const int epoch = static_cast<int>(now / 1000);
            std::string stream;
            for (const FrameShape& shape : epochs[static_cast<std::size_t>(epoch) % epochs.size()]) {
                stream += numberedFrame(shape, static_cast<int>(out.offered.size()));
                out.offered.push_back({epoch, shape.type, shape.size, static_cast<double>(now)});
            }
            for (std::size_t at = 0; at < stream.size(); at += 1460) relay.Push(std::string_view(stream).substr(at, 1460), now);
        }
        for (;;) {
            const qint64 below = portReportsQueue ? out.line.Unsent() : 0;
            const QByteArray* unit = relay.Next(now, below);
            if (!unit) break;
            out.line.frames.push_back(unit->toStdString());
            out.line.everything += unit->toStdString();
            relay.TakeNext(now, below);
        }
    }
    out.counts = relay.Counts();
    return out;
}

// ---- what reached the receiver ---------------------------------------------------

struct Figures {
    double maxAgeMs = 0;
    double dropShare = 0;        // of the frames offered
    double lineUse = 0;          // busy share of the line while epochs arrived
    double worstTypeShare = 1;   // the least share of its epochs in which a type got through
    int worstType = 0;
    double longestTypeGapS = 0;  // the longest a regular type went without getting through
    double longestStationGapS = 0;
};

// `baud`: frames too long to leave the line within the age limit on their own are no
// type's fault and left out of the type figures.
Figures figuresOf(const Outcome& out, int seconds, int baud)
{
    const double longestFrame =
        (CorrectionRelay::MaxAgeMs - CorrectionRelay::LineSlackMs) / 1000.0 * baud / kBitsPerByte;
    Figures fig;
    std::map<int, std::set<int>> offeredIn, deliveredIn;  // type -> epochs
    std::size_t delivered = 0;
    for (const auto& [serial, left] : out.line.leftAt) {
        if (serial == kForeign) continue;
        const SentFrame& f = out.offered.at(static_cast<std::size_t>(serial));
        fig.maxAgeMs = std::max(fig.maxAgeMs, left - f.arrivedMs);
        deliveredIn[f.type].insert(f.epoch);
        ++delivered;
    }
    for (const SentFrame& f : out.offered)
        if (static_cast<double>(f.size) <= longestFrame) offeredIn[f.type].insert(f.epoch);
    fig.dropShare = 1.0 - static_cast<double>(delivered) / static_cast<double>(out.offered.size());
    fig.lineUse = out.line.busyMs / (seconds * 1000.0);
    for (const auto& [type, epochs] : offeredIn) {
        // The gaps count from the first epoch and to the end of the run.
        std::vector<int> got(deliveredIn[type].begin(), deliveredIn[type].end());
        got.insert(got.begin(), -1);
        got.push_back(seconds);
        int gap = 0;
        for (std::size_t i = 1; i < got.size(); ++i) gap = std::max(gap, got[i] - got[i - 1]);
        if (type == 1005 || type == 1006) fig.longestStationGapS = std::max(fig.longestStationGapS, double(gap));
        if (epochs.size() * 2 < static_cast<std::size_t>(seconds)) continue;  // not in most epochs
        fig.longestTypeGapS = std::max(fig.longestTypeGapS, double(gap));
        const double share = static_cast<double>(deliveredIn[type].size()) / static_cast<double>(epochs.size());
        if (share < fig.worstTypeShare) {
            fig.worstTypeShare = share;
            fig.worstType = type;
        }
    }
    return fig;
}

struct StreamCase {
    const char* name;
    std::vector<EpochShape> epochs;
};

std::vector<StreamCase> realStreams()
{
    return {
        // 4072, MSM7 of four systems, 1230 and 1005: 951 bytes an epoch.
        {"u-blox ZED-F9T base", epochsOf("ublox-zed-f9t-rtcm3.log", 1127)},
        // MSM7 of four systems, now and then ephemerides and descriptors: 1005 bytes an epoch and more.
        {"Trimble NetR9 MSM7", epochsOf("GMSD7_20121014.rtcm3", 1127)},
        // The same, led by the station message of the u-blox base: 1,030 bytes and more.
        {"NetR9 MSM7 led by a station message", ledByStationMessage(epochsOf("GMSD7_20121014.rtcm3", 1127))},
        // Legacy 1004/1012 with the station message every five epochs: about 320 bytes.
        {"Oregon network, legacy messages", epochsOf("rtcm3.bndm.log", 1012)},
        // Every message of a multi-system station but the MSM6 duplicates: 3,242 bytes.
        {"USCL00CHL0 multi-system station",
         epochsOf("pygpsdata-NTRIP-USCL00CHL0.log", 1002, {1076, 1086, 1096, 1106, 1116, 1126, 1136})},
    };
}

TEST(CorrectionRelay, RealEpochStreamsReachTheReceiverFreshWithEveryMessageTypeOnAFullLine)
{
    constexpr int seconds = 60;
    const int rates[] = {4800, 9600, 19200, 38400};
    for (const StreamCase& stream : realStreams()) {
        ASSERT_FALSE(stream.epochs.empty()) << stream.name;
        std::size_t offeredBytes = 0, largestEpoch = 0;
        for (int i = 0; i < seconds; ++i) {
            const std::size_t bytes = bytesOf(stream.epochs[static_cast<std::size_t>(i) % stream.epochs.size()]);
            offeredBytes += bytes;
            largestEpoch = std::max(largestEpoch, bytes);
        }
        for (int baud : rates) {
            ASSERT_EQ(THalvekSerialGPS::ValidBaudRate(baud), baud);
            const double bytesPerSecond = baud / kBitsPerByte;
            const double offeredShare = static_cast<double>(offeredBytes) / seconds / bytesPerSecond;
            const double largestEpochMs = static_cast<double>(largestEpoch) / bytesPerSecond * 1000;
            SCOPED_TRACE(std::string(stream.name) + " at " + std::to_string(baud) + " baud");
            const Outcome out = run(stream.epochs, seconds, baud, false, 0);
            const Figures fig = figuresOf(out, seconds, baud);
            std::printf("%-38s %5d baud: offered %4.0f%% of the line, max age %4.0f ms, dropped %4.1f%%, "
                        "line use %4.1f%%, worst type %d in %5.1f%% of its epochs, longest gap %2.0f s, "
                        "station gap %2.0f s\n",
                        stream.name, baud, offeredShare * 100, fig.maxAgeMs, fig.dropShare * 100, fig.lineUse * 100,
                        fig.worstType, fig.worstTypeShare * 100, fig.longestTypeGapS, fig.longestStationGapS);

            EXPECT_LE(fig.maxAgeMs, CorrectionRelay::MaxAgeMs);
            // Only whole frames reach the line.
            EXPECT_EQ(skerra::rtcm::ScanRTCM3Frames(out.line.everything, nullptr).Frames, out.line.leftAt.size());
            EXPECT_EQ(out.counts.Units, out.offered.size());
            EXPECT_EQ(out.counts.DroppedUnits, out.offered.size() - out.line.leftAt.size());
            if (largestEpochMs <= CorrectionRelay::MaxAgeMs - CorrectionRelay::LineSlackMs) {
                // Every epoch fits into its second: nothing is dropped.
                EXPECT_EQ(out.counts.DroppedUnits, 0u);
                continue;
            }
            if (offeredShare > 1) {
                EXPECT_GE(fig.lineUse, 0.70);
            }
            // No message type starves: none waits much longer than its turn on a line that
            // carries a part of the stream, and where the line carries most of an epoch
            // every regular type gets through in most epochs.
            EXPECT_LE(fig.longestTypeGapS, std::max(4.0, std::ceil(offeredShare) + 1));
            if (offeredShare < 1.25) {
                EXPECT_GT(fig.worstTypeShare, 0.5) << "type " << fig.worstType;
            }
            if (fig.longestStationGapS > 0) {
                EXPECT_LE(fig.longestStationGapS, 5);
            }
        }
    }
}

TEST(CorrectionRelay, AgesHoldWhateverThePortReportsOfItsQueue)
{
    // A port that does not report its queue (a pseudo-terminal), one that does, and one
    // that reports bytes written past the relay.
    struct Case {
        bool portReportsQueue;
        int foreignBytes;
    };
    const Case cases[] = {{false, 0}, {true, 0}, {true, 600}};
    const auto epochs = epochsOf("ublox-zed-f9t-rtcm3.log", 1127);
    for (const Case& c : cases) {
        for (int baud : {1200, 4800, 9600, 19200, 38400, 115200}) {
            SCOPED_TRACE("baud " + std::to_string(baud) + ", " + std::to_string(c.foreignBytes) + " bytes ahead" +
                         (c.portReportsQueue ? ", queue reported" : ", queue not reported"));
            const Outcome out = run(epochs, 10, baud, c.portReportsQueue, c.foreignBytes);
            const Figures fig = figuresOf(out, 10, baud);
            EXPECT_LE(fig.maxAgeMs, CorrectionRelay::MaxAgeMs);
            if (baud >= 4800) {
                EXPECT_GT(out.line.leftAt.size(), 10u);
            }
            if (baud >= 19200 && c.foreignBytes == 0) {
                EXPECT_EQ(out.counts.DroppedUnits, 0u);
            }
        }
    }
}

TEST(CorrectionRelay, AFrameWaitsForItsLastBytesAndOtherBytesPassOnTheirOwn)
{
    CorrectionRelay relay;
    relay.SetLine(115200, kBitsPerByte);
    const std::string frame = numberedFrame({1077, 60}, 1);
    relay.Push(frame.substr(0, 20), 0);
    EXPECT_EQ(relay.Next(0, 0), nullptr);
    relay.Push(frame.substr(20) + "$GPTXT,not a frame\r\n", 10);
    const QByteArray* unit = relay.Next(10, 0);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->toStdString(), frame);
    relay.TakeNext(10, 0);
    unit = relay.Next(10, 0);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->toStdString(), "$GPTXT,not a frame\r\n");
    relay.TakeNext(10, 0);
    EXPECT_TRUE(relay.Empty());
    EXPECT_EQ(relay.DroppedUnits(), 0u);
}

TEST(CorrectionRelay, ACommandOnTheLineDelaysTheCorrectionsBehindIt)
{
    CorrectionRelay relay;
    relay.SetLine(9600, kBitsPerByte);  // 960 bytes a second
    relay.Written(600, 0, 0);           // a long command: 625 ms of line
    relay.Push(numberedFrame({1077, 300}, 1), 0);   // would leave at 937 ms: too late
    relay.Push(numberedFrame({1077, 100}, 2), 200);
    EXPECT_EQ(relay.Next(200, 0), nullptr);  // more than the headroom is on the line
    EXPECT_EQ(relay.DroppedUnits(), 1u);
    EXPECT_EQ(relay.Counts().DroppedBytes, 300u);
    EXPECT_EQ(relay.MsUntilRoom(200, 0), 625 - 200 - CorrectionRelay::HeadroomMs);
    const QByteArray* unit = relay.Next(400, 0);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(serialOf(unit->toStdString()), 2);
}

}  // namespace
