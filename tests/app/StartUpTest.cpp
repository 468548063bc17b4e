#include "app/StartUp.h"

#include "navigation/TFNav.h"
#include "devices/SerialCorrectionSink.h"
#include "devices/ntrip/THalvekNTRIPClient.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "canvas/widget/CanvasStatusSource.h"
#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavLayers.h"
#include "navigation/TfJoystick.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/IniFile.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/StyleRegistry.h"
#include "platform/DisplaySettings.h"
#include "shell/SharedHeader.h"
#include "shell/TNavset.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StartUpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setProgramFolderForTesting(program_.path());
        skerra::setDataRootForTesting(data_.path());
        skerra::setClockForTesting([] { return QDateTime(QDate(2025, 6, 1), QTime(8, 0)); });
        InitSharedHeaderGlobals();
        old_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes_ << r.text;
            return r.defaultButton;
        });
    }
    void TearDown() override
    {
        skerra::destroyApplicationWindows(windows_);
        skerra::setMessageHandler(old_);
        skerra::setClockForTesting({});
        skerra::setProgramFolderForTesting({});
        skerra::setDataRootForTesting({});
    }
    QTemporaryDir program_, data_;
    skerra::MessageHandler old_;
    QStringList boxes_;
    std::vector<QWidget*> windows_;
};

TEST_F(StartUpTest, CreatesTheSeventeenWindowsInOrderWithTheirGlobals)
{
    windows_ = skerra::createApplicationWindows();
    const char* names[] = {"FNav",      "Navset",    "FShape",     "FGPS",      "fRealtime",        "FMsg",
                           "Offsets",   "formAbout", "fSVP",       "fRunline1", "fLatency",         "fWaterfal",
                           "fTheme",    "fJoystick", "fSVPGraph",  "frmNTRIPSettings", "fRTCMParsing"};
    ASSERT_EQ(windows_.size(), std::size(names));
    for (size_t i = 0; i < windows_.size(); ++i) EXPECT_EQ(windows_[i]->objectName(), names[i]);
    EXPECT_EQ(windows_[0], FNav);
    EXPECT_EQ(FNav->windowTitle(), "Skerra");
    EXPECT_EQ(windows_[1], Navset);
    EXPECT_TRUE(Navset->isVisible());
    EXPECT_TRUE(fJoystick->isVisible());
    for (size_t i = 2; i < windows_.size(); ++i)
        if (windows_[i] != fJoystick) EXPECT_FALSE(windows_[i]->isVisible()) << names[i];

    EXPECT_EQ(DisplaySettings::DepthLabelFontName, "Arial");  // the settings window's creation
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 40);

    // The main window's creation made the day's folders.
    for (const char* sub : {"QMT", "LOG", "XYZ", "SVP", "JPG", "MP4"})
        EXPECT_TRUE(QDir(data_.path() + "/2025-06-01/" + sub).exists()) << sub;

    skerra::destroyApplicationWindows(windows_);
    EXPECT_EQ(FNav, nullptr);
    EXPECT_EQ(Navset, nullptr);
}

TEST_F(StartUpTest, TheCommandLineMovesTheSettingsAndTheDayFoldersForOneRun)
{
    QTemporaryDir demo;
    const QByteArray settings = (demo.path() + "/demo.INI").toLocal8Bit();
    const QByteArray root = (demo.path() + "/QMT").toLocal8Bit();
    char program[] = "skerra", settingsOption[] = "--settings", rootOption[] = "--data-root";
    char* argv[] = {program, settingsOption, const_cast<char*>(settings.data()), rootOption,
                    const_cast<char*>(root.data())};
    ASSERT_EQ(skerra::applyCommandLinePaths(5, argv), "");
    EXPECT_EQ(skerra::settingsFilePath(), demo.path() + "/demo.INI");
    EXPECT_EQ(LogFolder, (demo.path() + "/QMT/2025-06-01/LOG/").toStdString());

    windows_ = skerra::createApplicationWindows();
    EXPECT_TRUE(QDir(demo.path() + "/QMT/2025-06-01/LOG").exists());
    EXPECT_FALSE(QDir(data_.path() + "/2025-06-01").exists());
    skerra::destroyApplicationWindows(windows_);

    char* missing[] = {program, settingsOption};
    EXPECT_EQ(skerra::applyCommandLinePaths(2, missing), "--settings needs a path");
    skerra::setSettingsFile({});
}

TEST_F(StartUpTest, TheMainWindowOwnsBothSerialDevicesWithTheirEvents)
{
    windows_ = skerra::createApplicationWindows();
    ASSERT_TRUE(FNav->ZGPS1 && FNav->ZSENSOR);
    EXPECT_TRUE(FNav->ZGPS1->OnConnect && FNav->ZGPS1->OnDisconnect && FNav->ZGPS1->OnIdle &&
                FNav->ZGPS1->OnTimeout && FNav->ZGPS1->OnNewCommand && FNav->ZGPS1->OnPosition3DChange &&
                FNav->ZGPS1->OnSpeedChange && FNav->ZGPS1->OnSend);
    EXPECT_TRUE(FNav->ZSENSOR->OnNewCommand);
    EXPECT_FALSE(FNav->ZSENSOR->OnConnect || FNav->ZSENSOR->OnIdle || FNav->ZSENSOR->OnSend);

    FNav->ZGPS1->OnConnect(FNav->ZGPS1, "/dev/ttyUSB0");
    EXPECT_EQ(LastStatusMessage, "Connected to GPS on /dev/ttyUSB0");
    QFile log(QString::fromStdString(TodaysEventLogPath()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().endsWith("\tConnected to GPS on /dev/ttyUSB0"));
}

TEST_F(StartUpTest, TheNtripWindowRelaysToTheGnssPortFromTheStartButNeverToAClosedOne)
{
    // Handed over at creation, so an automatic connect at start-up reaches the receiver
    // too; the sink follows ZGPS1, so a closed port is never written.
    windows_ = skerra::createApplicationWindows();
    ASSERT_TRUE(frmNTRIPSettings && frmNTRIPSettings->Client);
    EXPECT_EQ(frmNTRIPSettings->Client->SerialPortHandle, FNav->GpsCorrectionSink());
    FNav->HalvekNTRIPClient1Click();  // the GNSS port is closed
    EXPECT_TRUE(frmNTRIPSettings->isVisible());
    EXPECT_TRUE(frmNTRIPSettings->GpsPortName.isEmpty());
    EXPECT_FALSE(FNav->GpsCorrectionSink()->IsOpen());
    FNav->GpsCorrectionSink()->WriteRaw("\xD3\x00\x00", 3);  // a closed port is never written
}

TEST_F(StartUpTest, TheChartFillsTheMainWindowBesideItsToolBarsWithItsLayersAndSavedView)
{
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("CANVAS", "PlanWorldLeft", "500000.5");
        ini.WriteString("CANVAS", "PlanWorldRight", "501000.5");
        ini.WriteString("CANVAS", "PlanWorldTop", "4500800");
        ini.WriteString("CANVAS", "PlanWorldBottom", "not a number");  // reads as its default
    }
    windows_ = skerra::createApplicationWindows();
    ASSERT_TRUE(FNav->fcad);
    FNav->resize(800, 600);
    FNav->show();
    QCoreApplication::processEvents();
    // The chart takes the window beside its tool bars, to the right edge and down to
    // the status bar.
    const QRect chart(FNav->fcad->mapTo(FNav, QPoint(0, 0)), FNav->fcad->size());
    EXPECT_EQ(chart.right(), FNav->rect().right());
    EXPECT_EQ(chart.bottom() + 1, FNav->pRealtime->geometry().top());
    EXPECT_GT(chart.width(), FNav->width() * 3 / 4);
    EXPECT_GT(chart.height(), FNav->height() * 3 / 4);

    const char* layers[] = {"Default",          "Halvek Grid",      "track_fix",    "track_nofix",    "track_float",
                            "halvek_tempshape", "halvek_usershape", "event_number", "~~Halvek Vessel"};
    for (int id = 0; id < int(std::size(layers)); ++id)
        EXPECT_EQ(FNav->fcad->LayerFindByName(layers[id]), id) << layers[id];
    EXPECT_EQ(VesselLayerId, 8);
    EXPECT_EQ(FNav->fcad->WorldLeft, 500000.5);
    EXPECT_EQ(FNav->fcad->WorldTop, 4500800.0);

    CanvasStatusValues status;  // the position box, as the survey fills it
    status.text = "RTK Fix | Spd: 3.2 kn";
    status.fixQuality = 4;
    FNav->fcad->SetStatusSource(&status);
    QImage shown = FNav->fcad->grab().toImage();
    EXPECT_FALSE(shown.isNull());
    FNav->fcad->SetStatusSource(&FNav->Survey());

    FNav->fcad->WorldSet(10, 20, 30, 0);
    const int width = FNav->width();  // as wide as the test screen lets it be
    FNav->FormCloseQuery();
    skerra::IniFile ini(skerra::settingsFilePath());
    EXPECT_EQ(ini.ReadFloat("CANVAS", "PlanWorldLeft", -1), 10.0);
    EXPECT_EQ(ini.ReadFloat("CANVAS", "PlanWorldTop", -1), 20.0);
    EXPECT_EQ(ini.ReadInteger("FNav", "Width", -1), width);
}

TEST_F(StartUpTest, ClosingTheMainWindowEndsTheLoopWhileToolWindowsAreOpen)
{
    windows_ = skerra::createApplicationWindows();
    FNav->show();
    ASSERT_TRUE(Navset->isVisible());
    QTimer::singleShot(0, FNav, [] { FNav->close(); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // a hung loop fails, not blocks
    EXPECT_EQ(QApplication::exec(), 0);
}

TEST_F(StartUpTest, StyleNamesAtStartUp)
{
    skerra::applyStartupStyle("Skerra - Default");
    EXPECT_TRUE(boxes_.isEmpty());
    skerra::applyStartupStyle("skerra - default");  // only the exact name is the built-in look
    skerra::applyStartupStyle("No Such Style");
    EXPECT_EQ(boxes_, QStringList({"Style 'skerra - default' not found", "Style 'No Such Style' not found"}));
    skerra::applyStartupStyle("Light");
    EXPECT_EQ(skerra::activeStyleName(), "Light");
}

}  // namespace
