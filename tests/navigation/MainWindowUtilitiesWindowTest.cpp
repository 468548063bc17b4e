// The main window's small services on the window itself: the last-file panel and its
// click, Exit and Restart from the tool bar, and the remote-support command.

#include "MainWindowTestSupport.h"

#include "devices/serial/THalvekSerialGPS.h"
#include "navigation/TFNav.h"
#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/ProgramRestart.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <gtest/gtest.h>

namespace {

class MainWindowUtilitiesTest : public ::testing::Test {
protected:
    QAction* action(const char* name) const { return FNav->findChild<QAction*>(QString::fromLatin1(name)); }
    void clickStatusBar(int x)
    {
        const QPointF at(x, FNav->sStatusBar->height() / 2);
        QMouseEvent release(QEvent::MouseButtonRelease, at, FNav->sStatusBar->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(FNav->sStatusBar, &release);
    }

    mainwindowtest::TemporaryProgram program_;
};

TEST_F(MainWindowUtilitiesTest, PanelThreeShowsTheLastFilesFolderAndOpensItOnAClickOnEitherEdge)
{
    program_.Open();
    QStringList opened;
    FNav->OpenFolder = [&](const QString& folder) { opened << folder; };
    const StatusPanelLabel* panel = FNav->StatusPanel(3);

    clickStatusBar(panel->x() + 5);
    EXPECT_TRUE(opened.isEmpty());  // no file opened yet

    const QString layout = skerra::dataRoot() + "2026-12-10/QMT/2026-12-10 1405.hal";
    FNav->ShowLastFileFolder(layout);
    QCoreApplication::processEvents();
    const QString day = QDir::toNativeSeparators(QDir::cleanPath(skerra::dataRoot() + "2026-12-10"));
    EXPECT_EQ(panel->text(), day);
    // The panel asks for the text's width; short of room it gives way, with the whole text as its tooltip.
    EXPECT_EQ(panel->sizeHint().width(), panel->fontMetrics().horizontalAdvance(day) + 20);
    EXPECT_EQ(panel->toolTip(), panel->Elided() ? day : QString());

    const int left = panel->x(), right = panel->x() + panel->width();
    for (int x : {left - 1, left, right, right + 1}) clickStatusBar(x);
    EXPECT_EQ(opened, QStringList({day, day}));

    // A file chosen elsewhere: its own folder.
    opened.clear();
    FNav->ShowLastFileFolder("/srv/charts/harbour.dxf");
    clickStatusBar(FNav->StatusPanel(3)->x() + 1);
    EXPECT_EQ(opened, QStringList({QDir::toNativeSeparators("/srv/charts")}));
}

TEST_F(MainWindowUtilitiesTest, OpenLogFolderOpensTheDaysFolderThroughTheRealtimeWindow)
{
    program_.Open();
    QStringList opened;
    FNav->OpenFolder = [&](const QString& folder) { opened << folder; };
    action("OpenLogFolder1")->trigger();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_TRUE(QDir(opened.front()).exists()) << opened.front().toStdString();
    EXPECT_TRUE(opened.front().startsWith(QDir::toNativeSeparators(QDir::cleanPath(skerra::dataRoot()))))
        << opened.front().toStdString();
}

TEST_F(MainWindowUtilitiesTest, ExitFromTheToolBarClosesInOrder)
{
    program_.Open();
    const int width = FNav->width();  // as wide as the test screen lets it be
    action("bExit")->trigger();  // the process goes on: no abrupt end
    EXPECT_FALSE(FNav->isVisible());
    EXPECT_FALSE(FNav->ZGPS1->Connected());
    EXPECT_EQ(skerra::IniFile(skerra::settingsFilePath()).ReadInteger("FNav", "Width", -1), width);
}

TEST_F(MainWindowUtilitiesTest, RestartStartsTheNewInstanceOnlyAfterTheOldOneHasClosed)
{
    program_.Open();
    struct Launch {
        QString program;
        QStringList arguments;
        bool viewSaved;
        bool windowsGone;
    };
    std::vector<Launch> launches;
    skerra::setProgramLauncher([&](const QString& program, const QStringList& arguments) {
        launches.push_back({program, arguments,
                            skerra::IniFile(skerra::settingsFilePath()).ReadString("CANVAS", "PlanWorldLeft", "") != "",
                            FNav == nullptr});
        return true;
    });

    action("bRestart")->trigger();
    EXPECT_FALSE(FNav->isVisible());
    EXPECT_TRUE(launches.empty());  // not while this instance is still closing

    program_.Close();
    EXPECT_TRUE(skerra::startRequestedInstance());
    EXPECT_FALSE(skerra::startRequestedInstance());  // once
    skerra::setProgramLauncher({});
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(launches[0].arguments, QCoreApplication::arguments().mid(1));
    EXPECT_TRUE(launches[0].viewSaved);
    EXPECT_TRUE(launches[0].windowsGone);
}

TEST_F(MainWindowUtilitiesTest, RemoteSupportOnlyWithAConfiguredProgramBesideTheProgramWhenRelative)
{
    EXPECT_EQ(TFNav::RemoteSupportProgram(), "");
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("SETTINGS", "Remote Support Program", "support/helper");
    }
    EXPECT_EQ(TFNav::RemoteSupportProgram(), skerra::programFolder() + "support/helper");
    program_.Open();
    EXPECT_TRUE(action("RemoteSupport1")->isEnabled());
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("SETTINGS", "Remote Support Program", "/opt/support/helper");
    }
    EXPECT_EQ(TFNav::RemoteSupportProgram(), "/opt/support/helper");
}

}  // namespace
