// The File menu's chart commands in the main window, with file dialogs and
// message boxes answered by the test, a temporary data folder and a set clock.

#include "MainWindowTestSupport.h"

#include "FullFileSystem.h"
#include "MissingTool.h"

#include "canvas/widget/THalvekCanvas.h"
#include "chartfiles/LayoutFile.h"
#include "navigation/FileDialogs.h"
#include "navigation/NavLayers.h"
#include "navigation/TFNav.h"
#include "platform/Clock.h"
#include "platform/IniFile.h"
#include "shell/TFMsg.h"
#include "soundvelocity/TfSVP.h"

#include <QAction>
#include <QCoreApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>

#include <gtest/gtest.h>

#include <functional>

namespace {

const QDateTime kStart(QDate(2024, 3, 7), QTime(23, 58, 30));

// The clock must stand before the program builds its day folders.
struct ClockAt {
    explicit ClockAt(const QDateTime& at) : now(at)
    {
        skerra::setClockForTesting([this] { return now; });
    }
    ~ClockAt() { skerra::setClockForTesting({}); }
    QDateTime now;
};

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString readText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class MainWindowFileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousDialog_ = skerra::setFileDialogHandler([this](const skerra::FileDialogRequest& r) {
            requests_.push_back(r);
            return dialogAnswer_;
        });
    }
    void TearDown() override
    {
        program_.Close();
        skerra::setFileDialogHandler(previousDialog_);
    }

    void open() { program_.Open(); }
    QAction* action(const char* name) const { return FNav->findChild<QAction*>(QString::fromLatin1(name)); }
    THalvekCanvas& chart() const { return *FNav->fcad; }
    QString eventLog() const { return readText(QString::fromStdString(TodaysEventLogPath())); }
    QString lastFileSaved() const
    {
        return skerra::IniFile(skerra::settingsFilePath()).ReadString("FILE", "Last File Saved", "");
    }
    QString layoutFolder() const { return QString::fromStdString(LayoutFolder); }
    // File > Exit, answering No to the close question; returns every text shown.
    QStringList exitAnsweringNo()
    {
        QStringList asked;
        const skerra::MessageHandler previous = skerra::setMessageHandler([&](const skerra::MessageRequest& r) {
            asked << r.text;
            return r.buttons == (skerra::MbYes | skerra::MbNo) ? int(skerra::MbNo) : int(skerra::MbOk);
        });
        action("Exit1")->trigger();
        QCoreApplication::processEvents();
        skerra::setMessageHandler(previous);
        return asked;
    }
    // A user shape and a vessel shape, as during a survey.
    void drawSurvey()
    {
        chart().DrawLine(10, 20, 30, 40, UserShapeLayerId);
        chart().DrawCircle(5, 5, 2, VesselLayerId);
        chart().DrawLine(0, 0, 1, 0, GridLayerId);
    }

    ClockAt clock_{kStart};
    mainwindowtest::TemporaryProgram program_;
    QStringList& boxes_ = program_.boxes;
    std::vector<skerra::FileDialogRequest> requests_;
    QString dialogAnswer_;
    skerra::FileDialogHandler previousDialog_;
};

TEST_F(MainWindowFileCommandsTest, SaveWritesTheDatedFileRemembersItAndNamesItInTheCaption)
{
    open();
    drawSurvey();
    // Saves after midnight stay in the start day's folder, named with the new date.
    const struct { QDateTime at; const char* name; } saves[] = {
        {QDateTime(QDate(2024, 3, 7), QTime(23, 59, 5)), "2024-03-07 2359.qmt"},
        {QDateTime(QDate(2024, 3, 8), QTime(0, 1, 0)), "2024-03-08 0001.qmt"},
    };
    for (const auto& save : saves) {
        clock_.now = save.at;
        action("Save1")->trigger();
        const QString file = layoutFolder() + QString::fromLatin1(save.name);
        EXPECT_TRUE(layoutFolder().contains("2024-03-07")) << save.name;
        EXPECT_TRUE(QFile::exists(file)) << save.name;
        EXPECT_EQ(lastFileSaved(), file);
        EXPECT_EQ(FNav->windowTitle(), "Skerra - " + file);
        EXPECT_TRUE(eventLog().contains("\tSaved: " + file)) << save.name;  // the user's own save
    }
    EXPECT_TRUE(chart().ShapesOnLayer(VesselLayerId).empty());
    EXPECT_TRUE(chart().ShapesOnLayer(GridLayerId).empty());
    EXPECT_TRUE(boxes_.isEmpty());

    THalvekCanvasModel read;
    ASSERT_TRUE(CadLoad(read, lastFileSaved(), LayoutLoadMode::Replace).ok);
    ASSERT_EQ(read.ShapeCount(), 1);
    EXPECT_EQ(read.FindLayer((*read.Shapes().begin())->LayerId())->name, "halvek_usershape");
}

TEST_F(MainWindowFileCommandsTest, AFailedSaveIsReportedAndChangesNeitherTheSettingNorTheCaption)
{
    open();
    drawSurvey();
    skerra::IniFile(skerra::settingsFilePath()).WriteString("FILE", "Last File Saved", "/earlier.qmt");
    const QString caption = FNav->windowTitle();
    // The layout folder is taken by a file: nothing can be written into it.
    const QString folder = layoutFolder();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    {
        QFile blocker(folder.chopped(1));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    action("Save1")->trigger();
    EXPECT_EQ(lastFileSaved(), "/earlier.qmt");
    EXPECT_EQ(FNav->windowTitle(), caption);
    ASSERT_EQ(boxes_.size(), 1);
    const QString file = folder + "2024-03-07 2358.qmt";
    EXPECT_TRUE(boxes_[0].contains(file)) << boxes_[0].toStdString();
    EXPECT_TRUE(eventLog().contains("\tSave FAILED: " + file + " (")) << eventLog().toStdString();
    EXPECT_FALSE(eventLog().contains("Saved: "));
}

// The settings file cannot be written (a folder stands in its place): the layout is
// saved, and the message names the settings file, not the layout.
TEST_F(MainWindowFileCommandsTest, ASettingsFileThatCannotBeWrittenIsReportedOnItsOwn)
{
    open();
    drawSurvey();
    ASSERT_TRUE(QFile::remove(skerra::settingsFilePath()) || !QFile::exists(skerra::settingsFilePath()));
    ASSERT_TRUE(QDir().mkpath(skerra::settingsFilePath()));
    action("Save1")->trigger();
    const QString file = layoutFolder() + "2024-03-07 2358.qmt";
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(FNav->windowTitle(), "Skerra - " + file);
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_[0].contains("settings file " + skerra::settingsFilePath())) << boxes_[0].toStdString();
    EXPECT_TRUE(boxes_[0].contains("saved to " + file)) << boxes_[0].toStdString();
    EXPECT_FALSE(boxes_[0].contains("could not be saved")) << boxes_[0].toStdString();
    EXPECT_TRUE(eventLog().contains("\tSaved: " + file));
    ASSERT_TRUE(QDir(skerra::settingsFilePath()).removeRecursively());
}

TEST_F(MainWindowFileCommandsTest, SaveAsWritesTheChosenFileButTheNextStartReloadsTheAutomaticSave)
{
    open();
    drawSurvey();
    action("Save1")->trigger();
    const QString automatic = lastFileSaved();
    chart().DrawPoint(1, 2, UserShapeLayerId);

    dialogAnswer_ = layoutFolder() + "harbour";  // typed without an extension
    action("SaveAs1")->trigger();
    const QString chosen = layoutFolder() + "harbour.qmt";
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].kind, skerra::FileDialogKind::Save);
    EXPECT_EQ(requests_[0].objectName, "SaveDialog1");
    EXPECT_EQ(requests_[0].title, "Dialog Save");
    EXPECT_EQ(requests_[0].filters, QStringList({"Qamet [*.qmt] (*.qmt)", "All Files [*.*] (*)"}));
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_EQ(FNav->windowTitle(), "Skerra  <" + chosen + ">");
    EXPECT_TRUE(eventLog().contains("Saved As: " + chosen));
    EXPECT_EQ(lastFileSaved(), automatic);

    // Cancelled: nothing happens.
    dialogAnswer_.clear();
    QFile::remove(chosen);
    action("SaveAs1")->trigger();
    EXPECT_FALSE(QFile::exists(chosen));

    // The next start reloads the automatic save (written again on closing), not the chosen file.
    program_.Close();
    open();
    EXPECT_EQ(FNav->windowTitle(), "Skerra - " + automatic);
    EXPECT_EQ(FNav->LastFileName, automatic);
}

TEST_F(MainWindowFileCommandsTest, StartUpReloadsTheLastAutomaticSaveInPlaceOfTheChart)
{
    THalvekCanvasModel saved;
    const int harbour = saved.LayerOpen("harbour");
    saved.DrawLine(1, 2, 3, 4, harbour);
    saved.DrawCircle(0, 0, 9, saved.LayerOpen("~~Halvek Vessel"));
    QDir().mkpath(layoutFolder());
    const QString file = layoutFolder() + "2024-03-06 1700.qmt";
    ASSERT_TRUE(CadSave(saved, file).ok);
    skerra::IniFile(skerra::settingsFilePath()).WriteString("FILE", "Last File Saved", file);

    open();
    EXPECT_EQ(FNav->windowTitle(), "Skerra - " + file);
    EXPECT_EQ(FNav->LastFileName, file);
    const int reloaded = chart().LayerFindByName("harbour");
    ASSERT_GE(reloaded, 0);
    EXPECT_EQ(chart().ShapesOnLayer(reloaded).size(), 1u);
    EXPECT_TRUE(chart().ShapesOnLayer(VesselLayerId).empty());
    EXPECT_EQ(chart().LayerFindByName("~~Halvek Vessel"), VesselLayerId);
    EXPECT_EQ(chart().ShapeCount(), 1);
}

TEST_F(MainWindowFileCommandsTest, AStartUpReloadThatFailsIsReportedAndLeavesTheChartEmpty)
{
    QDir().mkpath(layoutFolder());
    const QString file = layoutFolder() + "damaged.qmt";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("QMT1\x78\x9C broken");
    }
    skerra::IniFile(skerra::settingsFilePath()).WriteString("FILE", "Last File Saved", file);
    open();
    EXPECT_EQ(chart().ShapeCount(), 0);
    EXPECT_EQ(chart().LayerFindByName("~~Halvek Vessel"), VesselLayerId);
    ASSERT_TRUE(FMsg);
    const QString lines = FMsg->statusLines().join("\n");
    EXPECT_TRUE(lines.contains("Layout not reloaded: " + file)) << lines.toStdString();
    EXPECT_TRUE(eventLog().contains("Layout not reloaded: " + file));
}

TEST_F(MainWindowFileCommandsTest, OpenMergesTheFileAndEmptiesTheVesselAndGrid)
{
    THalvekCanvasModel other;
    other.DrawPoint(7, 8, other.LayerOpen("soundings"));
    other.DrawLine(0, 0, 5, 5, other.LayerOpen("~~Halvek Vessel"));
    const QString file = QDir(layoutFolder()).filePath("../other.qmt");
    open();
    ASSERT_TRUE(CadSave(other, file).ok);
    drawSurvey();
    const QString caption = FNav->windowTitle();

    dialogAnswer_ = file;
    action("bOpen")->trigger();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].kind, skerra::FileDialogKind::Open);
    EXPECT_EQ(requests_[0].objectName, "OpenDialog1");
    EXPECT_EQ(requests_[0].title, "Dialog Open");
    const int soundings = chart().LayerFindByName("soundings");
    ASSERT_GE(soundings, 0);
    EXPECT_EQ(chart().ShapesOnLayer(soundings).size(), 1u);
    EXPECT_EQ(chart().ShapesOnLayer(UserShapeLayerId).size(), 1u);
    EXPECT_TRUE(chart().ShapesOnLayer(VesselLayerId).empty());
    EXPECT_TRUE(chart().ShapesOnLayer(GridLayerId).empty());
    EXPECT_EQ(chart().LayerFindByName("~~Halvek Vessel"), VesselLayerId);
    EXPECT_EQ(FNav->LastFileName, file);
    EXPECT_EQ(FNav->windowTitle(), caption);
    EXPECT_TRUE(eventLog().contains("Opened file: " + file));
}

TEST_F(MainWindowFileCommandsTest, ADamagedOpenShowsAMessageAndChangesNothing)
{
    open();
    drawSurvey();
    const QString file = layoutFolder() + "bad.qmt";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("QMT1garbage");
    }
    const int shapes = chart().ShapeCount();
    dialogAnswer_ = file;
    action("Open1")->trigger();
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_[0].contains(file));
    EXPECT_EQ(chart().ShapeCount(), shapes);
    EXPECT_EQ(chart().ShapesOnLayer(VesselLayerId).size(), 1u);
    EXPECT_FALSE(eventLog().contains("Opened file"));
    EXPECT_TRUE(FNav->LastFileName.isEmpty());
}

// A file with lines that cannot be read loads the rest; Open says how many
// lines were left out in a message, the start-up reload on the status lines.
TEST_F(MainWindowFileCommandsTest, LinesLeftOutOfALayoutAreCountedAndReported)
{
    const QString file = QDir(layoutFolder()).filePath("../partly.qmt");
    QDir().mkpath(layoutFolder());
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("LAYER harbour\nLINE 0 0 1 1 0\nLINE 1e999 0 1 1 0\nTEXT 0 0 0 0 0 1e308 0 0 0 Arial big\n");
    }
    skerra::IniFile(skerra::settingsFilePath()).WriteString("FILE", "Last File Saved", file);
    open();
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
    ASSERT_TRUE(FMsg);
    const QString lines = FMsg->statusLines().join("\n");
    EXPECT_TRUE(lines.contains("2 lines of " + file + " could not be read")) << lines.toStdString();
    EXPECT_EQ(chart().ShapesOnLayer(chart().LayerFindByName("harbour")).size(), 1u);

    dialogAnswer_ = file;
    action("Open1")->trigger();
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_EQ(boxes_[0], "2 lines of " + file + " could not be read and were left out.");
    EXPECT_EQ(chart().ShapesOnLayer(chart().LayerFindByName("harbour")).size(), 2u);
    EXPECT_TRUE(eventLog().contains("Opened file: " + file));
    EXPECT_TRUE(eventLog().contains("2 lines of " + file));
}

TEST_F(MainWindowFileCommandsTest, NewAsksFirstThenRemovesEveryShapeButKeepsLayersAndView)
{
    open();
    drawSurvey();
    chart().WorldSet(100, 900, 700, 50);
    const double left = chart().WorldLeft;
    const std::size_t layers = chart().Layers().size();
    int answer = skerra::MbNo;
    QStringList asked;
    const auto previous = skerra::setMessageHandler([&](const skerra::MessageRequest& r) {
        asked << r.text;
        return answer;
    });
    action("New1")->trigger();
    EXPECT_EQ(asked, QStringList{"Entire layout will be cleared! Continue?"});
    EXPECT_EQ(chart().ShapeCount(), 3);
    EXPECT_FALSE(eventLog().contains("New layout"));

    answer = skerra::MbYes;
    action("New1")->trigger();
    skerra::setMessageHandler(previous);
    EXPECT_EQ(chart().ShapeCount(), 0);
    EXPECT_EQ(chart().NextShapeId(), 1);
    EXPECT_EQ(chart().Layers().size(), layers);
    EXPECT_EQ(chart().WorldLeft, left);
    EXPECT_TRUE(eventLog().contains("New layout - cleared all shapes"));
}

TEST_F(MainWindowFileCommandsTest, ExportWritesTheChartAsADxfDrawingAndNamesAFileItCannotWrite)
{
    open();
    drawSurvey();
    EXPECT_TRUE(action("Export1")->isEnabled());
    dialogAnswer_ = layoutFolder() + "chart.dxf";
    const QString caption = FNav->windowTitle();
    const QString logBefore = eventLog();
    FNav->Export1Click();
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].filters, QStringList({"AutoCAD R12 DXF [*.dxf] (*.dxf)", "All Files [*.*] (*)"}));
    EXPECT_EQ(requests_[0].defaultSuffix, "dxf");
    EXPECT_EQ(skerra::withDefaultSuffix("/a/chart", "dxf"), "/a/chart.dxf");
    EXPECT_EQ(skerra::withDefaultSuffix("/a.b/chart.DXF", "dxf"), "/a.b/chart.DXF");
    const QString drawing = readText(dialogAnswer_);
    EXPECT_TRUE(drawing.contains("AC1009"));
    EXPECT_TRUE(drawing.contains("LINE"));
    // The boat's shapes and the grid stay out of the drawing.
    EXPECT_FALSE(drawing.contains("CIRCLE")) << drawing.toStdString();
    EXPECT_FALSE(drawing.contains("Halvek")) << drawing.toStdString();
    EXPECT_EQ(drawing.count("\r\nLINE\r\n"), 1) << drawing.toStdString();
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
    // Export leaves the vessel layer, the caption and the event log alone.
    EXPECT_FALSE(chart().ShapesOnLayer(VesselLayerId).empty());
    EXPECT_EQ(FNav->windowTitle(), caption);
    EXPECT_EQ(eventLog(), logBefore);

    dialogAnswer_ = layoutFolder() + "missing-folder/chart.dxf";
    FNav->Export1Click();
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_[0].contains(dialogAnswer_)) << boxes_[0].toStdString();
}

TEST_F(MainWindowFileCommandsTest, ClosingTheWindowSavesTheLayout)
{
    open();
    drawSurvey();
    EXPECT_TRUE(FNav->close());
    const QString file = lastFileSaved();
    EXPECT_EQ(file, layoutFolder() + "2024-03-07 2358.qmt");
    THalvekCanvasModel read;
    ASSERT_TRUE(CadLoad(read, file, LayoutLoadMode::Replace).ok);
    EXPECT_EQ(read.ShapeCount(), 1);
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

// Exit and the window's close button: the save runs once, and when it fails the
// user is asked whether to close anyway; any answer but Yes keeps the window open.
TEST_F(MainWindowFileCommandsTest, AFailedSaveAtClosingAsksBeforeTheWindowCloses)
{
    open();
    drawSurvey();
    const QString folder = layoutFolder();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    {
        QFile blocker(folder.chopped(1));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    struct Asked {
        QStringList texts;
        std::vector<int> defaults;
    } asked;
    int answer = skerra::MbNo;
    const skerra::MessageHandler previous = skerra::setMessageHandler([&](const skerra::MessageRequest& r) {
        asked.texts << r.text;
        asked.defaults.push_back(r.buttons == (skerra::MbYes | skerra::MbNo) ? r.defaultButton : -1);
        return r.buttons == (skerra::MbYes | skerra::MbNo) ? answer : int(skerra::MbOk);
    });
    const struct {
        const char* how;
        std::function<void()> close;
        int answer;
        bool closed;
    } cases[] = {
        {"Exit, answered No", [this] { action("Exit1")->trigger(); }, skerra::MbNo, false},
        {"close button, box dismissed", [] { FNav->close(); }, skerra::MbCancel, false},
        {"close button, answered Yes", [] { FNav->close(); }, skerra::MbYes, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        asked = {};
        answer = c.answer;
        c.close();
        QCoreApplication::processEvents();
        ASSERT_EQ(asked.texts.size(), 2) << asked.texts.join('\n').toStdString();
        EXPECT_TRUE(asked.texts[0].contains(folder + "2024-03-07 2358.qmt")) << asked.texts[0].toStdString();
        EXPECT_EQ(asked.defaults[0], -1);
        EXPECT_TRUE(asked.texts[1].contains("Close Skerra anyway?")) << asked.texts[1].toStdString();
        EXPECT_EQ(asked.defaults[1], int(skerra::MbNo));
        EXPECT_EQ(FNav->isVisible(), !c.closed);
    }
    skerra::setMessageHandler(previous);
    EXPECT_EQ(eventLog().count("Auto-save FAILED: "), 3);
}

// The day's layout folder on a small disk that fills up: the save of a grown chart
// fails at its last bytes. Save and Exit say so with the reason, Exit asks before
// closing, and the last good layout stays whole and is what the next start opens.
TEST_F(MainWindowFileCommandsTest, OnAFullDiskTheLastGoodLayoutStaysWholeAndClosingAsks)
{
    open();
    FullFileSystem disk(layoutFolder());
    if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
    drawSurvey();
    action("Save1")->trigger();
    const QString file = lastFileSaved();
    ASSERT_EQ(file, layoutFolder() + "2024-03-07 2358.qmt");
    const QByteArray good = readBytes(file);
    ASSERT_TRUE(disk.fill(4096));
    for (int i = 0; i < 400; ++i)
        chart().DrawPoint(500000 + i * 7.123457, 4500000 + i * 3.987651, UserShapeLayerId);

    action("Save1")->trigger();
    ASSERT_EQ(boxes_.size(), 1);
    EXPECT_TRUE(boxes_[0].contains(file + "\n(No space left on device)")) << boxes_[0].toStdString();
    const QStringList asked = exitAnsweringNo();
    ASSERT_EQ(asked.size(), 2) << asked.join('\n').toStdString();
    EXPECT_TRUE(asked[0].contains("(No space left on device)")) << asked[0].toStdString();
    EXPECT_TRUE(asked[1].contains("The chart could not be saved. Close Skerra anyway?")) << asked[1].toStdString();
    EXPECT_TRUE(FNav->isVisible());

    EXPECT_EQ(readBytes(file), good);
    EXPECT_EQ(QDir(layoutFolder()).entryList(QDir::Files), QStringList{"2024-03-07 2358.qmt"});
    EXPECT_EQ(eventLog().count("Saved: "), 1);
    EXPECT_EQ(eventLog().count("Auto-saved: "), 0);
    EXPECT_EQ(eventLog().count("Save FAILED: " + file + " (No space left on device)"), 1);
    EXPECT_EQ(eventLog().count("Auto-save FAILED: " + file + " (No space left on device)"), 1);
    EXPECT_EQ(lastFileSaved(), file);
    THalvekCanvasModel read;
    ASSERT_TRUE(CadLoad(read, file, LayoutLoadMode::Replace).ok);
    EXPECT_EQ(read.ShapeCount(), 1);
}

// Only the settings file cannot be written (a folder stands in its place): the layout
// is saved, so closing asks once, about the settings file, and every later write of
// the settings at closing goes without a message of its own.
TEST_F(MainWindowFileCommandsTest, ASettingsFileThatCannotBeWrittenAtClosingIsSaidOnce)
{
    open();
    drawSurvey();
    const QString settings = skerra::settingsFilePath();
    ASSERT_TRUE(QFile::remove(settings) || !QFile::exists(settings));
    ASSERT_TRUE(QDir().mkpath(settings));
    QStringList asked;
    int answer = skerra::MbNo;
    const skerra::MessageHandler previous = skerra::setMessageHandler([&](const skerra::MessageRequest& r) {
        asked << r.text;
        return r.buttons == (skerra::MbYes | skerra::MbNo) ? answer : int(skerra::MbOk);
    });
    const QString file = layoutFolder() + "2024-03-07 2358.qmt";
    for (const int a : {int(skerra::MbNo), int(skerra::MbYes)}) {
        SCOPED_TRACE(a == skerra::MbYes ? "answered Yes" : "answered No");
        asked.clear();
        answer = a;
        action("Exit1")->trigger();
        QCoreApplication::processEvents();
        ASSERT_EQ(asked.size(), 1) << asked.join("\n---\n").toStdString();
        EXPECT_TRUE(asked[0].contains("settings file " + settings)) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("saved to " + file)) << asked[0].toStdString();
        EXPECT_TRUE(asked[0].contains("Close Skerra anyway?")) << asked[0].toStdString();
        EXPECT_FALSE(asked[0].contains("could not be saved")) << asked[0].toStdString();
        EXPECT_EQ(FNav->isVisible(), a != skerra::MbYes);
        EXPECT_TRUE(QFile::exists(file));
    }
    skerra::setMessageHandler(previous);
    EXPECT_EQ(eventLog().count("Auto-saved: " + file), 2);
    EXPECT_FALSE(eventLog().contains("Auto-save FAILED"));
    program_.Close();
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
    ASSERT_TRUE(QDir(settings).removeRecursively());
}

}  // namespace

TEST_F(MainWindowFileCommandsTest, SaveAlsoWritesTheSoundVelocityListsWhileAProfileIsInUse)
{
    open();
    ASSERT_NE(fSVP, nullptr);
    const QDir svpFolder(QString::fromStdString(SvpFolder));
    const auto datedColumns = [&] {
        return svpFolder.entryList(QStringList{QStringLiteral("* mSVPColumn.ini")}, QDir::Files);
    };
    fSVP->mSVPColumn->setPlainText(QStringLiteral("1500.00"));
    action("Save1")->trigger();
    EXPECT_TRUE(datedColumns().isEmpty());

    fSVP->cUseSVP->setChecked(true);
    action("Save1")->trigger();
    const QStringList written = datedColumns();
    ASSERT_EQ(written.size(), 1);
    EXPECT_EQ(readText(svpFolder.filePath(written[0])), QStringLiteral("1500.00\r\n"));
    EXPECT_TRUE(boxes_.isEmpty()) << boxes_.join('\n').toStdString();
}

// The sound-velocity lists' folder is full at closing: the layout is saved, the list
// that cannot be written is named with the reason, and the close question is about
// the lists, not the chart.
TEST_F(MainWindowFileCommandsTest, SoundVelocityListsThatCannotBeWrittenAtClosingAreWhatTheQuestionNames)
{
    open();
    ASSERT_NE(fSVP, nullptr);
    FullFileSystem disk(QString::fromStdString(SvpFolder));
    if (!disk.mounted()) SKERRA_SKIP_UNLESS_CI(disk.why());
    ASSERT_TRUE(disk.fill(0));
    fSVP->mSVPColumn->setPlainText(QStringLiteral("1500.00"));
    fSVP->cUseSVP->setChecked(true);
    const QStringList asked = exitAnsweringNo();
    ASSERT_EQ(asked.size(), 2) << asked.join('\n').toStdString();
    EXPECT_TRUE(asked[0].contains("(No space left on device)")) << asked[0].toStdString();
    EXPECT_EQ(asked[1], "The sound-velocity lists could not be saved. Close Skerra anyway?");
    EXPECT_TRUE(FNav->isVisible());
    EXPECT_TRUE(eventLog().contains("Auto-saved: "));
}
