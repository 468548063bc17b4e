// The component's behaviour over a fake link: opening, events, writing, watchdog.

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

TEST_F(SerialDevice, CorrectionsQueueForAboutOneSecondAndCommandsGoFirst)
{
    EXPECT_EQ(gps.WriteRaw("closed"), 0);
    gps.BaudRate = 9600;  // one second: 960 bytes
    gps.Open();
    ASSERT_EQ(gps.CorrectionBudget(), 960);

    const QByteArray big(2000, '\xd3');
    EXPECT_EQ(gps.WriteRaw(big), big.size());  // an idle port takes any block at once
    EXPECT_EQ(link->written.size(), 2000u);

    link->pendingOutput = 500;  // the port is busy: blocks wait in the queue
    for (char c : std::string("abcdef")) EXPECT_EQ(gps.WriteRaw(QByteArray(300, c)), 300);
    // Only the newest blocks that fit in one second are kept; the older ones are gone.
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 900);
    EXPECT_EQ(gps.DroppedBlocks(), 3u);

    gps.Send("$CMD\r\n");  // ahead of the queued corrections
    EXPECT_EQ(link->written.substr(2000), "$CMD\r\n");

    link->pendingOutput = 0;
    gps.PollTimerTick();
    EXPECT_EQ(link->written.substr(2006), std::string(300, 'd') + std::string(300, 'e') + std::string(300, 'f'));
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 0);
}

TEST_F(SerialDevice, CloseHandsQueuedCorrectionsToThePortFirst)
{
    gps.Open();
    link->pendingOutput = 10000;
    gps.WriteRaw("late block");
    EXPECT_EQ(link->written, "");
    gps.Close();
    EXPECT_EQ(link->written, "late block");
    EXPECT_EQ(gps.QueuedCorrectionBytes(), 0);
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
