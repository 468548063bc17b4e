#include "SettingsFileFixture.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "devices/serial/THalvekSerialGPS.h"
#include "platform/DisplaySettings.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/ColourPicker.h"
#include "shell/EditableList.h"
#include "shell/TFGPS.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryFile>
#include <QTimer>

#include <memory>

namespace {

// A canvas that counts its repaint requests.
class CountingCanvas : public THalvekCanvasCore {
public:
    int paints = 0;
protected:
    void Invalidate() override { ++paints; }
};

void resetDisplaySettings()
{
    DisplaySettings::GridSpacingX = DisplaySettings::GridSpacingY = 100.0;
    DisplaySettings::GridColor = 0xC0C0C0;
    DisplaySettings::GridVisible = true;
    DisplaySettings::AutoGrid = false;
    DisplaySettings::ShowDepthLabels = true;
    DisplaySettings::DepthLabelSpacing = 10.0;
    DisplaySettings::DepthLabelFontName.clear();
    DisplaySettings::DepthLabelFontSize = 12;
    DisplaySettings::DepthLabelTextColor = 0;
    DisplaySettings::EventLabelFontSize = 24;
    DisplaySettings::EventLabelTextColor = 255;
    DisplaySettings::OverlayFontSize = 40;
    DisplaySettings::OverlayDepthColor = 0x800000;
    DisplaySettings::OverlaySpeedColor = 0;
}

class SettingsWindowTest : public SettingsFileFixture {
protected:
    void SetUp() override
    {
        SettingsFileFixture::SetUp();
        resetDisplaySettings();
        old_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes_ << r.text;
            return r.defaultButton;
        });
    }
    void TearDown() override
    {
        window_.reset();
        skerra::setMessageHandler(old_);
        SettingsFileFixture::TearDown();
    }
    TFGPS& create()
    {
        window_ = std::make_unique<TFGPS>();
        return *window_;
    }
    bool settingsTabsEnabled(const TFGPS& w, bool enabled)
    {
        for (QWidget* tab : {w.GPSTabSheet, w.SensorTabSheet, w.ParametersTabSheet, w.tGlobalSetting})
            if (tab->isEnabled() != enabled) return false;
        return true;
    }
    QString ini(const char* section, const char* key) { return skerra::IniFile(iniPath()).ReadString(section, key, "<none>"); }

    std::unique_ptr<TFGPS> window_;
    skerra::MessageHandler old_;
    QStringList boxes_;
};

TEST_F(SettingsWindowTest, WithoutASettingsFileEveryControlShowsItsDefault)
{
    TFGPS& w = create();
    EXPECT_EQ(FGPS, &w);
    EXPECT_EQ(w.windowTitle(), "Settings");
    // No port until one is chosen; the other port lists show their design values.
    EXPECT_EQ(w.Port->currentText(), "");
    EXPECT_EQ(w.BaudRate->currentText(), "9600");
    EXPECT_EQ(w.SParity->currentText(), "None");
    EXPECT_EQ(w.SEnableRTS->currentText(), "True");
    EXPECT_TRUE(w.SensorEnabled->isChecked());
    EXPECT_TRUE(w.GyroEnabled->isChecked());
    EXPECT_EQ(w.cSBESMessage->currentText(), "Halvek SMT");
    EXPECT_EQ(w.eSBESFormat->text(), "%*8s,%lf");
    EXPECT_EQ(w.edSMA->text(), "");
    EXPECT_TRUE(w.cbUseTMProjection->isChecked());
    EXPECT_FALSE(w.cbUseLCCProjection->isChecked());
    EXPECT_TRUE(w.cbUseDTP->isChecked());
    EXPECT_FALSE(w.cbUseDTP->isEnabled());
    EXPECT_EQ(w.LockStateCheck1->text(), "SAVE && LOCK SETTINGS");
    EXPECT_FALSE(w.LockStateCheck1->isChecked());
    EXPECT_TRUE(settingsTabsEnabled(w, true));
    EXPECT_EQ(DisplaySettings::DepthLabelFontName, "Arial");
    EXPECT_EQ(DisplaySettings::GridColor, 0xC0C0C0);
    EXPECT_EQ(DisplaySettings::GridSpacingX, 100.0);
    EXPECT_EQ(w.MemoGPS->toPlainText(), "NMEA POSITION DATA");
    EXPECT_EQ(iniContent(), "<missing>");  // creation writes nothing while unlocked
    EXPECT_EQ(eventLog(), "<missing>");

    const SensorSettingsValues s = w.SensorValues();
    EXPECT_TRUE(s.sensorEnabled && s.gyroEnabled);
    EXPECT_EQ(s.messageType, "Halvek SMT");
    EXPECT_EQ(s.scanFormat, "%*8s,%lf");
}

TEST_F(SettingsWindowTest, StoredValuesReachTheControlsAndTheDisplaySettings)
{
    writeIni("[GPS1 COMUNICATION SETTINGS]\r\nPort No        =com5\r\n[GEODETIC_PARAMETERS]\r\nSemiMajorAxis=6378137\r\n"
             "cLambert1=1\r\n[GRID_SETTINGS]\r\nAutoGrid=1\r\nGridColor=0x0000FF\r\n"
             "[DEPTH_LABEL_SETTINGS]\r\nFontSize=abc\r\n");
    TFGPS& w = create();
    EXPECT_EQ(w.Port->currentText(), "com5");
    EXPECT_EQ(skerra::listPosition(w.Port), -1);  // positions match the exact text only
    EXPECT_EQ(w.GridTexts().semiMajorAxis, "6378137");
    EXPECT_TRUE(w.GridTexts().lambert1SP);
    EXPECT_FALSE(w.eLCCSP1->isEnabled());
    EXPECT_FALSE(w.edGridSpacingX->isEnabled());
    EXPECT_TRUE(DisplaySettings::AutoGrid);
    EXPECT_EQ(w.cbGridColor->colour(), 0x0000FF);
    EXPECT_EQ(DisplaySettings::GridColor, 0x0000FF);
    EXPECT_EQ(w.edDepthLabelFontSize->text(), "abc");
    EXPECT_EQ(DisplaySettings::DepthLabelFontSize, 12);
}

TEST_F(SettingsWindowTest, ProjectionPairEndsWithExactlyOneBoxChecked)
{
    const struct { const char* tm; const char* lcc; bool tmChecked; } cases[] = {
        {"0", "0", true}, {"1", "1", false}, {"0", "1", false}, {"1", "0", true},
    };
    for (const auto& c : cases) {
        writeIni(QByteArray("[GEODETIC_PARAMETERS]\r\nUse Projection=") + c.tm + "\r\ncbUseLCCProjection=" + c.lcc + "\r\n");
        TFGPS& w = create();
        EXPECT_EQ(w.cbUseTMProjection->isChecked(), c.tmChecked) << c.tm << c.lcc;
        EXPECT_NE(w.cbUseLCCProjection->isChecked(), w.cbUseTMProjection->isChecked()) << c.tm << c.lcc;
        w.cbUseTMProjection->click();  // the user's click flips both
        EXPECT_NE(w.cbUseTMProjection->isChecked(), c.tmChecked);
        EXPECT_NE(w.cbUseLCCProjection->isChecked(), w.cbUseTMProjection->isChecked());
        EXPECT_EQ(w.GridTexts().useLambert, w.cbUseLCCProjection->isChecked());
    }
}

TEST_F(SettingsWindowTest, LambertOneParallelDisablesTheStandardParallels)
{
    TFGPS& w = create();
    for (bool oneParallel : {true, false, true}) {
        w.cLambert1->setChecked(oneParallel);
        EXPECT_EQ(w.eLCCSP1->isEnabled(), !oneParallel);
        EXPECT_EQ(w.eLCCSP2->isEnabled(), !oneParallel);
        for (QLineEdit* e : {w.eLCCCP, w.eLCCM, w.eLCCSF, w.eLCCFE, w.eLCCFN}) EXPECT_TRUE(e->isEnabled());
    }
}

TEST_F(SettingsWindowTest, LockSavesLogsRefreshesAndLocks)
{
    TFGPS& w = create();
    CountingCanvas canvas;
    canvas.GridVisible = false;
    w.SetCanvas(&canvas);  // the grid as creation read it
    EXPECT_TRUE(canvas.GridVisible);
    EXPECT_EQ(canvas.paints, 0);
    skerra::setListText(w.Port, "COM3");
    skerra::setListText(w.BaudRate, "4800");
    w.edGridSpacingX->setText("abc");
    w.edGridSpacingY->setText("25");
    w.edNameOfDatum->setText("ED50");
    w.cbGridColor->setColour(0x00FF00);  // by code: nothing runs
    EXPECT_EQ(DisplaySettings::GridColor, 0xC0C0C0);

    w.LockStateCheck1->setChecked(true);
    EXPECT_EQ(ini("LOCK SETTINGS", "Lock Settings"), "1");
    EXPECT_EQ(ini("GPS1 COMUNICATION SETTINGS", "Port No"), "COM3");
    EXPECT_EQ(ini("GRID_SETTINGS", "GridSpacingX"), "abc");
    EXPECT_EQ(ini("GRID_SETTINGS", "GridColor"), "65280");
    EXPECT_EQ(ini("SCREENSHOT", "Interval"), "60");
    EXPECT_TRUE(eventLog().contains("\tGPS: Port=COM3, Baud=4800\r\nAuto Event:\t2025-06-01 080000005\tSensor: Port="));
    EXPECT_TRUE(eventLog().contains("\tDatum: ED50, DTP=Yes"));
    EXPECT_EQ(DisplaySettings::GridSpacingX, 100.0);
    EXPECT_EQ(DisplaySettings::GridSpacingY, 25.0);
    EXPECT_EQ(canvas.GridSpacingY, 25.0);
    EXPECT_EQ(canvas.GridColor, 0x00FF00);
    EXPECT_GT(canvas.paints, 0);
    EXPECT_TRUE(settingsTabsEnabled(w, false));
    EXPECT_TRUE(w.TabSheet1->isEnabled());

    // Unlocking writes the lock key only and logs nothing.
    const QByteArray log = eventLog();
    w.edNameOfDatum->setText("WGS84");
    w.LockStateCheck1->setChecked(false);
    EXPECT_EQ(ini("LOCK SETTINGS", "Lock Settings"), "0");
    EXPECT_EQ(ini("GEODETIC_PARAMETERS", "Name of Datum"), "ED50");
    EXPECT_EQ(eventLog(), log);
    EXPECT_TRUE(settingsTabsEnabled(w, true));
    EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(SettingsWindowTest, RefusedLockSaveChangesNothingAndUnchecksTheBox)
{
    const QByteArray before = "[LOCK SETTINGS]\r\nLock Settings=0\r\n[GRID_SETTINGS]\r\nGridSpacingX=50\r\n";
    writeIni(before);
    TFGPS& w = create();
    w.edGridSpacingX->setText("75");
    int toggles = 0;
    QObject::connect(w.LockStateCheck1, &QCheckBox::toggled, [&] { ++toggles; });
    {
        NoFileCanBeOpened cap;
        w.LockStateCheck1->setChecked(true);
    }
    EXPECT_EQ(iniContent(), before);
    EXPECT_EQ(eventLog(), "<missing>");
    EXPECT_FALSE(w.LockStateCheck1->isChecked());
    EXPECT_EQ(toggles, 1);  // the user's check; the undo ran no handler
    EXPECT_TRUE(settingsTabsEnabled(w, true));
    EXPECT_EQ(DisplaySettings::GridSpacingX, 50.0);
    EXPECT_EQ(boxes_, QStringList{"Unable to write to " + iniPath() + " (Too many open files)"});
}

TEST_F(SettingsWindowTest, LockedStartSavesTheStoredScreenshotInterval)
{
    writeIni("[LOCK SETTINGS]\r\nLock Settings=1\r\n[SCREENSHOT]\r\nInterval=15\r\n");
    TFGPS& w = create();
    EXPECT_TRUE(w.LockStateCheck1->isChecked());
    EXPECT_TRUE(settingsTabsEnabled(w, false));
    EXPECT_EQ(w.eScreenshotInterval->text(), "15");
    EXPECT_EQ(ini("SCREENSHOT", "Interval"), "15");
    EXPECT_EQ(eventLog().count("=== SETTINGS SAVED ==="), 1);
}

TEST_F(SettingsWindowTest, LockOverrideIsReadAlikeAtCreationAndShow)
{
    const struct { const char* text; bool lockedAfterShow; } cases[] = {{"true", true}, {"1", true}, {"false", false}};
    for (const auto& c : cases) {
        writeIni(QByteArray("[LOCK SETTINGS]\r\nLock Settings=0\r\nSettings Locked (true/false)=") + c.text + "\r\n");
        TFGPS& w = create();
        EXPECT_TRUE(settingsTabsEnabled(w, !c.lockedAfterShow)) << c.text;
        EXPECT_FALSE(w.LockStateCheck1->isChecked()) << c.text;  // creation saves nothing
        w.show();
        EXPECT_EQ(w.LockStateCheck1->isChecked(), c.lockedAfterShow) << c.text;
        EXPECT_TRUE(settingsTabsEnabled(w, !c.lockedAfterShow)) << c.text;
        EXPECT_EQ(ini("LOCK SETTINGS", "Lock Settings"), c.lockedAfterShow ? "1" : "0") << c.text;
        w.hide();
    }
}

TEST_F(SettingsWindowTest, SetCopiesTheTabIntoTheDeviceAndReportsBadRows)
{
    TFGPS& w = create();
    THalvekSerialGPS gnss, sensor;
    gnss.BaudRate = 4800;
    EXPECT_FALSE(w.GPSSetApply(false));  // no devices yet
    w.SetDevices(&gnss, &sensor);
    QTemporaryFile port;  // a device file that exists
    ASSERT_TRUE(port.open());
    const QStringList texts{port.fileName(), "56000", "7", "2", "Even", "Normal", "200", "False", "False", "True", "True"};
    QComboBox* lists[] = {w.Port, w.BaudRate, w.DataWidth, w.StopBits, w.Parity, w.Priority,
                          w.Delay, w.NMEALog, w.LogTime, w.EnableDTR, w.EnableRTS};
    for (int i = 0; i < 11; ++i) skerra::setListText(lists[i], texts[i]);
    QStringList status;
    QObject::connect(&w, &TFGPS::StatusLineRequested, [&](const QString& t, bool) { status << t; });

    EXPECT_FALSE(w.GPSSetApply(true));
    EXPECT_EQ(gnss.Port, port.fileName());
    EXPECT_EQ(gnss.BaudRate, 4800);  // 56000 is no rate of the port: kept and reported
    EXPECT_EQ(gnss.DataBits, 3);
    EXPECT_EQ(gnss.StopBits, 3);
    EXPECT_EQ(gnss.Parity, 2);
    EXPECT_EQ(gnss.PollInterval, 200);
    EXPECT_TRUE(gnss.EnableDTR);
    EXPECT_EQ(gnss.LogFileName, LogFolder + "2025-06-01 ZQB_GNSS_V3.log");
    const QString line = "GPS Set - Baud Rate: 56000 is not a rate the port can use - the previous value is kept";
    EXPECT_EQ(status, QStringList{line});
    EXPECT_EQ(boxes_, QStringList{line});
    EXPECT_TRUE(eventLog().endsWith("\t" + line.toUtf8()));

    skerra::setListText(w.BaudRate, "115200");
    boxes_.clear();
    EXPECT_TRUE(w.GPSSetApply(false));
    EXPECT_EQ(gnss.BaudRate, 115200);
    EXPECT_TRUE(boxes_.isEmpty());
    EXPECT_EQ(sensor.BaudRate, 9600);  // the other device is the sensor tab's
}

TEST_F(SettingsWindowTest, AFirstStartChoosesNoPortAndADisabledSounderReportsNothing)
{
    TFGPS& w = create();  // no settings stored yet
    THalvekSerialGPS gnss, sensor;
    gnss.Port = sensor.Port = "/dev/ttyS0";  // whatever the devices held before
    w.SetDevices(&gnss, &sensor);
    EXPECT_TRUE(w.Port->currentText().isEmpty());
    EXPECT_TRUE(w.SPort->currentText().isEmpty());
    // Every other port list shows its design value, on both tabs.
    const QStringList design{"9600", "8", "1", "None", "Normal", "5", "False", "False", "True", "True"};
    const QComboBox* gpsLists[] = {w.BaudRate, w.DataWidth, w.StopBits, w.Parity, w.Priority,
                                   w.Delay,    w.NMEALog,   w.LogTime,  w.EnableDTR, w.EnableRTS};
    const QComboBox* sensorLists[] = {w.SBaudRate, w.SDataWidth, w.SStopBits, w.SParity, w.SPriority,
                                      w.SDelay,    w.SNMEALog,   w.SLogTime,  w.SEnableDTR, w.SEnableRTS};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(gpsLists[i]->currentText(), design[i]) << gpsLists[i]->objectName().toStdString();
        EXPECT_EQ(sensorLists[i]->currentText(), design[i]) << sensorLists[i]->objectName().toStdString();
    }
    // A Realtime start finds only the port unset, and reports nothing itself.
    QStringList quiet;
    QObject::connect(&w, &TFGPS::StatusLineRequested, [&](const QString& t, bool) { quiet << t; });
    EXPECT_EQ(w.PortSetAtStart(true), QStringList{"Port No"});
    EXPECT_EQ(w.PortSetAtStart(false), QStringList{"Port No"});
    EXPECT_TRUE(quiet.isEmpty());
    EXPECT_TRUE(boxes_.isEmpty());
    EXPECT_EQ(gnss.BaudRate, 9600);
    EXPECT_EQ(gnss.DataBits, 4);  // "8"
    QStringList status;
    QObject::connect(&w, &TFGPS::StatusLineRequested, [&](const QString& t, bool) { status << t; });

    w.GPSSetApply(false);
    EXPECT_TRUE(gnss.Port.isEmpty());
    EXPECT_TRUE(status.contains("GPS Set - Port No: no port chosen"));

    struct Case {
        const char* what;
        bool sensorEnabled, userClicked, reported;
    };
    const Case cases[] = {
        {"start without the sounder", false, false, false},
        {"start with the sounder", true, false, true},
        {"a click without the sounder", false, true, true},
    };
    for (const Case& c : cases) {
        status.clear();
        boxes_.clear();
        w.SensorEnabled->setChecked(c.sensorEnabled);
        w.SensorSetApply(c.userClicked);
        EXPECT_TRUE(sensor.Port.isEmpty()) << c.what;
        EXPECT_EQ(status.contains("SBES Set - Port No: no port chosen"), c.reported) << c.what;
        EXPECT_EQ(boxes_.isEmpty(), !c.userClicked) << c.what;
    }
    EXPECT_EQ(eventLog().count("SBES Set - Port No: no port chosen"), 2);
}

TEST_F(SettingsWindowTest, MessageTypeProposesItsFormatAndTheDepthFrame)
{
    TFGPS& w = create();
    std::vector<bool> frame;
    QObject::connect(&w, &TFGPS::LowFrequencyDepthRequested, [&](bool show) { frame.push_back(show); });
    auto choose = [&](const QString& type) {
        skerra::setListText(w.cSBESMessage, type);
        emit w.cSBESMessage->textActivated(type);
    };
    choose("Halvek XDR H/L");
    EXPECT_EQ(w.eSBESFormat->text(), "%*8s,%lf,%*8s,%lf");
    choose("NMEA DBT");
    EXPECT_EQ(w.eSBESFormat->text(), "%*6s,%*lf,%*1s,%lf");
    choose("nmea dpt");  // no type: nothing changes
    EXPECT_EQ(w.eSBESFormat->text(), "%*6s,%*lf,%*1s,%lf");
    choose("OTHER");
    EXPECT_EQ(w.eSBESFormat->text(), "");
    EXPECT_EQ(frame, (std::vector<bool>{true, false}));

    // The start-up check keeps a stored format.
    w.eSBESFormat->setText("%*5s,%lf");
    skerra::setListText(w.cSBESMessage, "Halvek XDR LO");
    w.cSBESMessageStartup();
    EXPECT_EQ(w.eSBESFormat->text(), "%*5s,%lf");
    EXPECT_EQ(frame, (std::vector<bool>{true, false, true}));
}

TEST_F(SettingsWindowTest, MonitorStartsAfreshPastAHundredLinesAndEchoResumesOnHide)
{
    TFGPS& w = create();
    for (int i = 1; i < 100; ++i) w.AddGpsMonitorLine(QString::number(i));
    EXPECT_EQ(w.MemoGPS->document()->blockCount(), 100);  // the first line and 99 more
    w.AddGpsMonitorLine("101st");
    EXPECT_EQ(w.MemoGPS->toPlainText(), "");
    w.AddGpsMonitorLine("next");
    EXPECT_EQ(w.MemoGPS->toPlainText(), "next");

    w.show();
    QWidget* viewport = w.MemoSensor->viewport();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), viewport->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &press);
    EXPECT_FALSE(w.EchoSentences);
    w.hide();
    EXPECT_TRUE(w.EchoSentences);
}

TEST_F(SettingsWindowTest, ScreenshotIntervalDrivesTheTimer)
{
    TFGPS& w = create();
    QTimer timer;
    w.SetScreenshotTimer(&timer);
    const struct { const char* text; int ms; bool active; } cases[] = {
        {"5", 5000, true}, {"0", 5000, false}, {"abc", 60000, true}, {"-1", 60000, false}, {"99999999", 86400000, true},
    };
    for (const auto& c : cases) {
        w.eScreenshotInterval->setText(c.text);
        if (c.active) EXPECT_EQ(timer.interval(), c.ms) << c.text;
        EXPECT_EQ(timer.isActive(), c.active) << c.text;
    }
    w.SetScreenshotTimer(nullptr);
    w.eScreenshotInterval->setText("7");  // no timer: nothing to drive
}

TEST_F(SettingsWindowTest, LiveDisplayHandlersApplyAtOnce)
{
    TFGPS& w = create();
    w.cbGridColor->pick(0x00FFFF);  // without a canvas: nothing at all
    EXPECT_EQ(DisplaySettings::GridColor, 0xC0C0C0);
    CountingCanvas canvas;
    w.SetCanvas(&canvas);
    w.cbGridColor->pick(0x00FFFF);
    EXPECT_EQ(canvas.GridColor, 0x00FFFF);
    EXPECT_EQ(DisplaySettings::GridColor, 0x00FFFF);
    w.edGridSpacingY->setText("25");
    w.cbAutoGrid->setChecked(true);
    EXPECT_EQ(canvas.GridSpacingX, 0.0);
    EXPECT_FALSE(w.edGridSpacingY->isEnabled());
    w.cbAutoGrid->setChecked(false);
    EXPECT_EQ(canvas.GridSpacingY, 25.0);
    EXPECT_EQ(DisplaySettings::GridSpacingY, 100.0);  // the record waits for a save
    w.edOverlayFontSize->setText("x");
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 40);
    w.edOverlayFontSize->setText("55");
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 55);
    w.cbOverlaySpeedColor->pick(0xFF0000);
    EXPECT_EQ(DisplaySettings::OverlaySpeedColor, 0xFF0000);
    w.cbShowDepthLabels->setChecked(false);
    EXPECT_FALSE(DisplaySettings::ShowDepthLabels);
}

TEST_F(SettingsWindowTest, ColourPickerHoldsAnyColourAndSignalsOnlyChoices)
{
    skerra::ColourPicker picker;
    std::vector<TColor> signalled;
    QObject::connect(&picker, &skerra::ColourPicker::colourChanged, [&](TColor c) { signalled.push_back(c); });
    const int items = picker.count();
    picker.setColour(0x123456);  // no standard colour: shown as its own item
    EXPECT_EQ(picker.colour(), 0x123456);
    EXPECT_EQ(picker.currentText(), "#563412");
    EXPECT_EQ(picker.count(), items + 1);
    picker.setColour(0x0000FF);
    EXPECT_EQ(picker.currentText(), "Red");
    EXPECT_EQ(picker.count(), items);
    EXPECT_TRUE(signalled.empty());
    emit picker.activated(picker.findText("Navy"));  // the user's choice
    EXPECT_EQ(picker.colour(), 0x800000);
    EXPECT_EQ(signalled, std::vector<TColor>{0x800000});
}

// Every caption fits its control on every tab; with SKERRA_SCREENSHOTS set, each tab is
// saved there as a picture.
TEST_F(SettingsWindowTest, EveryTabShowsItsCaptionsWhole)
{
    TFGPS& w = create();
    w.show();
    const QString folder = qEnvironmentVariable("SKERRA_SCREENSHOTS");
    for (int i = 0; i < w.SettingTabs->count(); ++i) {
        w.SettingTabs->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = w.SettingTabs->widget(i);
        for (QLabel* l : page->findChildren<QLabel*>())
            EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
        for (QCheckBox* b : page->findChildren<QCheckBox*>())
            EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
        for (QGroupBox* g : page->findChildren<QGroupBox*>())
            EXPECT_GE(g->width(), g->minimumSizeHint().width()) << g->title().toStdString();
        if (!folder.isEmpty()) w.grab().save(folder + QStringLiteral("/settings-tab%1.png").arg(i + 1));
    }
    EXPECT_GE(w.LockStateCheck1->width(), w.LockStateCheck1->sizeHint().width());
}

}  // namespace
