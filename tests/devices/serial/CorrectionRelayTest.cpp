// Pacing corrections onto a serial line: a simulated line drains the port's queue at
// its speed while frames arrive faster than it can carry them.

#include "RTCMFrameBuilder.h"

#include "devices/rtcm/RTCM3FrameScanner.h"
#include "devices/serial/CorrectionRelay.h"
#include "devices/serial/THalvekSerialGPS.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>

using skerra::CorrectionRelay;
using skerra::rtcm::test::frameOf;

namespace {

constexpr double kBitsPerByte = 10;  // 8N1

// A frame of `size` bytes that carries its number.
std::string numberedFrame(int number, std::size_t size)
{
    std::string payload(size - 6, 'p');
    payload.replace(0, 8, std::to_string(10000000 + number));
    return frameOf(payload);
}

int numberOf(std::string_view frame) { return std::stoi(std::string(frame.substr(3, 8))) - 10000000; }

// The port's queue and the line behind it: bytes leave at `bytesPerMs`, and the time
// each frame's last byte left is noted.
struct SimulatedLine {
    double bytesPerMs;
    std::deque<std::string> frames;  // handed over, not yet sent; the front partly sent
    double sentOfFront = 0;
    std::map<int, double> leftAt;   // frame number -> time its last byte left
    std::string everything;         // all bytes handed over

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
                return;
            }
            budget -= left;
            t += left / bytesPerMs;
            leftAt[numberOf(frames.front())] = t;
            frames.pop_front();
            sentOfFront = 0;
        }
    }
};

struct Outcome {
    std::map<int, double> arrivedAt;
    SimulatedLine line;
};

constexpr int kForeign = 900000;  // numbers of frames the relay never saw

// Frames of `frameSize` bytes every `everyMs` for five seconds into a relay on a line
// of `baud`, whose port already holds `foreignFrames` frames the relay never saw;
// the port reports its queue or not.
Outcome run(int baud, int foreignFrames, bool portReportsQueue, std::size_t frameSize, int everyMs)
{
    CorrectionRelay relay;
    relay.SetLine(baud, kBitsPerByte);
    Outcome out{{}, {baud / kBitsPerByte / 1000, {}, 0, {}, {}}};
    for (int i = 0; i < foreignFrames; ++i) {
        out.line.frames.push_back(numberedFrame(kForeign + i, frameSize));
        out.line.everything += out.line.frames.back();
    }
    int number = 0;
    for (qint64 now = 0; now <= 6000; now += 5) {
        out.line.Run(static_cast<double>(now) - 5, static_cast<double>(now));
        if (now <= 5000 && now % everyMs == 0) {
            out.arrivedAt[number] = static_cast<double>(now);
            relay.Push(numberedFrame(number++, frameSize), now);
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
    return out;
}

TEST(CorrectionRelay, NoFrameLeavesTheLineMoreThanASecondAfterItArrived)
{
    struct Case {
        int foreignFrames;
        bool portReportsQueue;
    };
    // A port that does not report its queue (a pseudo-terminal), one that does, and
    // one that reports bytes written past the relay.
    const Case cases[] = {{0, false}, {0, true}, {4, true}};
    const int rates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 57600, 115200, 230400};
    for (const Case& c : cases) {
        for (int baud : rates) {
            SCOPED_TRACE("baud " + std::to_string(baud) + ", " + std::to_string(c.foreignFrames) + " frames ahead" +
                         (c.portReportsQueue ? ", queue reported" : ", queue not reported"));
            ASSERT_EQ(THalvekSerialGPS::ValidBaudRate(baud), baud);
            // 150-byte frames every 50 ms: 3000 bytes a second, more than a 9600 line carries.
            const Outcome out = run(baud, c.foreignFrames, c.portReportsQueue, 150, 50);
            std::size_t relayed = 0;
            for (const auto& [number, left] : out.line.leftAt) {
                if (number >= kForeign) continue;
                ++relayed;
                EXPECT_LE(left - out.arrivedAt.at(number), CorrectionRelay::MaxAgeMs) << "frame " << number;
            }
            // Only whole frames reach the line.
            const auto counts = skerra::rtcm::ScanRTCM3Frames(out.line.everything, nullptr);
            EXPECT_EQ(counts.Frames * 150, out.line.everything.size());
            // A line that carries a frame well within the second carries some; one that
            // carries the whole stream carries every frame.
            const double carried = baud / kBitsPerByte;
            if (150 / carried < 0.5) EXPECT_GT(relayed, 0u);
            if (carried > 3000 * 1.2 && c.foreignFrames == 0) EXPECT_EQ(relayed, out.arrivedAt.size());
        }
    }
}

TEST(CorrectionRelay, AFrameWaitsForItsLastBytesAndOtherBytesPassOnTheirOwn)
{
    CorrectionRelay relay;
    relay.SetLine(115200, kBitsPerByte);
    const std::string frame = numberedFrame(1, 60);
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
    relay.Push(numberedFrame(1, 300), 0);   // would leave at 937 ms: too late
    relay.Push(numberedFrame(2, 100), 200);
    EXPECT_EQ(relay.Next(200, 0), nullptr);  // more than the headroom is on the line
    EXPECT_EQ(relay.DroppedUnits(), 1u);
    EXPECT_EQ(relay.MsUntilRoom(200, 0), 625 - 200 - CorrectionRelay::HeadroomMs);
    const QByteArray* unit = relay.Next(400, 0);
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(numberOf(unit->toStdString()), 2);
}

}  // namespace
