// The main window's survey events and chart commands, driven as the user drives them:
// tool-bar and menu actions, clicks on the chart, keys and message-box answers.

#include "MainWindowTestSupport.h"

#include "canvas/widget/CanvasStatusSource.h"
#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavLayers.h"
#include "navigation/TFNav.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfWaterfal.h"
#include "shell/TNavset.h"
#include "navigation/survey/SurveyEngine.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        skerra::setClockForTesting([] { return QDateTime(QDate(2026, 3, 4), QTime(8, 15, 2, 7)); });
        program_.Open();
        InitSharedHeaderGlobals();
        QDir().mkpath(QString::fromStdString(LogFolder));
        chart = FNav->fcad;
        chart->WorldSet(0, 1000, 1000, 0);
        skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes << r.text;
            return r.buttons & skerra::MbYes ? answer : int(skerra::MbOk);
        });
    }
    void TearDown() override { skerra::setClockForTesting({}); }

    void trigger(const char* action)
    {
        QAction* a = FNav->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_TRUE(a) << action;
        a->trigger();
    }
    // A press and release at a world point.
    void click(int button, double x, double y)
    {
        int sx = 0, sy = 0;
        chart->WorldToScreen(x, y, sx, sy);
        chart->MouseDown(button, 0, sx, sy);
        chart->MouseUp(button, 0, sx, sy);
    }
    void drawPolygon(std::initializer_list<std::pair<double, double>> vertices)
    {
        for (const auto& [x, y] : vertices) click(1, x, y);
        click(2, vertices.begin()->first, vertices.begin()->second);
    }
    // A key pressed while the target has the focus (the window itself: nothing has it).
    void key(Qt::Key k, QWidget* target)
    {
        FNav->activateWindow();
        QCoreApplication::processEvents();
        if (target == FNav && QApplication::focusWidget()) QApplication::focusWidget()->clearFocus();
        if (target != FNav) target->setFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), target == FNav ? nullptr : target);
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    // Keys pressed on the main window, the chart having the focus.
    void pressOnWindow(QKeyCombination keys)
    {
        FNav->activateWindow();
        chart->setFocus();
        QCoreApplication::processEvents();
        QKeyEvent press(QEvent::KeyPress, keys.key(), keys.keyboardModifiers());
        QApplication::sendEvent(chart, &press);
        QCoreApplication::processEvents();
    }
    QString panel(int i) const { return FNav->StatusPanel(i)->text(); }
    // The panel of the chart commands' prompts and results.
    QString prompt() const { return panel(TFNav::PromptPanel); }
    static QByteArray eventLog()
    {
        QFile f(QString::fromStdString(TodaysEventLogPath()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QString iniValue(const char* section, const char* key)
    {
        return skerra::IniFile(skerra::settingsFilePath()).ReadString(section, key, "<none>");
    }
    size_t shapesOn(const char* layer) const
    {
        const int id = chart->LayerFindByName(QString::fromLatin1(layer));
        return id < 0 ? 0 : chart->ShapesOnLayer(id).size();
    }

    mainwindowtest::TemporaryProgram program_;
    THalvekCanvas* chart = nullptr;
    QStringList boxes;
    int answer = skerra::MbYes;
};

// Shapes drawn in any mode land on the user-shape layer, whatever layer the chart had
// current; drawing never starts or stops the map timer.
TEST_F(MainWindowCommandsTest, DrawingModesDrawOnTheUserLayerAndLeaveTheMapTimer)
{
    const struct { const char* action; std::vector<std::pair<double, double>> clicks; bool rightClick; } modes[] = {
        {"ToolButton7", {{100, 100}}, false},                            // point
        {"ToolButton12", {{100, 100}, {300, 200}}, true},                // line
        {"ToolButton23", {{100, 100}, {300, 200}, {500, 100}}, true},    // polyline
        {"ToolButton28", {{100, 100}, {300, 200}, {500, 100}}, true},    // polygon
    };
    for (bool running : {true, false}) {
        for (const auto& m : modes) {
            chart->CadClearShapes(UserShapeLayerId);
            if (running) FNav->tMap->start(); else FNav->tMap->stop();
            chart->CurrentLayer = VesselLayerId;
            trigger(m.action);
            for (const auto& [x, y] : m.clicks) {
                click(1, x, y);
                EXPECT_EQ(FNav->tMap->isActive(), running) << m.action;
            }
            if (m.rightClick) click(2, 0, 0);
            EXPECT_EQ(FNav->tMap->isActive(), running) << m.action;
            EXPECT_EQ(chart->ShapesOnLayer(UserShapeLayerId).size(), 1u) << m.action;
            EXPECT_TRUE(chart->ShapesOnLayer(VesselLayerId).empty()) << m.action;
        }
        // Esc ends a drawing without a shape and without touching the timer.
        trigger("ToolButton23");
        click(1, 100, 100);
        click(1, 200, 200);
        key(Qt::Key_Escape, chart);
        EXPECT_FALSE(chart->DrawingActive);
        EXPECT_EQ(FNav->tMap->isActive(), running);
    }
    FNav->tMap->stop();
}

TEST_F(MainWindowCommandsTest, TrackClearingAsksClearsItsOwnLayerAndLogsIt)
{
    const struct { const char* action; const char* layer; const char* question; const char* logText; } commands[] = {
        {"tbFixed", "track_fix", "Fixed tracking points to be cleared. Continue?", "Cleared Fixed tracklines"},
        {"Cleartracksfixed1", "track_fix", "Fixed tracking points to be cleared. Continue?", "Cleared Fixed tracklines"},
        {"tbFloat", "track_float", "Float/DGPS tracking points to be cleared. Continue?",
         "Cleared Float/DGPS tracklines"},
        {"Cleartracksunfixed1", "track_float", "Float/DGPS tracking points to be cleared. Continue?",
         "Cleared Float/DGPS tracklines"},
        {"tbAuto", "track_nofix", "Autonomous tracking points to be cleared. Continue?", "Cleared NoFix tracklines"},
    };
    const char* layers[] = {"track_fix", "track_float", "track_nofix", "halvek_usershape"};
    for (const auto& c : commands) {
        for (const char* layer : layers) {
            chart->CadClearShapes(chart->LayerFindByName(layer));
            chart->DrawPoint(10, 10, chart->LayerFindByName(layer));
            chart->DrawPoint(20, 20, chart->LayerFindByName(layer));
        }
        const QByteArray logBefore = eventLog();
        boxes.clear();
        answer = skerra::MbNo;
        trigger(c.action);
        EXPECT_EQ(boxes, QStringList{c.question}) << c.action;
        for (const char* layer : layers) EXPECT_EQ(shapesOn(layer), 2u) << c.action << " answered No: " << layer;
        EXPECT_EQ(eventLog(), logBefore) << c.action;

        answer = skerra::MbYes;
        trigger(c.action);
        for (const char* layer : layers)
            EXPECT_EQ(shapesOn(layer), std::string(layer) == c.layer ? 0u : 2u) << c.action << ": " << layer;
        EXPECT_EQ(eventLog(), logBefore + "\r\nAuto Event:\t2026-03-04 081502007\t" + c.logText) << c.action;
    }
}

TEST_F(MainWindowCommandsTest, ClearUserShapesAsksFirst)
{
    chart->DrawPoint(10, 10, UserShapeLayerId);
    chart->DrawPoint(10, 10, TrackFixLayerId);
    answer = skerra::MbNo;
    trigger("ToolButton11");
    EXPECT_EQ(boxes, QStringList{"User added shapes to be deleted! Continue?"});
    EXPECT_EQ(chart->ShapesOnLayer(UserShapeLayerId).size(), 1u);
    answer = skerra::MbYes;
    trigger("Clearshapesuseradded1");
    EXPECT_TRUE(chart->ShapesOnLayer(UserShapeLayerId).empty());
    EXPECT_EQ(chart->ShapesOnLayer(TrackFixLayerId).size(), 1u);
}

// Select Track, Delete Slected, then a shape selection: the Delete key still deletes it.
TEST_F(MainWindowCommandsTest, SelectionsAndDeleteKeepWorkingInAnyOrder)
{
    const long track1 = chart->DrawPoint(100, 100, TrackFixLayerId);
    const long track2 = chart->DrawPoint(150, 120, TrackNoFixLayerId);
    const long trackOut = chart->DrawPoint(800, 800, TrackFixLayerId);
    const long user = chart->DrawPoint(120, 110, UserShapeLayerId);

    trigger("bSelectTracks");
    EXPECT_EQ(prompt(), "Draw polygon to select tracks (right-click to finish)");
    drawPolygon({{50, 50}, {300, 50}, {300, 300}, {50, 300}});
    EXPECT_EQ(prompt(), "2 track(s) selected. Press Delete to remove.");
    EXPECT_FALSE(FNav->SelectTracksMode);
    EXPECT_EQ(chart->SelectedShapeCount(), 2);
    EXPECT_EQ(shapesOn("Halvek_SelectPoly"), 0u);  // the selection polygon goes
    trigger("bDelSelected");
    EXPECT_FALSE(chart->FindShape(track1));
    EXPECT_FALSE(chart->FindShape(track2));
    EXPECT_TRUE(chart->FindShape(trackOut));
    EXPECT_TRUE(chart->FindShape(user));

    trigger("bMouseSelect");
    EXPECT_EQ(prompt(), "Draw polygon to select shapes (right-click to finish)");
    drawPolygon({{50, 50}, {300, 50}, {300, 300}, {50, 300}});
    EXPECT_EQ(prompt(), "1 shape(s) selected. Press Delete to remove.");
    key(Qt::Key_Delete, chart);
    EXPECT_FALSE(chart->FindShape(user));
    EXPECT_TRUE(chart->FindShape(trackOut));

    // The Edit menu's command deletes as well, after any number of deletes.
    trigger("bSelectTracks");
    drawPolygon({{700, 700}, {900, 700}, {900, 900}});
    trigger("bDelSelected");
    EXPECT_EQ(chart->SelectedShapeCount(), 0);
    const long again = chart->DrawPoint(810, 810, TrackFixLayerId);
    trigger("bSelectTracks");
    drawPolygon({{700, 700}, {900, 700}, {900, 900}});
    trigger("Deletetracksselected1");
    EXPECT_FALSE(chart->FindShape(again));
    EXPECT_FALSE(chart->FindShape(trackOut));
}

TEST_F(MainWindowCommandsTest, SelectionCommandsArmOneModeAndEscDisarms)
{
    trigger("bSelectTracks");
    trigger("bMouseSelect");
    EXPECT_TRUE(FNav->SelectShapesMode);
    EXPECT_FALSE(FNav->SelectTracksMode);
    trigger("bSelectTracks");
    EXPECT_TRUE(FNav->SelectTracksMode);
    EXPECT_FALSE(FNav->SelectShapesMode);

    const long user = chart->DrawPoint(120, 110, UserShapeLayerId);
    chart->ShapeSelect(user, false);
    click(1, 100, 100);  // the polygon's first vertex
    key(Qt::Key_Escape, chart);
    EXPECT_FALSE(FNav->SelectTracksMode);
    EXPECT_FALSE(chart->DrawingActive);  // the chart cancelled its drawing as well
    EXPECT_EQ(chart->SelectedShapeCount(), 0);
    EXPECT_EQ(prompt(), "");

    // A polygon of two vertices selects nothing, uses the mode up and leaves the prompt.
    trigger("bMouseSelect");
    chart->ShapeSelect(user, false);
    drawPolygon({{50, 50}, {300, 300}});
    EXPECT_FALSE(FNav->SelectShapesMode);
    EXPECT_EQ(prompt(), "Draw polygon to select shapes (right-click to finish)");
}

TEST_F(MainWindowCommandsTest, KeysReachTheWindowBeforeTheChart)
{
    const int depthMode = chart->DepthSpeedDisplayMode;
    const int ggaPosition = chart->GGAOverlayPosition;
    key(Qt::Key_F2, chart);
    key(Qt::Key_F3, chart);
    key(Qt::Key_F3, FNav);
    EXPECT_EQ(chart->DepthSpeedDisplayMode, (depthMode + 1) % 4);
    EXPECT_EQ(chart->GGAOverlayPosition, (ggaPosition + 2) % 4);

    // Esc in the compact layout brings the normal layout back, once per press.
    fRealtime->btHide->click();
    ASSERT_EQ(fRealtime->CompactState(), 1);
    key(Qt::Key_Escape, FNav);
    EXPECT_EQ(fRealtime->CompactState(), 0);
    EXPECT_TRUE(FNav->tRealtime->isVisibleTo(FNav));
}

// The menu commands' keys run their command once in the normal layout and also in the
// compact one, where the menu bar is hidden.
TEST_F(MainWindowCommandsTest, MenuShortcutsRunTheirCommandOnceInBothLayouts)
{
    const struct {
        const char* action;
        QKeyCombination keys;
    } shortcuts[] = {
        {"MarkEvent1", QKeyCombination(Qt::Key_F12)},
        {"Save1", QKeyCombination(Qt::ControlModifier, Qt::Key_S)},
        {"Extents1", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_E)},
        {"Dynamic1", QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_D)},
    };
    for (const bool compact : {false, true}) {
        if (compact) fRealtime->btHide->click();
        ASSERT_EQ(FNav->MainMenu1->isVisible(), !compact);
        for (const auto& s : shortcuts) {
            QAction* action = FNav->findChild<QAction*>(QString::fromLatin1(s.action));
            ASSERT_TRUE(action) << s.action;
            int runs = 0;
            const auto counter = QObject::connect(action, &QAction::triggered, [&runs] { ++runs; });
            pressOnWindow(s.keys);
            QObject::disconnect(counter);
            EXPECT_EQ(runs, 1) << s.action << (compact ? " compact" : " normal");
        }
    }
    EXPECT_EQ(chart->EventLabels.size(), 2u);  // one mark per press of F12
    fRealtime->btHide->click();
}

TEST_F(MainWindowCommandsTest, MeasureAndClickedPoint)
{
    FNav->fcadWorldMouseDown(chart, 1, 0, 0, 123.456, -654.321);
    EXPECT_EQ(panel(2), "Clicked: E123.46, N-654.32");
    FNav->fcadWorldMouseDown(chart, 4, 0, 0, 0.004, 5);
    EXPECT_EQ(panel(2), "Clicked: E0.00, N5.00");

    FNav->fcadWorldMouseDown(chart, 2, 0, 0, 100, 100);  // starts the window's own measure
    EXPECT_TRUE(FNav->MeasureActive);
    EXPECT_EQ(panel(2), "Clicked: E0.00, N5.00");
    const struct { double x, y, distance, bearing; } moves[] = {
        {40, 100, 60, 270}, {100, 150, 50, 0}, {130, 60, 50, 143.13010235415598}, {100, 100, 0, 0},
    };
    for (const auto& m : moves) {
        FNav->fcadWorldMouseMove(chart, 0, m.x, m.y, 0, 0);
        EXPECT_NEAR(chart->MeasureDistance, m.distance, 1e-9);
        EXPECT_NEAR(chart->MeasureBearing, m.bearing, 1e-9);
    }
    FNav->fcadWorldMouseDown(chart, 2, 0, 0, 100, 100);
    EXPECT_FALSE(FNav->MeasureActive);
    EXPECT_EQ(FNav->MeasureStartX, 0);
}

// A double click on the position box switches to the compact layout; in the compact
// layout it brings the normal one back without the realtime window.
TEST_F(MainWindowCommandsTest, DoubleClickOnThePositionBoxSwitchesTheLayout)
{
    CanvasStatusValues status;
    status.text = "RTK FIX  Sats 12";
    chart->SetStatusSource(&status);
    QPoint inside(-1, -1);
    for (int y = 0; y < chart->height() && inside.x() < 0; y += 2)
        for (int x = 0; x < chart->width() && inside.x() < 0; x += 2)
            if (chart->IsPointInGGAOverlay(x, y)) inside = QPoint(x, y);
    ASSERT_GE(inside.x(), 0);
    const auto doubleClickAt = [&](QPoint at) {
        QCursor::setPos(chart->mapToGlobal(at));
        ASSERT_EQ(chart->mapFromGlobal(QCursor::pos()), at);
        FNav->fcadDblClick(chart);
        QCoreApplication::processEvents();
    };

    doubleClickAt(QPoint(inside.x() + 400, inside.y() + 300));  // off the box: nothing
    EXPECT_EQ(fRealtime->CompactState(), 0);
    doubleClickAt(inside);
    EXPECT_EQ(fRealtime->CompactState(), 1);
    EXPECT_FALSE(FNav->tRealtime->isVisibleTo(FNav));
    EXPECT_FALSE(fRealtime->isVisible());

    doubleClickAt(inside);
    EXPECT_EQ(fRealtime->CompactState(), 0);
    for (QWidget* bar : {static_cast<QWidget*>(FNav->tRealtime), static_cast<QWidget*>(FNav->tDraw),
                         FNav->pRealtime, static_cast<QWidget*>(FNav->tShape)})
        EXPECT_TRUE(bar->isVisibleTo(FNav)) << bar->objectName().toStdString();
    EXPECT_TRUE(Navset->isVisible());
    EXPECT_FALSE(fRealtime->isVisible());
    EXPECT_FALSE(fWaterfal->isVisible());  // no depth seen yet
    chart->SetStatusSource(&FNav->Survey());
}

// Add, Add, Reset answered No, Reset answered Yes, Add: 1, 2, 1; the old labels stay.
TEST_F(MainWindowCommandsTest, EventNumbersCountOnAndRestart)
{
    trigger("btEventAdd");
    trigger("MarkEvent1");
    answer = skerra::MbNo;
    trigger("btEventReset");
    EXPECT_EQ(iniValue("EVENTS", "Event Number"), "2");
    answer = skerra::MbYes;
    trigger("btEventReset");
    EXPECT_EQ(iniValue("EVENTS", "Event Number"), "0");
    trigger("btEventAdd");
    EXPECT_EQ(iniValue("EVENTS", "Event Number"), "1");

    ASSERT_EQ(chart->EventLabels.size(), 3u);
    const int numbers[] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(chart->EventLabels[i].eventNumber, numbers[i]);
        EXPECT_EQ(chart->EventLabels[i].x, 0);
        EXPECT_EQ(chart->EventLabels[i].y, 0);
    }
    EXPECT_EQ(boxes, (QStringList{"Event ID will restart from 1 again. Continue?",
                                  "Event ID will restart from 1 again. Continue?"}));
    const QByteArray entry = ",Date & Time:2026-03-04 081502007,Easting:0.00,Northing:0.00,"
                             "True Depth:---,True Depth:---,Heading:0.00";
    EXPECT_EQ(eventLog(), "\r\nEvent No:1" + entry + "\r\nEvent No:2" + entry +
                              "\r\nAuto Event:\t2026-03-04 081502007\tEvent number was reset.\r\nEvent No:1" + entry);
}

// A settings file that refuses the counter gets no label and no entry: the number is
// never given twice.
TEST_F(MainWindowCommandsTest, RefusedCounterMarksNothing)
{
    trigger("btEventAdd");
    const QByteArray logBefore = eventLog();
    const QString ini = skerra::settingsFilePath();
    ASSERT_TRUE(QFile::rename(ini, ini + ".kept"));
    ASSERT_TRUE(QDir().mkpath(ini));  // a folder where the file was: no write can land
    trigger("btEventAdd");
    EXPECT_EQ(chart->EventLabels.size(), 1u);
    EXPECT_EQ(eventLog(), logBefore);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_TRUE(boxes[0].contains(ini)) << boxes[0].toStdString();
    QDir(ini).removeRecursively();
    QFile::rename(ini + ".kept", ini);
}

TEST_F(MainWindowCommandsTest, UnwritableEventLogIsReportedAndTheEventStays)
{
    QDir(QString::fromStdString(LogFolder)).removeRecursively();
    QFile(QString::fromStdString(LogFolder)).open(QIODevice::WriteOnly);  // a file where the folder was
    trigger("btEventAdd");
    EXPECT_EQ(chart->EventLabels.size(), 1u);
    EXPECT_EQ(iniValue("EVENTS", "Event Number"), "1");
    EXPECT_TRUE(prompt().startsWith("Event 1 not written to the event log")) << prompt().toStdString();
    QFile::remove(QString::fromStdString(LogFolder));
}

TEST_F(MainWindowCommandsTest, FollowCommandsSetTheSwitch)
{
    trigger("ToolButton13");
    EXPECT_FALSE(FNav->Survey().State().FollowVesselEnabled);
    trigger("bFollowVessel");
    EXPECT_TRUE(FNav->Survey().State().FollowVesselEnabled);
    trigger("Donotfollowvessel1");
    EXPECT_FALSE(FNav->Survey().State().FollowVesselEnabled);
    trigger("Followvessel1");
    EXPECT_TRUE(FNav->Survey().State().FollowVesselEnabled);
}

}  // namespace
