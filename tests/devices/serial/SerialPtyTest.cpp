// The component end to end on a pseudo-terminal: QSerialPort, the poll timer and the
// event loop as in the program.

#include "SerialTestSupport.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "platform/Clock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
    const QByteArray rtcm("\xd3\x00\x13\x3e\xd0\x00\x03\x8a\x0d\x0a", 10);
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
