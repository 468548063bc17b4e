// The component end to end on a pseudo-terminal: QSerialPort, the poll timer and the
// event loop as in the program.

#include "RTCMFrameBuilder.h"
#include "SerialTestSupport.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "platform/Clock.h"

#include "devices/rtcm/RTCM3FrameScanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace serialtest;
using Events = std::vector<std::string>;

namespace {

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";

class SerialPty : public testing::Test {
protected:
    void SetUp() override
    {
        gps.Port = pty.SlavePath;
        gps.PollInterval = 5;
        gps.BaudRate = 230400;
        gps.EnableDTR = true;  // a pseudo-terminal has no modem lines; still opens
        gps.EnableRTS = true;
        log.Attach(gps);
    }
    void open()
    {
        gps.Open();
        ASSERT_TRUE(gps.Connected()) << gps.LastError().toStdString();
    }

    PseudoTerminal pty;
    THalvekSerialGPS gps;
    EventLog log;
};

TEST_F(SerialPty, ASentenceSplitOverReadsIsOneLine)
{
    open();
    ASSERT_TRUE(pty.Write(kGga.substr(0, 30)));
    ASSERT_TRUE(waitUntil([&] { return gps.LineBuffer().size() == 30; }));
    ASSERT_TRUE(pty.Write(kGga.substr(30) + "\r"));
    ASSERT_TRUE(waitUntil([&] { return gps.LineBuffer().size() == kGga.size() + 1; }));
    ASSERT_TRUE(pty.Write("\n"));
    ASSERT_TRUE(waitUntil([&] { return log.count("position") == 1; }));
    EXPECT_EQ(log.events, Events({"connect " + pty.SlavePath.toStdString(), "line " + kGga,
                                  "position 48.117300 11.516667 545.40"}));
}

TEST_F(SerialPty, LinesAtFullSpeedAreAllDeliveredInOrder)
{
    open();
    std::string stream;
    std::vector<std::string> sent;
    for (int i = 0; i < 3000; ++i) {
        sent.push_back("$GPGGA," + std::to_string(i) + ",4807.038,N,01131.000,E,1,08,0.9," +
                       std::to_string(i % 50) + ",M,46.9,M,,");
        stream += sent.back() + "\r\n";
    }
    ASSERT_TRUE(pty.Write(stream));
    ASSERT_TRUE(waitUntil([&] { return log.lines().size() >= sent.size(); }));
    EXPECT_EQ(log.lines(), sent);
}

TEST_F(SerialPty, SentBytesArriveAtTheOtherEnd)
{
    open();
    gps.Send("$PUBX,40,GLL,0,0,0,0*5C\r\n");
    const QByteArray rtcm = QByteArray::fromStdString(skerra::rtcm::test::frameOf(std::string("\x3e\xd0\x00\x03\x8a\x0d\x0a", 7)));
    EXPECT_EQ(gps.WriteRaw(rtcm), rtcm.size());
    const std::string expected = "$PUBX,40,GLL,0,0,0,0*5C\r\n" + rtcm.toStdString();
    std::string received;
    ASSERT_TRUE(waitUntil([&] {
        received += pty.ReadAvailable();
        return received.size() >= expected.size();
    }));
    EXPECT_EQ(received, expected);
    EXPECT_EQ(log.count("send"), 1);
}

// The receiving end of a line: takes the bytes off the pseudo-terminal no faster than
// a line of `bytesPerSecond` delivers them (an idle line saves nothing up) and notes
// when each byte left the line: while the line is busy, one byte time after the one
// before it, however late this thread gets to run.
class LineReceiver {
public:
    LineReceiver(PseudoTerminal& pty, double bytesPerSecond)
        : thread_([this, &pty, bytesPerSecond] {
              qint64 since = skerra::tickCountMs();  // the line has been busy since then
              std::size_t taken = 0;
              while (!stop_) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(2));
                  const qint64 now = skerra::tickCountMs();
                  const auto allowed = static_cast<std::size_t>(double(now - since) * bytesPerSecond / 1000);
                  if (allowed <= taken) continue;
                  const std::string got = pty.Read(allowed - taken);
                  if (got.empty()) {
                      since = now;
                      taken = 0;
                      continue;
                  }
                  for (std::size_t i = 1; i <= got.size(); ++i)
                      times_.push_back(since + static_cast<qint64>(double(taken + i) * 1000 / bytesPerSecond));
                  taken += got.size();
                  bytes_ += got;
              }
          })
    {
    }
    ~LineReceiver() { Stop(); }

    void Stop()
    {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    // After Stop: every byte received, and when each left the line.
    const std::string& Bytes() const { return bytes_; }
    qint64 TimeOfByte(std::size_t index) const { return times_.at(index); }

private:
    std::string bytes_;
    std::vector<qint64> times_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST_F(SerialPty, CorrectionsReachASlowReceiverAtMostOneSecondAfterTheyArrived)
{
    gps.BaudRate = 9600;
    open();
    LineReceiver receiver(pty, 960);
    // 150-byte frames every 50 ms for three seconds, each carrying the time it arrived:
    // three times what the line carries.
    const qint64 start = skerra::tickCountMs();
    int sent = 0;
    while (skerra::tickCountMs() - start < 3000) {
        const qint64 now = skerra::tickCountMs();
        std::string payload(144, 'p');
        payload.replace(0, 12, std::to_string(100000000000 + now));
        gps.WriteRaw(QByteArray::fromStdString(skerra::rtcm::test::frameOf(payload)));
        ++sent;
        waitUntil([&] { return skerra::tickCountMs() - now >= 50; });
    }
    waitUntil([] { return false; }, 1500);
    receiver.Stop();

    const std::string& got = receiver.Bytes();
    qint64 oldest = 0;
    int frames = 0;
    const auto counts = skerra::rtcm::ScanRTCM3Frames(got, [&](const skerra::rtcm::TRTCM3Frame& f) {
        const qint64 arrived = std::stoll(std::string(f.Payload.substr(0, 12))) - 100000000000;
        const std::size_t last = static_cast<std::size_t>(f.Bytes.data() - got.data()) + f.Bytes.size() - 1;
        oldest = std::max(oldest, receiver.TimeOfByte(last) - arrived);
        ++frames;
    });
    EXPECT_LE(oldest, 1000);
    EXPECT_EQ(counts.Frames * 150, got.size());  // whole frames only
    EXPECT_GE(frames, 10);                       // the line was kept busy
    EXPECT_LT(frames, sent);
    EXPECT_GT(gps.DroppedBlocks(), 0u);
}

TEST_F(SerialPty, ClosingTheOtherEndDisconnects)
{
    open();
    ASSERT_TRUE(pty.Write("last line\n"));
    ASSERT_TRUE(waitUntil([&] { return log.lines().size() == 1; }));
    pty.CloseMaster();
    ASSERT_TRUE(waitUntil([&] { return !gps.Connected(); }));
    EXPECT_EQ(log.events.back(), "disconnect " + pty.SlavePath.toStdString());
    EXPECT_FALSE(gps.LastError().isEmpty());
    EXPECT_EQ(gps.WriteRaw("x"), 0);
}

TEST_F(SerialPty, APortNamedThroughALinkOpens)
{
    // As /dev/serial/by-id/... names, or the links socat makes for a test feed.
    QTemporaryDir dir;
    const QString linkPath = dir.filePath(QStringLiteral("gnss"));
    ASSERT_TRUE(QFile::link(pty.SlavePath, linkPath));
    gps.Port = linkPath;
    open();
    ASSERT_TRUE(pty.Write("$SDDBT,7.7,f,2.3,M,1.3,F*05\r\n"));
    ASSERT_TRUE(waitUntil([&] { return log.lines().size() == 1; }));
    EXPECT_EQ(log.events.front(), "connect " + linkPath.toStdString());
}

TEST(SerialPortOpen, AMissingDeviceLeavesTheComponentClosedAndSilent)
{
    THalvekSerialGPS gps;
    EventLog log;
    log.Attach(gps);
    gps.Port = QStringLiteral("/dev/skerra-no-such-port");
    gps.Open();
    EXPECT_FALSE(gps.Connected());
    EXPECT_FALSE(gps.LastError().isEmpty());
    EXPECT_TRUE(log.events.empty());
}

class SerialPtyRawLog : public SerialPty, public testing::WithParamInterface<bool> {
protected:
    void TearDown() override { skerra::setClockForTesting({}); }
};

TEST_P(SerialPtyRawLog, EveryLineIsAppendedToTheRawLog)
{
    const bool stamped = GetParam();
    skerra::setClockForTesting(
        [] { return QDateTime(QDate(2024, 3, 5), QTime(7, 8, 9, 12)); });
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("2024-03-05 ZQB_GNSS_V3.log"));
    {
        QFile before(path);
        ASSERT_TRUE(before.open(QIODevice::WriteOnly));
        before.write("earlier run\n");
    }
    gps.LogNMEA = true;
    gps.LogTimeStamp = stamped;
    gps.LogFileName = path.toStdString();
    open();
    ASSERT_TRUE(pty.Write(kGga + "\r\n\r\n  DBT 1.5 m\r\n"));
    ASSERT_TRUE(waitUntil([&] { return log.lines().size() == 2; }));
    gps.Close();

    QFile logged(path);
    ASSERT_TRUE(logged.open(QIODevice::ReadOnly));
    const std::string stamp = stamped ? "2024-03-05 07:08:09.012 " : "";
    EXPECT_EQ(logged.readAll().toStdString(),
              "earlier run\n" + stamp + kGga + "\n" + stamp + "DBT 1.5 m\n");
}

INSTANTIATE_TEST_SUITE_P(TimeStamps, SerialPtyRawLog, testing::Bool(),
                         [](const auto& info) { return info.param ? "Stamped" : "Plain"; });

}  // namespace
