// The main window's creation, first show and close, with its settings file, and the
// commands its menus and tool bars carry today.

#include "MainWindowTestSupport.h"

#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavLayers.h"
#include "navigation/TFNav.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfWaterfal.h"
#include "platform/AppPaths.h"
#include "platform/DisplaySettings.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"
#include "app/StartUp.h"
#include "shell/TFGPS.h"
#include "shell/TFMsg.h"
#include "shell/THalvekTranslation.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "shell/TformAbout.h"
#include "soundvelocity/TfSVP.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QCoreApplication>
#include <QGroupBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowLifecycleTest : public ::testing::Test {
protected:
    skerra::IniFile ini() const { return skerra::IniFile(skerra::settingsFilePath()); }
    void open() { program_.Open(); }
    void close() { program_.Close(); }
    QAction* action(const char* name) const { return FNav->findChild<QAction*>(QString::fromLatin1(name)); }

    mainwindowtest::TemporaryProgram program_;
    std::vector<QWidget*>& windows_ = program_.windows;
    QStringList& messages_ = program_.boxes;
};

TEST_F(MainWindowLifecycleTest, FirstStartWithoutASettingsFile)
{
    DisplaySettings::OverlayFontSize = 12;
    open();
    EXPECT_FALSE(QFile::exists(skerra::settingsFilePath()));
    ASSERT_TRUE(Translation);
    EXPECT_EQ(Translation->CurrentLanguage, "en");
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 40);
    EXPECT_EQ(FNav->windowTitle(), "Skerra - ");
    EXPECT_EQ(FNav->fcad->WorldLeft, 0);
    EXPECT_EQ(FNav->fcad->WorldTop, 1000);
    EXPECT_TRUE(FNav->fcad->GridAutoScale);
    EXPECT_EQ(FNav->fcad->DepthSpeedDisplayMode, 0);
    EXPECT_EQ(FNav->fcad->GGAOverlayPosition, 0);
    EXPECT_TRUE(FNav->tScreenshot->isActive());
    EXPECT_EQ(FNav->tScreenshot->interval(), 60000);
    EXPECT_FALSE(FNav->tMap->isActive());
    EXPECT_EQ(FNav->tMap->interval(), 200);
    EXPECT_TRUE(FNav->tEchogram->isActive());
    EXPECT_EQ(FNav->tEchogram->interval(), 200);
    EXPECT_TRUE(FNav->EchoSentences);

    // The standard layers are there, and the user draws on the user-shape layer.
    EXPECT_EQ(FNav->fcad->LayerFindByName("~~Halvek Vessel"), VesselLayerId);
    EXPECT_EQ(FNav->fcad->CurrentLayer, UserShapeLayerId);

    for (const std::string& folder : {DayFolder, LayoutFolder, LogFolder, XyzFolder, SvpFolder, DayFolder + "JPG",
                                      DayFolder + "MP4"})
        EXPECT_TRUE(QDir(QString::fromStdString(folder)).exists()) << folder;
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join('\n').toStdString();
}

TEST_F(MainWindowLifecycleTest, StatusBarHasSevenPanelsWithTheLanguageInTheFifth)
{
    {
        skerra::IniFile file = ini();
        file.WriteString("SETTINGS", "Language", "tr");
        file.WriteString("OVERLAY_SETTINGS", "FontSize", "28");
    }
    open();
    EXPECT_EQ(Translation->CurrentLanguage, "tr");
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 28);
    for (int i = 0; i < TFNav::StatusPanelCount; ++i) {
        QLabel* panel = FNav->StatusPanel(i);
        ASSERT_TRUE(panel) << i;
        EXPECT_TRUE(panel->isVisible()) << i;
        if (i != 4) EXPECT_EQ(panel->width(), 100) << i;
    }
    QLabel* language = FNav->StatusPanel(4);
    EXPECT_EQ(language->text(), "TR");
    EXPECT_EQ(language->width(), language->fontMetrics().horizontalAdvance("EN") + 16);
    Translation->SetLanguage("en");
}

TEST_F(MainWindowLifecycleTest, ScreenshotIntervalOfZeroOrLessSwitchesTheTimerOff)
{
    const struct { const char* stored; int intervalMs; bool active; } cases[] = {
        {"0", 0, false}, {"-5", 0, false}, {"15", 15000, true}, {"fifteen", 60000, true}, {"999999999", 86400000, true},
    };
    for (const auto& c : cases) {
        {
            skerra::IniFile file = ini();
            file.WriteString("SCREENSHOT", "Interval", c.stored);
        }
        open();
        EXPECT_EQ(FNav->tScreenshot->isActive(), c.active) << c.stored;
        if (c.active) EXPECT_EQ(FNav->tScreenshot->interval(), c.intervalMs) << c.stored;
        close();
    }
}

TEST_F(MainWindowLifecycleTest, StoredViewAndCaptionAreRestoredAndAnUnusableWindowFallsBack)
{
    {
        skerra::IniFile file = ini();
        file.WriteString("FILE", "Last File Saved", "/surveys/harbour.qmt");
        file.WriteString("CANVAS", "PlanWorldLeft", "700");
        file.WriteString("CANVAS", "PlanWorldRight", "200");  // turned over: unusable
        file.WriteString("CANVAS", "PlanWorldTop", "900");
        file.WriteString("CANVAS", "PlanWorldBottom", "100");
        file.WriteString("CANVAS", "GridAutoScale", "0");
        file.WriteString("CANVAS", "DepthSpeedDisplayMode", "2");
        file.WriteString("CANVAS", "GGAOverlayPosition", "3");
    }
    open();
    EXPECT_EQ(FNav->windowTitle(), "Skerra - /surveys/harbour.qmt");
    EXPECT_EQ(FNav->fcad->WorldLeft, 0);
    EXPECT_EQ(FNav->fcad->WorldTop, 1000);
    EXPECT_GT(FNav->fcad->WorldRight, FNav->fcad->WorldLeft);
    EXPECT_FALSE(FNav->fcad->GridAutoScale);
    EXPECT_EQ(FNav->fcad->DepthSpeedDisplayMode, 2);
    EXPECT_EQ(FNav->fcad->GGAOverlayPosition, 3);
}

// A layout brings its own layers before the first show; the show keeps their ids,
// appends the missing standard layers and empties the vessel and grid layers.
TEST_F(MainWindowLifecycleTest, LayersBroughtBeforeTheFirstShowKeepTheirIds)
{
    windows_ = skerra::createApplicationWindows();
    THalvekCanvas* chart = FNav->fcad;
    const int harbour = chart->LayerOpen("harbour");
    const int grid = chart->LayerOpen("Halvek Grid");
    const int vessel = chart->LayerOpen("~~Halvek Vessel");
    chart->DrawLine(0, 0, 10, 10, grid);
    chart->DrawCircle(5, 5, 2, vessel);
    chart->DrawLine(1, 1, 2, 2, harbour);
    FNav->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(GridLayerId, grid);
    EXPECT_EQ(VesselLayerId, vessel);
    EXPECT_EQ(chart->Renderer().alwaysDrawnLayer(), vessel);  // never hidden by the drawing limit
    EXPECT_TRUE(chart->ShapesOnLayer(grid).empty());
    EXPECT_TRUE(chart->ShapesOnLayer(vessel).empty());
    EXPECT_EQ(chart->ShapesOnLayer(harbour).size(), 1u);
    EXPECT_EQ(chart->LayerFindByName("track_fix"), TrackFixLayerId);
    EXPECT_GT(TrackFixLayerId, vessel);
    EXPECT_EQ(chart->CurrentLayer, UserShapeLayerId);
}

TEST_F(MainWindowLifecycleTest, ExitWritesTheChartViewAndClosesTheToolWindows)
{
    open();
    FGPS->show();
    Offsets->show();
    FNav->fcad->WorldSet(-50.25, 4000.5, 950.75, 3000);
    FNav->fcad->GridAutoScale = false;
    FNav->fcad->DepthSpeedDisplayMode = 1;
    FNav->fcad->GGAOverlayPosition = 2;
    const double right = FNav->fcad->WorldRight;
    const double bottom = FNav->fcad->WorldBottom;
    // The sound-velocity window left open with its profile in use.
    fSVP->show();
    fSVP->eMaxDepth->setText("2");
    fSVP->mSVPColumn->setPlainText("1500.00\n1500.00\n1500.00");
    fSVP->cUseSVP->setChecked(true);
    const int width = FNav->width();  // as wide as the test screen lets it be
    action("Exit1")->trigger();
    EXPECT_FALSE(FNav->isVisible());
    EXPECT_FALSE(FGPS->isVisible());
    EXPECT_FALSE(Offsets->isVisible());
    EXPECT_FALSE(fSVP->isVisible());
    EXPECT_FALSE(FNav->Realtime->isEnabled());

    const skerra::IniFile file = ini();
    EXPECT_EQ(file.ReadFloat("CANVAS", "PlanWorldLeft", 0), -50.25);
    EXPECT_EQ(file.ReadFloat("CANVAS", "PlanWorldTop", 0), 4000.5);
    EXPECT_EQ(file.ReadFloat("CANVAS", "PlanWorldRight", 0), right);
    EXPECT_EQ(file.ReadFloat("CANVAS", "PlanWorldBottom", 0), bottom);
    EXPECT_FALSE(file.ReadBool("CANVAS", "GridAutoScale", true));
    EXPECT_EQ(file.ReadInteger("CANVAS", "DepthSpeedDisplayMode", -1), 1);
    EXPECT_EQ(file.ReadInteger("CANVAS", "GGAOverlayPosition", -1), 2);
    EXPECT_TRUE(file.ReadBool("SVP", "cUseSVP", false));
    EXPECT_EQ(file.ReadString("SVP", "eMaxDepth", ""), "2");
    EXPECT_EQ(file.ReadInteger("FNav", "Width", -1), width);

    // The next start shows the same view.
    close();
    open();
    EXPECT_EQ(FNav->fcad->WorldLeft, -50.25);
    EXPECT_EQ(FNav->fcad->WorldTop, 4000.5);
    EXPECT_FALSE(FNav->fcad->GridAutoScale);
    EXPECT_TRUE(fSVP->cUseSVP->isChecked());  // the next survey corrects with the profile again
}

// Two media folders that cannot be made (files stand in their place) give one report,
// in the message window on the screen.
TEST_F(MainWindowLifecycleTest, DataFoldersThatCannotBeMadeAreReportedOnce)
{
    QDir().mkpath(QString::fromStdString(LogFolder));
    for (const char* blocked : {"JPG", "MP4"}) {
        QFile file(QString::fromStdString(DayFolder) + blocked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    open();
    const QString expected = "Cannot create log folder " + QDir::toNativeSeparators(QString::fromStdString(DayFolder)) +
                             "JPG. Check if you are authorized create folder at this address.";
    EXPECT_EQ(LastStatusMessage, expected);
    EXPECT_EQ(FMsg->statusLines().count(expected), 1);
    EXPECT_TRUE(FMsg->isVisible());
    QFile log(QString::fromStdString(TodaysEventLogPath()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(log.readAll()).count("Cannot create log folder"), 1);
}

TEST_F(MainWindowLifecycleTest, RealtimeButtonCaptionFollowsItsState)
{
    windows_ = skerra::createApplicationWindows();
    EXPECT_EQ(FNav->Realtime->text(), "Start");
    EXPECT_EQ(FNav->Realtime->size(), QSize(70, 28));
    EXPECT_TRUE(FNav->Realtime->font().bold());
    FNav->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(FNav->Realtime->text(), "Realtime");
    EXPECT_TRUE(FNav->Realtime->isCheckable());
    FNav->Realtime->click();
    EXPECT_TRUE(FNav->Realtime->isChecked());
    EXPECT_EQ(FNav->Realtime->text(), "Stop");
    FNav->Realtime->click();
    EXPECT_FALSE(FNav->Realtime->isChecked());
    EXPECT_EQ(FNav->Realtime->text(), "Start");
}

TEST_F(MainWindowLifecycleTest, MenusHoldTheirItemsAndGreyThoseNotInTheProgramYet)
{
    open();
    QStringList menus;
    for (QAction* top : FNav->MainMenu1->actions()) menus << top->text();
    EXPECT_EQ(menus, QStringList({"File", "Zoom", "Tools", "Edit", "Window", "Help"}));

    const struct { const char* name; const char* caption; const char* shortcut; bool enabled; } items[] = {
        {"New1", "New", "Ctrl+N", true},
        {"Open1", "Open...", "Ctrl+O", true},
        {"Save1", "Save", "Ctrl+S", true},
        {"SaveAs1", "Save As...", "Ctrl+W", true},
        {"Import1", "Import...", "Ctrl+I", true},
        {"Export1", "Export...", "Ctrl+X", true},
        {"Exit1", "Exit", "", true},
        {"In1", "In", "", true},
        {"Out1", "Out", "", true},
        {"Window1", "Window", "", true},
        {"Dynamic1", "Dynamic", "Ctrl+Alt+D", true},
        {"Extents1", "Extents", "Ctrl+Alt+E", true},
        {"VesselShape1", "Vessel Shape...", "", true},
        {"OpenLogFolder1", "Open Log Folder", "Ctrl+L", true},
        {"LatencyWatchSet1", "Latency Watch/Set", "", true},
        {"TranslationEditor1", "Translation Editor", "", true},
        {"Followvessel1", "Follow vessel", "", true},
        {"Donotfollowvessel1", "Do not follow vessel", "", true},
        {"Cleartracksfixed1", "Clear tracks fixed", "", true},
        {"Cleartracksunfixed1", "Clear tracks unfixed", "", true},
        {"Clearshapesuseradded1", "Clear shapes user added", "", true},
        {"Deletetracksselected1", "Delete tracks selected", "", true},
        {"MarkEvent1", "Mark Event", "F12", true},
        {"Parameters1", "Device Settings...", "F10", true},
        {"NavigationSettings1", "Navigation Settings...", "", true},
        {"OffsetsandValues1", "Offsets...", "", true},
        {"mRealtimeWindow1", "Realtime Window...", "", true},
        {"Echogram1", "Echogram", "", true},
        {"SoundVelocityProfile1", "Sound Velocity Profile...", "", true},
        {"Generate1", "Generate Runline...", "", true},
        {"HalvekNTRIPClient1", "Halvek NTRIP Client...", "", true},
        {"themeSelection1", "Theme Selection...", "", true},
        {"RemoteSupport1", "Remote Support...", "", false},
        {"About1", "About...", "", true},
    };
    for (const auto& item : items) {
        QAction* a = action(item.name);
        ASSERT_TRUE(a) << item.name;
        EXPECT_EQ(a->text(), item.caption) << item.name;
        EXPECT_EQ(a->shortcut().toString(), item.shortcut) << item.name;
        EXPECT_EQ(a->isEnabled(), item.enabled) << item.name;
    }
    EXPECT_EQ(FNav->TranslationEditor1, action("TranslationEditor1"));
}

TEST_F(MainWindowLifecycleTest, WindowCommandsShowTheirWindows)
{
    open();
    const struct { const char* command; QWidget* window; } commands[] = {
        {"Parameters1", FGPS},     {"ConnectIcon", FGPS},  {"OffsetsandValues1", Offsets},
        {"LatencyWatchSet1", fLatency},
    };
    for (const auto& c : commands) {
        c.window->hide();
        action(c.command)->trigger();
        EXPECT_TRUE(c.window->isVisible()) << c.command;
    }
    action("About1")->trigger();
    EXPECT_TRUE(formAbout->isVisible());
    EXPECT_TRUE(formAbout->isModal());
    formAbout->hide();

    // The echogram needs a connected sounder.
    action("Echogram1")->trigger();
    EXPECT_FALSE(fWaterfal->isVisible());
    EXPECT_EQ(messages_, QStringList("Sensor is not connected. Connect sensor to view waterfall."));
}

TEST_F(MainWindowLifecycleTest, ToolBarButtonsCarryIconsWithTheirCaptionsAsToolTips)
{
    open();
    for (QToolBar* bar : {FNav->tRealtime, FNav->tDraw, FNav->tShape}) {
        int buttons = 0;
        for (QAction* a : bar->actions()) {
            if (a->isSeparator() || a->objectName().isEmpty()) continue;
            ++buttons;
            EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << a->objectName().toStdString();
            EXPECT_EQ(a->toolTip(), a->text()) << a->objectName().toStdString();
        }
        EXPECT_GE(buttons, 9) << bar->objectName().toStdString();
    }
    EXPECT_EQ(FNav->tShape->width(), 24);
    EXPECT_EQ(FNav->tShape->orientation(), Qt::Vertical);
    EXPECT_FALSE(FNav->windowIcon().isNull());
    EXPECT_EQ(FNav->tRealtime->widgetForAction(FNav->tRealtime->actions().first()), FNav->Realtime);
}

TEST_F(MainWindowLifecycleTest, RealtimeWindowSwitchesTheCompactLayoutAndFollowsTheMessageType)
{
    open();
    fRealtime->show();
    fWaterfal->show();
    fRealtime->btHide->click();  // compact: only the chart
    EXPECT_EQ(fRealtime->CompactState(), 1);
    EXPECT_FALSE(fRealtime->isVisible());
    EXPECT_FALSE(FNav->tRealtime->isVisible());
    EXPECT_FALSE(FNav->pRealtime->isVisible());
    EXPECT_FALSE(FNav->MainMenu1->isVisible());
    EXPECT_FALSE(fWaterfal->isVisible());
    fRealtime->btHide->click();  // back; the sounder is not connected: no echogram
    EXPECT_EQ(fRealtime->CompactState(), 0);
    EXPECT_TRUE(fRealtime->isVisible());
    EXPECT_TRUE(FNav->tRealtime->isVisible());
    EXPECT_TRUE(FNav->MainMenu1->isVisible());
    EXPECT_FALSE(fWaterfal->isVisible());

    const double width = FNav->fcad->WorldRight - FNav->fcad->WorldLeft;
    fRealtime->ToolButton2->click();
    EXPECT_LT(FNav->fcad->WorldRight - FNav->fcad->WorldLeft, width);

    // The start-up step shows or hides the low-frequency depth for the loaded type.
    const struct {
        const char* type;
        bool low;
    } types[] = {{"Halvek XDR H/L", true}, {"NMEA DPT", false}};
    for (const auto& t : types) {
        FGPS->cSBESMessage->setCurrentText(QString::fromLatin1(t.type));
        emit fRealtime->StartupTypeRequested();
        EXPECT_EQ(!fRealtime->DepthFrameLo->isHidden(), t.low) << t.type;
    }
}

}  // namespace
