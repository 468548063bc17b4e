// The NTRIP window with a loopback caster, pseudo-terminals as serial ports and a
// temporary program folder: where the corrections go, profiles, the settings' load
// order, status captions, the silent-stream rule and the reference-station reports.

#include "FakeCaster.h"
#include "LoopbackTestSupport.h"
#include "MissingTool.h"
#include "RTCMFrameBuilder.h"
#include "SerialTestSupport.h"
#include "Str2strSupport.h"

#include "devices/SerialCorrectionSink.h"
#include "devices/ntrip/NTRIPProfiles.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "shell/SharedHeader.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using ntriptest::waitUntil;

namespace {

const QString NotRelayed = QStringLiteral("Corrections not relayed: GPS port closed");

class NTRIPWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        skerra::setProgramFolderForTesting(Dir.path() + "/");
        skerra::setDataRootForTesting(Dir.path() + "/data/");
        InitSharedHeaderGlobals();
        TfrmNTRIPSettings::ListSerialPorts = [this] { return Ports; };
    }
    void TearDown() override
    {
        Window.reset();
        TfrmNTRIPSettings::ListSerialPorts = {};
        skerra::setClockForTesting({});
        skerra::setProgramFolderForTesting({});
        skerra::setDataRootForTesting({});
    }

    void Seed(const QString& iniText)
    {
        QFile f(skerra::settingsFilePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(iniText.toUtf8());
    }
    TfrmNTRIPSettings& Open()
    {
        Window = std::make_unique<TfrmNTRIPSettings>();
        return *Window;
    }
    int LogCount(const QString& text) const
    {
        int n = 0;
        for (const QString& line : Window->memoLog->toPlainText().split('\n')) n += line.contains(text);
        return n;
    }
    int LogCount(const QRegularExpression& pattern) const
    {
        int n = 0;
        for (const QString& line : Window->memoLog->toPlainText().split('\n')) n += line.contains(pattern);
        return n;
    }
    void ConnectTo(int port, const QString& mountPoint = "MP")
    {
        Window->edtServer->setText("127.0.0.1");
        Window->edtPort->setText(QString::number(port));
        Window->boxMountpoint->setEditText(mountPoint);
        Window->btnConnectClick();
    }
    skerra::IniFile Ini() const { return skerra::IniFile(skerra::settingsFilePath()); }

    QTemporaryDir Dir;
    QStringList Ports;
    std::unique_ptr<TfrmNTRIPSettings> Window;
};

bool ownerOnly(const QString& path)
{
    using std::filesystem::perms;
    return std::filesystem::status(path.toStdString()).permissions() == (perms::owner_read | perms::owner_write);
}

// Everything the pseudo-terminal's other end received until `size` bytes or a pause.
std::string drain(serialtest::PseudoTerminal& pty, std::size_t size)
{
    std::string got;
    waitUntil([&] {
        got += pty.ReadAvailable();
        return got.size() >= size && size > 0;
    }, size > 0 ? 3000 : 300);
    return got;
}

TEST_F(NTRIPWindow, CorrectionsArriveExactlyWhereTheOutputSettingsSendThem)
{
    enum Output { Off, GpsItem, OtherPort };
    enum Gnss { PortOpen, PortClosed, ClosedThenReopened };
    using skerra::rtcm::test::frameOf;
    const std::string a = frameOf("AAAA"), b = frameOf("BBBB");
    for (Output output : {Off, GpsItem, OtherPort}) {
        for (Gnss gnss : {PortOpen, PortClosed, ClosedThenReopened}) {
            SCOPED_TRACE("output " + std::to_string(output) + ", GNSS port " + std::to_string(gnss));
            serialtest::PseudoTerminal gnssPty, outPty;
            THalvekSerialGPS gps;
            gps.Port = gnssPty.SlavePath;
            SerialCorrectionSink sink(&gps);
            Ports = {outPty.SlavePath};
            FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + a), CasterStep::pause(400),
                                CasterStep::send(b), CasterStep::hold(5000)}});
            TfrmNTRIPSettings& w = Open();
            w.SetGPSPort(&sink, QString());
            if (output != Off) {
                w.boxOutputPort->setCurrentIndex(output == GpsItem ? 0 : 1);
                w.chkOutputPort->setChecked(true);
                ASSERT_TRUE(w.OutputOpen);
            }
            gps.Open();
            if (gnss != PortOpen) gps.Close();
            ConnectTo(caster.Port());
            if (gnss == ClosedThenReopened) {
                ASSERT_TRUE(waitUntil([&] { return w.Client->BytesReceived >= std::int64_t(a.size()); }));
                gps.Open();
            }
            ASSERT_TRUE(waitUntil([&] { return w.Client->BytesReceived == std::int64_t(a.size() + b.size()); }));

            std::string toGnss, toOutput;
            if (output == OtherPort) toOutput = a + b;
            else if (gnss == PortOpen) toGnss = a + b;
            else if (gnss == ClosedThenReopened) toGnss = b;
            EXPECT_EQ(drain(gnssPty, toGnss.size()), toGnss);
            EXPECT_EQ(drain(outPty, toOutput.size()), toOutput);
            EXPECT_EQ(LogCount(NotRelayed), output != OtherPort && gnss != PortOpen ? 1 : 0);
            Window.reset();
        }
    }
}

TEST_F(NTRIPWindow, ALostOutputPortIsReportedAndTheCorrectionsGoToTheGpsPortAgain)
{
    using skerra::rtcm::test::frameOf;
    const std::string a = frameOf("AAAA"), b = frameOf("BBBB");
    CreateDataFolders();
    serialtest::PseudoTerminal gnssPty, outPty;
    THalvekSerialGPS gps;
    gps.Port = gnssPty.SlavePath;
    SerialCorrectionSink sink(&gps);
    Ports = {outPty.SlavePath};
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n" + a), CasterStep::pause(1500), CasterStep::send(b),
                        CasterStep::hold(5000)}});
    TfrmNTRIPSettings& w = Open();
    QStringList status;
    QObject::connect(&w, &TfrmNTRIPSettings::StatusLineRequested, [&](const QString& t, bool) { status << t; });
    w.SetGPSPort(&sink, QString());
    gps.Open();
    w.boxOutputPort->setCurrentIndex(1);
    w.chkOutputPort->setChecked(true);
    ASSERT_TRUE(w.OutputDevice->Connected());
    ConnectTo(caster.Port());
    EXPECT_EQ(drain(outPty, a.size()), a);

    outPty.CloseMaster();  // the port goes away
    ASSERT_TRUE(waitUntil([&] { return !w.chkOutputPort->isChecked(); }));
    const QString lost = "NTRIP output port lost: " + outPty.SlavePath;
    EXPECT_EQ(LogCount(lost), 1);
    ASSERT_EQ(status.size(), 1);
    EXPECT_TRUE(status[0].startsWith(lost));
    QFile events(QString::fromStdString(TodaysEventLogPath()));
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(events.readAll()).contains("\t" + lost));
    EXPECT_FALSE(Ini().ReadBool("NTRIP", "OutputEnabled", true));
    EXPECT_TRUE(w.Client->RelayToSerial);
    EXPECT_EQ(drain(gnssPty, b.size()), b);  // the next corrections reach the receiver
    Window.reset();
}

TEST_F(NTRIPWindow, TheOutputPortReopensWhenItsBaudRateChanges)
{
    serialtest::PseudoTerminal outPty;
    Ports = {outPty.SlavePath};
    TfrmNTRIPSettings& w = Open();
    w.boxOutputPort->setCurrentIndex(1);
    w.chkOutputPort->setChecked(true);
    w.boxOutputBaud->setCurrentIndex(1);
    EXPECT_EQ(LogCount("Output port opened: " + outPty.SlavePath + " @ 115200"), 1);
    EXPECT_EQ(LogCount("Output port opened: " + outPty.SlavePath + " @ 9600"), 1);
    EXPECT_EQ(w.OutputDevice->BaudRate, 9600);
    EXPECT_TRUE(w.OutputDevice->Connected());
}

TEST_F(NTRIPWindow, ASlowOutputPortDropsWholeOldBlocksAndSaysHowManyWhileItGoesOn)
{
    QDateTime now = QDateTime(QDate(2026, 5, 4), QTime(10, 0, 0));
    skerra::setClockForTesting([&] { return now; });
    serialtest::PseudoTerminal outPty;
    Ports = {outPty.SlavePath};
    TfrmNTRIPSettings& w = Open();
    w.boxOutputBaud->setCurrentIndex(0);  // 4800 baud: one second is 480 bytes
    w.boxOutputPort->setCurrentIndex(1);
    w.chkOutputPort->setChecked(true);
    ASSERT_TRUE(w.OutputDevice->Connected());
    // Blocks arrive faster than the port (no event loop runs between them).
    for (char c = 'a'; c < 'a' + 20; ++c) w.ClientData(std::string(200, c).data(), 200);
    EXPECT_GT(w.OutputDevice->DroppedBlocks(), 0u);
    EXPECT_LE(w.OutputDevice->QueuedCorrectionBytes(), 480);
    EXPECT_EQ(LogCount("Output port overrun"), 1);
    // The line says how much was dropped when it noticed; the status line shows it.
    EXPECT_EQ(LogCount(QRegularExpression("Output port overrun: [1-9][0-9]* frames? \\([1-9][0-9]*00 bytes\\) of "
                                          "corrections dropped to keep them under a second old$")),
              1);
    w.tmrUpdateTimer();
    EXPECT_TRUE(w.lblRelayStatus->text().contains(QRegularExpression("^Dropped [1-9][0-9]* of [1-9][0-9]* frames so far$")))
        << w.lblRelayStatus->text().toStdString();
    EXPECT_FALSE(w.lblRelayStatus->isHidden());
    // What arrives is whole blocks, the newest last.
    const std::string got = drain(outPty, 0) + drain(outPty, 0);
    ASSERT_EQ(got.size() % 200, 0u);
    EXPECT_EQ(got.back(), 'a' + 19);

    // A minute on, the dropping goes on: a figure for the minute.
    now = now.addSecs(61);
    for (char c = 'a'; c < 'a' + 20; ++c) w.ClientData(std::string(200, c).data(), 200);
    EXPECT_EQ(LogCount(QRegularExpression(" of [1-9][0-9]* frames \\([0-9]+ %, [1-9][0-9]*00 bytes\\) dropped in the "
                                          "last minute$")),
              1);
    EXPECT_TRUE(w.lblRelayStatus->text().endsWith(" frames in the last minute"));
    // The rest of those blocks make the next minute's figure; a minute without a drop
    // then: the log says it stopped and the status line clears.
    drain(outPty, 0);
    now = now.addSecs(61);
    w.tmrUpdateTimer();
    EXPECT_EQ(LogCount(" dropped in the last minute"), 2);
    now = now.addSecs(61);
    w.tmrUpdateTimer();
    EXPECT_EQ(LogCount("Output port: corrections no longer dropped"), 1);
    EXPECT_TRUE(w.lblRelayStatus->text().isEmpty());
    EXPECT_TRUE(w.lblRelayStatus->isHidden());
    Window.reset();
}

TEST_F(NTRIPWindow, SettingsLoadInOrderAndAnAutoConnectStartsWithoutShowingTheWindow)
{
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n\xD3\x00\x00\x47\xEA\x4B"), CasterStep::hold(5000)}});
    Seed(QString("[NTRIP]\r\nServer=127.0.0.1\r\nPort=%1\r\nMountPoint=MP\r\nOutputPort=/dev/skerra-gone\r\n"
                 "OutputEnabled=1\r\nAutoConnect=1\r\n")
             .arg(caster.Port()));
    TfrmNTRIPSettings& w = Open();
    EXPECT_EQ(LogCount("Failed to open output port: /dev/skerra-gone"), 1);
    EXPECT_FALSE(w.chkOutputPort->isChecked());
    EXPECT_FALSE(Ini().ReadBool("NTRIP", "OutputEnabled", true));
    EXPECT_TRUE(Ini().ReadBool("NTRIP", "AutoConnect", false));
    EXPECT_EQ(LogCount("Auto-connect enabled - will connect on startup"), 1);
    EXPECT_TRUE(w.Client->RelayToSerial);

    w.tmrUpdateTimer();
    EXPECT_EQ(LogCount("Auto-reconnecting..."), 1);
    // The worker sets the status before the window hears of it.
    ASSERT_TRUE(waitUntil([&] { return w.Client->Status == ntripReceiving; }));
    waitUntil([&] { return w.windowTitle() == "Halvek NTRIP Client - Receiving Data"; });
    EXPECT_EQ(w.windowTitle(), "Halvek NTRIP Client - Receiving Data");
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(ownerOnly(skerra::settingsFilePath()));
}

TEST_F(NTRIPWindow, ProfilesLoadByTheirPlaceAmongTheProfileLinesAndSaveInPlace)
{
    const QString path = skerra::besideProgram("profiles.txt");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\r\nno tab here\r\nann@h1:1\th1\t1\tann\tpwA\t1.5\t2.5\r\nh2:2\th2\t2\t\tpwB\r\n");
    }
    TfrmNTRIPSettings& w = Open();
    ASSERT_EQ(w.boxProfile->count(), 3);
    EXPECT_EQ(w.boxProfile->itemText(0), "<New Profile>");
    EXPECT_EQ(w.boxProfile->currentText(), "ann@h1:1");
    EXPECT_EQ(w.edtServer->text(), "rtk2go.com");  // the first selection fills nothing

    w.boxProfile->setCurrentIndex(2);  // five fields: the position stays
    EXPECT_EQ(w.edtServer->text(), "h2");
    EXPECT_EQ(w.edtPassword->text(), "pwB");
    EXPECT_EQ(w.edtLatitude->text(), "0.0");
    w.boxProfile->setCurrentIndex(1);
    EXPECT_EQ(w.edtUsername->text(), "ann");
    EXPECT_EQ(w.edtPassword->text(), "pwA");
    EXPECT_EQ(w.edtLatitude->text(), "1.5");

    w.edtPassword->setText("pwC");  // same server, port and user: replaced
    w.btnSaveProfileClick();
    EXPECT_EQ(LogCount("Profile saved: ann@h1:1"), 1);
    const auto records = skerra::ntrip::ReadProfiles(path);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].Fields, QStringList({"ann@h1:1", "h1", "1", "ann", "pwC", "1.5", "2.5"}));
    EXPECT_EQ(w.boxProfile->currentText(), "ann@h1:1");
    EXPECT_TRUE(ownerOnly(path));

    EXPECT_EQ(skerra::ntrip::ProfileDisplayName("h", "2101", ""), "h:2101");
    EXPECT_EQ(skerra::ntrip::ProfileDisplayName("h", "2101", "u"), "u@h:2101");
}

TEST_F(NTRIPWindow, EachStatusSetsTheCaptionsAndLossWhileHiddenShowsTheWindow)
{
    TfrmNTRIPSettings& w = Open();
    struct Case { int status; const char* button; const char* title; bool fetch; };
    const Case cases[] = {
        {1, "Connecting...", "Halvek NTRIP Client - Connecting...", false},
        {2, "Disconnect", "Halvek NTRIP Client - Connected", false},
        {3, "Disconnect", "Halvek NTRIP Client - Receiving Data", false},
        {4, "Connect", "Halvek NTRIP Client - Error", true},
        {0, "Connect", "Halvek NTRIP Client - Disconnected", true},
    };
    for (const Case& c : cases) {
        w.ClientStatus(c.status, "");
        EXPECT_EQ(w.btnConnect->text(), c.button) << c.status;
        EXPECT_EQ(w.windowTitle(), c.title) << c.status;
        EXPECT_EQ(w.btnFetchSources->isEnabled(), c.fetch) << c.status;
    }
    // Status 3 above switched auto-connect on; the loss (status 4) showed the window.
    EXPECT_TRUE(Ini().ReadBool("NTRIP", "AutoConnect", false));
    EXPECT_EQ(LogCount("Auto-connect enabled for next startup"), 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(LogCount("Connection lost - showing NTRIP settings"), 1);

    w.Client->BytesReceived = 12345;
    w.tmrUpdateTimer();
    EXPECT_EQ(w.lblBytesReceivedValue->text(), "12,345");
    EXPECT_EQ(w.pbProgress->value(), 46);
    w.Client->BytesReceived = 0;

    w.AddLog("Server response: " + QString(16384, 'x'));
    EXPECT_LT(w.memoLog->toPlainText().split('\n').last().size(), 240);
    for (int i = 0; i < 150; ++i) w.AddLog("line");
    EXPECT_EQ(w.memoLog->document()->blockCount(), 100);
}

TEST_F(NTRIPWindow, WhileAConnectionIsRetriedTheButtonStopsTheRetries)
{
    // Every connection is answered and closed at once: the client keeps retrying.
    FakeCaster caster({{CasterStep::send("ICY 200 OK\r\n"), CasterStep::close()}});
    TfrmNTRIPSettings& w = Open();
    w.Client->ReconnectTimer->setInterval(200);
    ConnectTo(caster.Port());
    ASSERT_TRUE(waitUntil([&] { return LogCount("Reconnect attempt 1/10") == 1 && w.Client->ReconnectTimer->isActive(); }));
    EXPECT_EQ(w.btnConnect->text(), "Disconnect");

    // The title agrees: a retry is coming.
    EXPECT_EQ(w.windowTitle(), "Halvek NTRIP Client - Waiting to reconnect...");

    w.btnConnectClick();
    EXPECT_EQ(LogCount("Disconnecting (manual)..."), 1);
    EXPECT_FALSE(w.Client->Active());
    EXPECT_EQ(w.btnConnect->text(), "Connect");
    EXPECT_EQ(w.windowTitle(), "Halvek NTRIP Client - Disconnected");
    const int connections = caster.Connections();
    waitUntil([] { return false; }, 800);
    EXPECT_EQ(caster.Connections(), connections);  // no connection after the click
    EXPECT_FALSE(Ini().ReadBool("NTRIP", "AutoConnect", true));
}

TEST_F(NTRIPWindow, AConnectAfterTheRetriesRanOutIsRetriedAgain)
{
    // Every connection is closed unanswered.
    FakeCaster caster({{CasterStep::close()}});
    TfrmNTRIPSettings& w = Open();
    w.Client->ReconnectTimer->setInterval(100);
    w.Client->MaxReconnect = 1;
    ConnectTo(caster.Port());
    ASSERT_TRUE(waitUntil([&] { return LogCount("Reconnect attempt 1/1") == 1 && caster.Connections() == 2 && !w.Client->Active(); }));
    waitUntil([&] { return w.btnConnect->text() == "Connect"; }, 1000);
    EXPECT_EQ(w.btnConnect->text(), "Connect");
    EXPECT_EQ(w.windowTitle(), "Halvek NTRIP Client - Disconnected");

    w.btnConnectClick();
    ASSERT_TRUE(waitUntil([&] { return LogCount("Reconnect attempt 1/1") == 2 && caster.Connections() == 4; }));
    w.btnConnectClick();
}

TEST_F(NTRIPWindow, ThirtySecondsWithoutDataShowTheHiddenWindow)
{
    QDateTime now = QDateTime(QDate(2026, 5, 4), QTime(10, 0, 0));
    skerra::setClockForTesting([&] { return now; });
    TfrmNTRIPSettings& w = Open();
    w.WasReceiving = true;
    w.Client->Connected = true;
    w.ClientData("x", 1);
    now = now.addSecs(30);
    w.tmrUpdateTimer();
    EXPECT_FALSE(w.isVisible());
    now = now.addMSecs(1);
    w.tmrUpdateTimer();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(LogCount("No data received for 30 seconds - showing NTRIP settings"), 1);
    w.Client->Connected = false;
    Window.reset();  // before the clock above goes
}

TEST_F(NTRIPWindow, AManualPositionOutOfRangeDoesNotConnectAndABadPortBecomes2101)
{
    TfrmNTRIPSettings& w = Open();
    w.rbManual->setChecked(true);
    w.boxMountpoint->setEditText("MP");
    for (auto [lat, lon] : {std::pair{"91", "0"}, {"-90.5", "10"}, {"45", "-181"}}) {
        w.edtLatitude->setText(lat);
        w.edtLongitude->setText(lon);
        w.btnConnectClick();
        EXPECT_EQ(w.Client->Worker, nullptr) << lat << " " << lon;
    }
    EXPECT_EQ(LogCount("Invalid position"), 3);

    w.edtLongitude->setText("10");
    w.edtServer->setText("");  // refused by the client: nothing goes on the network
    for (auto [text, port] : {std::pair{"70000", 2101}, {"0", 2101}, {"abc", 2101}, {"2102", 2102}}) {
        w.edtPort->setText(text);
        w.btnConnectClick();
        EXPECT_EQ(w.Client->Port, port) << text;
    }
}

TEST_F(NTRIPWindow, AStr2strStreamReportsItsBaseStationOnceInTheLogAndTheEventLog)
{
    if (QStandardPaths::findExecutable("str2str").isEmpty()) {
        SKERRA_SKIP_UNLESS_CI("str2str not installed (Debian package rtklib)");
    }
    const auto capturePath = std::filesystem::path(SKERRA_TESTDATA) / "rtcm3" / "ublox-zed-f9t-rtcm3.log";
    std::ifstream in(capturePath, std::ios::binary);
    ASSERT_TRUE(in) << "third-party capture not present: " << capturePath;
    const std::string capture(std::istreambuf_iterator<char>(in), {});
    CreateDataFolders();
    ntriptest::Str2strProcess caster;
    ASSERT_EQ(caster.Start(capture), "");

    TfrmNTRIPSettings& w = Open();
    w.edtUsername->setText("user");
    w.edtPassword->setText("secret");
    ConnectTo(caster.CasterPort, "MOUNT");
    ASSERT_TRUE(waitUntil([&] { return w.Client->Connected.load(); }, 10000));
    caster.Release();
    // str2str passes on the RTCM frames of the capture, not its text header.
    ASSERT_TRUE(waitUntil([&] { return LogCount("Base #") > 0 && w.Client->BytesReceived > 25000; }, 30000));
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(LogCount("Base #"), 1);
    QFile events(QString::fromStdString(TodaysEventLogPath()));
    ASSERT_TRUE(events.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(events.readAll()).count("\tNTRIP Base Station #"), 1);
    Window.reset();
}

}  // namespace
