// The component's behaviour over a fake link: opening, events, writing, watchdog.

#include "RTCMFrameBuilder.h"
#include "SerialTestSupport.h"

#include "devices/serial/THalvekSerialGPS.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace serialtest;
using skerra::SerialLinkSettings;
using Events = std::vector<std::string>;

namespace {

const std::string kGga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
const std::string kRmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,10.0,084.4,230394,003.1,W";

class SerialDevice : public testing::Test {
protected:
    void SetUp() override
    {
        gps.MakeLink = [this] { return std::make_unique<FakeLink>(link); };
        gps.Port = QStringLiteral("ttyUSB0");
        log.Attach(gps);
    }
    void receive(const std::string& bytes)
    {
        link->incoming += bytes;
        gps.PollTimerTick();
    }

    std::shared_ptr<FakeLinkState> link = std::make_shared<FakeLinkState>();
    THalvekSerialGPS gps;
    EventLog log;
};

TEST_F(SerialDevice, OpenConnectsOnceAndCloseDisconnectsOnce)
{
    gps.Open();
    gps.Open();
    EXPECT_TRUE(gps.Connected());
    EXPECT_EQ(link->path, "/dev/ttyUSB0");
    EXPECT_TRUE(gps.PollTimer->isActive());
    EXPECT_TRUE(gps.IdleTimer->isActive());
    gps.Close();
    gps.Close();
    EXPECT_FALSE(gps.Connected());
    EXPECT_FALSE(gps.PollTimer->isActive());
    EXPECT_EQ(link->closes, 1);
    EXPECT_EQ(log.events, Events({"connect ttyUSB0", "disconnect ttyUSB0"}));
}

TEST_F(SerialDevice, FailedOpenStaysClosedAndSilentButKeepsTheReason)
{
    link->openResult = false;
    link->openReason = QStringLiteral("Permission denied");
    gps.Open();
    EXPECT_FALSE(gps.Connected());
    EXPECT_FALSE(gps.PollTimer->isActive());
    EXPECT_EQ(gps.LastError(), "Permission denied");
    EXPECT_TRUE(log.events.empty());
}

TEST_F(SerialDevice, WithoutAChosenPortNothingIsOpened)
{
    for (const QString& port : {QString(), QStringLiteral("  ")}) {
        THalvekSerialGPS fresh;  // a new component has no port
        bool made = false;
        fresh.MakeLink = [&] {
            made = true;
            return std::make_unique<FakeLink>(link);
        };
        EXPECT_TRUE(fresh.Port.isEmpty());
        fresh.Port = port;
        fresh.Open();
        EXPECT_FALSE(fresh.Connected());
        EXPECT_FALSE(made);
        EXPECT_EQ(fresh.LastError(), "no port chosen");
    }
}

TEST_F(SerialDevice, InvalidDataBitsCodeIsAnOpenFailure)
{
    gps.DataBits = 5;  // 9 data bits
    gps.Open();
    EXPECT_FALSE(gps.Connected());
    EXPECT_FALSE(gps.LastError().isEmpty());
    EXPECT_TRUE(link->path.isEmpty());
}

struct SettingsCase {
    const char* port;
    int dataBits, stopBits, parity;
    bool dtr, rts;
    const char* path;
    int linkDataBits;
    SerialLinkSettings::Stop linkStop;
    SerialLinkSettings::Parity linkParity;
};

TEST_F(SerialDevice, SettingsReachTheLinkMapped)
{
    using Stop = SerialLinkSettings::Stop;
    using Par = SerialLinkSettings::Parity;
    const SettingsCase cases[] = {
        {"COM3", 4, 1, 0, false, false, "/dev/ttyS2", 8, Stop::One, Par::None},
        {"/dev/serial/by-id/usb-u-blox", 3, 2, 1, true, false, "/dev/serial/by-id/usb-u-blox", 7,
         Stop::OneAndHalf, Par::Odd},
        {"ttyACM0", 1, 3, 2, false, true, "/dev/ttyACM0", 5, Stop::Two, Par::Even},
        {"com12", 2, 9, 3, true, true, "/dev/ttyS11", 6, Stop::One, Par::Mark},
        {"ttyS1", 4, 0, 4, false, false, "/dev/ttyS1", 8, Stop::One, Par::Space},
        {"ttyS1", 4, 1, 7, false, false, "/dev/ttyS1", 8, Stop::One, Par::Keep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port);
        gps.Port = QString::fromLatin1(c.port);
        gps.BaudRate = 115200;
        gps.DataBits = c.dataBits;
        gps.StopBits = c.stopBits;
        gps.Parity = c.parity;
        gps.EnableDTR = c.dtr;
        gps.EnableRTS = c.rts;
        gps.Open();
        ASSERT_TRUE(gps.Connected());
        EXPECT_EQ(link->path, c.path);
        EXPECT_EQ(link->settings.BaudRate, 115200);
        EXPECT_EQ(link->settings.DataBits, c.linkDataBits);
        EXPECT_EQ(link->settings.StopBits, c.linkStop);
        EXPECT_EQ(link->settings.ParityMode, c.linkParity);
        EXPECT_EQ(link->settings.EnableDTR, c.dtr);
        EXPECT_EQ(link->settings.EnableRTS, c.rts);
        gps.Close();
    }
}

TEST_F(SerialDevice, EachLineComesBeforeTheEventsItCauses)
{
    gps.Open();
    receive("DBT 3.2 m\r\n" + kGga + "\r\n" + kRmc + "\r\n$GPZDA,1*00\r\n\r\n");
    EXPECT_EQ(log.events, Events({"connect ttyUSB0", "line DBT 3.2 m", "line " + kGga,
                                  "position 48.117300 11.516667 545.40", "line " + kRmc,
                                  "speed 18.520", "line $GPZDA,1*00"}));
    EXPECT_EQ(gps.GetFixQuality(), 1);
    EXPECT_EQ(gps.GetSatellites(), 8);
    EXPECT_DOUBLE_EQ(gps.GetCourse(), 84.4);
    EXPECT_DOUBLE_EQ(gps.GetAltitude(), 545.4);
}

TEST_F(SerialDevice, CloseZeroesTheParsedValuesAndOpenStartsAFreshLine)
{
    gps.Open();
    receive(kGga + "\r\n" + kRmc + "\r\n$GPGGA,half");
    gps.Close();
    EXPECT_EQ(gps.GetLatitude(), 0);
    EXPECT_EQ(gps.GetLongitude(), 0);
    EXPECT_EQ(gps.GetAltitude(), 0);
    EXPECT_EQ(gps.GetCourse(), 0);
    EXPECT_EQ(gps.GetFixQuality(), 0);
    EXPECT_EQ(gps.GetSatellites(), 0);
    EXPECT_EQ(gps.LineBuffer(), "$GPGGA,half");

    gps.Open();
    EXPECT_EQ(gps.LineBuffer(), "");
    log.events.clear();
    receive(kRmc + "\n");  // the same speed again is a change after Close
    EXPECT_EQ(log.events, Events({"line " + kRmc, "speed 18.520"}));
}

TEST_F(SerialDevice, ABurstIsDeliveredWithinOneTick)
{
    gps.Open();
    std::string burst;
    for (int i = 0; i < 2000; ++i) burst += "$SDDPT," + std::to_string(i) + ",0.0\r\n";
    ASSERT_GT(burst.size(), 20000u);
    receive(burst);
    ASSERT_EQ(log.lines().size(), 2000u);
    EXPECT_EQ(log.lines().back(), "$SDDPT,1999,0.0");
}

TEST_F(SerialDevice, AHandlerThatThrowsLosesNoFollowingLine)
{
    gps.Open();
    gps.OnNewCommand = [this](QObject*, const std::string& line) {
        log.add("line " + line);
        if (line == "first") throw std::runtime_error("handler failed");
    };
    receive("first\nsecond\n");
    EXPECT_EQ(log.lines(), Events({"first", "second"}));
    EXPECT_TRUE(gps.Connected());
}

TEST_F(SerialDevice, CloseFromALineHandlerStopsDelivery)
{
    gps.Open();
    gps.OnNewCommand = [this](QObject*, const std::string& line) {
        log.add("line " + line);
        gps.Close();
    };
    receive(kGga + "\n" + kRmc + "\n");
    EXPECT_EQ(log.events, Events({"connect ttyUSB0", "line " + kGga, "disconnect ttyUSB0"}));
    EXPECT_EQ(gps.GetLatitude(), 0);
}

TEST_F(SerialDevice, ALostDeviceDeliversItsLastLinesThenDisconnects)
{
    gps.Open();
    link->lost = true;
    receive("last\n");
    EXPECT_EQ(log.events, Events({"connect ttyUSB0", "line last", "disconnect ttyUSB0"}));
    EXPECT_FALSE(gps.Connected());
    EXPECT_EQ(gps.LastError(), "device gone");
}

TEST_F(SerialDevice, ADeviceLostDuringANestedTickStillDeliversWhatItSent)
{
    // A line handler that runs an event loop (a message box) lets the poll timer tick
    // inside it; the device goes away meanwhile. The lines that tick read still come,
    // in order, before the disconnect.
    gps.Open();
    gps.OnNewCommand = [this](QObject*, const std::string& line) {
        log.add("line " + line);
        if (line != "first") return;
        link->incoming += "second\nthird\n";
        link->lost = true;
        gps.PollTimerTick();
    };
    receive("first\n");
    EXPECT_EQ(log.events,
              Events({"connect ttyUSB0", "line first", "line second", "line third", "disconnect ttyUSB0"}));
}

TEST_F(SerialDevice, SendWritesTheTextAsItIsAndReportsIt)
{
    gps.Send("ignored while closed");
    gps.Open();
    gps.Send("$PMTK220,100*2F\r\n");
    EXPECT_EQ(link->written, "$PMTK220,100*2F\r\n");
    EXPECT_EQ(log.events, Events({"connect ttyUSB0", "send $PMTK220,100*2F\r\n"}));
}

// An RTCM 3 frame of `size` bytes (header, filler payload, CRC).
std::string rtcmFrame(std::size_t size, char fill)
{
    std::string payload(size - 6, fill);
    return skerra::rtcm::test::frameOf(payload);
}

TEST_F(SerialDevice, CorrectionsWaitForTheLineAndCommandsGoFirst)
{
    qint64 now = 0;
    gps.Clock = [&] { return now; };
    EXPECT_EQ(gps.WriteRaw("closed"), 0);
    gps.BaudRate = 9600;  // 960 bytes a second
    gps.Open();

    const std::string a = rtcmFrame(300, 'a'), b = rtcmFrame(200, 'b'), c = rtcmFrame(100, 'c');
    EXPECT_EQ(gps.WriteRaw(QByteArray::fromStdString(a)), 300);  // an idle line takes it at once
    EXPECT_EQ(link->written, a);
    gps.WriteRaw(QByteArray::fromStdString(b));  // 312 ms of line ahead: b waits
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 200);
    gps.Send("$CMD\r\n");  // ahead of the waiting corrections
    EXPECT_EQ(link->written, a + "$CMD\r\n");

    now = 100;  // the line has room again: b still leaves within its second
    gps.PollTimerTick();
    EXPECT_EQ(link->written, a + "$CMD\r\n" + b);
    EXPECT_EQ(gps.DroppedBlocks(), 0u);

    // The driver still holds two seconds of the line (bytes written past this
    // component): a new frame could never leave in time and is dropped whole.
    now = 2000;
    link->driverOutput = 1920;
    gps.WriteRaw(QByteArray::fromStdString(c));
    EXPECT_EQ(gps.DroppedBlocks(), 1u);
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 0);
    EXPECT_EQ(link->written, a + "$CMD\r\n" + b);
}

TEST_F(SerialDevice, CloseHandsTheCorrectionsThatAreStillInTimeToThePort)
{
    gps.BaudRate = 9600;
    gps.Open();
    const std::string a = rtcmFrame(300, 'a'), b = rtcmFrame(100, 'b');
    gps.WriteRaw(QByteArray::fromStdString(a));
    gps.WriteRaw(QByteArray::fromStdString(b));
    EXPECT_EQ(link->written, a);
    gps.Close();
    EXPECT_EQ(link->written, a + b);
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 0);
}

TEST_F(SerialDevice, CloseWaitsForTheDriverToSendWhatItHoldsButNotForever)
{
    struct Case {
        const char* what;
        qint64 driverOutput, drainsPerQuery, leftAtClose;
    };
    const Case cases[] = {
        {"a draining line is closed once empty", 200, 10, 0},
        {"a line that never drains is closed all the same", 100000, 0, 100000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gps.BaudRate = 115200;
        gps.Open();
        gps.Send("$PMTK251,9600*17\r\n");
        link->driverOutput = c.driverOutput;
        link->driverDrainsPerQuery = c.drainsPerQuery;
        QElapsedTimer clock;
        clock.start();
        gps.Close();
        EXPECT_LT(clock.elapsed(), 5 * THalvekSerialGPS::MaxCloseDrainMs);
        EXPECT_EQ(link->driverOutputAtClose, c.leftAtClose);
    }
}

TEST_F(SerialDevice, IdleIsReportedOncePerSilence)
{
    gps.Open();
    const auto idleAfter = [this](const std::string& bytes) {
        if (!bytes.empty()) receive(bytes);
        gps.IdleTimerTick();
        return log.count("idle");
    };
    EXPECT_EQ(idleAfter(""), 1);       // a whole period without data
    EXPECT_EQ(idleAfter(""), 1);       // the same silence
    EXPECT_EQ(idleAfter("x\n"), 1);    // data in this period
    EXPECT_EQ(idleAfter(""), 2);       // a new silence
    EXPECT_EQ(idleAfter("partial"), 2);  // bytes without a line end count as data
    EXPECT_EQ(idleAfter(""), 3);
    gps.Close();
    gps.IdleTimerTick();
    EXPECT_EQ(log.count("idle"), 3);
    EXPECT_EQ(log.count("timeout"), 0);
}

TEST(SerialDeviceLifetime, DestroyingAnOpenDeviceRaisesNothing)
{
    auto link = std::make_shared<FakeLinkState>();
    EventLog log;
    {
        THalvekSerialGPS gps;
        gps.MakeLink = [link] { return std::make_unique<FakeLink>(link); };
        gps.Port = QStringLiteral("COM1");
        log.Attach(gps);
        gps.Open();
    }
    EXPECT_EQ(log.events, Events({"connect COM1"}));
    EXPECT_EQ(link->closes, 1);
}

TEST(SerialPortNames, NumbersNamesAndRates)
{
    const std::pair<const char*, int> numbers[] = {
        {"com7", 7}, {"COM", 1}, {"COM25", 25}, {"0", 1}, {"ttyUSB", 1}, {"COM-3", 1}, {"12", 12}};
    for (const auto& [name, number] : numbers)
        EXPECT_EQ(THalvekSerialGPS::PortNumberFromName(QString::fromLatin1(name)), number) << name;

    const std::pair<int, int> rates[] = {
        {9600, 9600}, {56000, 9600}, {230400, 230400}, {110, 110}, {0, 9600}, {460800, 9600}};
    for (const auto& [baud, valid] : rates) EXPECT_EQ(THalvekSerialGPS::ValidBaudRate(baud), valid);

    const std::pair<const char*, const char*> paths[] = {
        {"/dev/pts/3", "/dev/pts/3"}, {"COM1", "/dev/ttyS0"}, {"com10", "/dev/ttyS9"},
        {"ttyUSB0", "/dev/ttyUSB0"}, {"", ""},                {"COM0", "/dev/COM0"}};
    for (const auto& [name, path] : paths)
        EXPECT_EQ(THalvekSerialGPS::DevicePath(QString::fromLatin1(name)), path) << name;

    EXPECT_EQ(THalvekSerialGPS::PortName(3), "COM3");
}

}  // namespace
