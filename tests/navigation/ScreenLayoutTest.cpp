// The windows on a 1024 x 768 field-laptop screen (the offscreen platform set up with
// one screen of that size; built a second time for a 1920 x 1080 screen), with the
// frame margins a window manager gives simulated: where each window goes on a first
// start and beside a main window placed elsewhere, stored places off the screen and
// back where they were stored, the dialogs that must be modal above their openers,
// status texts that must not widen the main window, and texts that must fit their
// controls in English and Turkish.

#include "MainWindowTestSupport.h"
#include "OffscreenScreens.h"

#include "canvas/widget/THalvekCanvas.h"
#include "devices/windows/TfRTCMParsing.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/TFNav.h"
#include "navigation/TfJoystick.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfRunline1.h"
#include "navigation/TfWaterfal.h"
#include "platform/Contrast.h"
#include "platform/IniFile.h"
#include "navigation/StatusPanelLabel.h"
#include "platform/ScreenPlacement.h"
#include "platform/SkerraApplication.h"
#include "platform/StyleRegistry.h"
#include "shell/TFGPS.h"
#include "shell/TFMsg.h"
#include "shell/TFShape.h"
#include "shell/THalvekTranslation.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfLatency.h"
#include "shell/TfTheme.h"
#include "shell/TformAbout.h"
#include "soundvelocity/TfSVP.h"
#include "soundvelocity/TfSVPGraph.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOption>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <gtest/gtest.h>

#include <map>

namespace {

#ifndef SKERRA_TEST_SCREEN_WIDTH
#define SKERRA_TEST_SCREEN_WIDTH 1024
#define SKERRA_TEST_SCREEN_HEIGHT 768
#endif

const QRect Screen(0, 0, SKERRA_TEST_SCREEN_WIDTH, SKERRA_TEST_SCREEN_HEIGHT);
// A title bar and a one-pixel border, as the window managers of field laptops draw them.
const QMargins WindowManagerFrame(1, 20, 1, 1);

QString nameOf(const QWidget* w) { return w->objectName(); }

// The controls of the main window no window may cover: its menu, tool bars and status bar.
std::vector<QWidget*> mainWindowControls()
{
    std::vector<QWidget*> controls{FNav->findChild<QMenuBar*>("MainMenu1"), FNav->pRealtime};
    for (const char* bar : {"tRealtime", "tDraw", "tShape"}) controls.push_back(FNav->findChild<QToolBar*>(bar));
    return controls;
}

QRect onScreen(const QWidget* w) { return QRect(w->mapToGlobal(QPoint(0, 0)), w->size()); }

void expectInsideTheScreen(const QWidget* w)
{
    const QRect frame = skerra::expectedFrame(w);
    EXPECT_TRUE(Screen.contains(frame)) << nameOf(w).toStdString() << " at " << frame.x() << "," << frame.y() << " "
                                        << frame.width() << "x" << frame.height();
}

// The rows of the chart's position box (fix, speed, heights), on the screen.
QRect positionBoxBand() { return FNav->fcad->GGAOverlayBand().translated(FNav->fcad->mapToGlobal(QPoint(0, 0))); }

void expectNoControlCovered(const QWidget* w)
{
    const QRect frame = skerra::expectedFrame(w);
    for (const QWidget* control : mainWindowControls())
        EXPECT_FALSE(frame.intersects(onScreen(control)))
            << nameOf(w).toStdString() << " covers " << nameOf(control).toStdString();
    // The chart's position box too, wherever the window fits beside it.
    const skerra::PlacementAnchors anchors = FNav->ScreenAnchors();
    if (skerra::chartRoom(frame.size(), anchors) == anchors.chartClear)
        EXPECT_FALSE(frame.intersects(positionBoxBand())) << nameOf(w).toStdString() << " covers the position box";
}

void expectApart(const std::vector<QWidget*>& windows)
{
    for (size_t i = 0; i < windows.size(); ++i)
        for (size_t j = i + 1; j < windows.size(); ++j)
            EXPECT_FALSE(skerra::expectedFrame(windows[i]).intersects(skerra::expectedFrame(windows[j])))
                << nameOf(windows[i]).toStdString() << " overlaps " << nameOf(windows[j]).toStdString();
}

class ScreenLayoutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        delete Translation;
        Translation = nullptr;
        ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), Screen);
    }
    void TearDown() override
    {
        program_.Close();
        delete Translation;
        Translation = nullptr;
    }
    // The program as on a first start: nothing stored, the main window as designed.
    void Open()
    {
        program_.windows = skerra::createApplicationWindows();
        FNav->show();
        QCoreApplication::processEvents();
    }
    void ShowEach(std::initializer_list<QWidget*> windows)
    {
        for (QWidget* w : windows) w->show();
        QCoreApplication::processEvents();
    }
    mainwindowtest::TemporaryProgram program_;
};

TEST_F(ScreenLayoutTest, AFirstStartPutsEveryWindowOnTheScreenAndTheStartWindowsClearOfTheControls)
{
    Open();
    ASSERT_TRUE(Navset->isVisible());
    ASSERT_TRUE(Offsets->isVisible());
    ASSERT_TRUE(fJoystick->isVisible());
    FMsg->addStatusLine("Cannot open the GPS port", true);
    QCoreApplication::processEvents();

    for (QWidget* w : {static_cast<QWidget*>(Navset), static_cast<QWidget*>(Offsets),
                       static_cast<QWidget*>(fJoystick), static_cast<QWidget*>(FMsg)}) {
        expectInsideTheScreen(w);
        expectNoControlCovered(w);
    }
    expectApart({Navset, Offsets, fJoystick});

    // The survey's windows come up beside the settings window and each other.
    Offsets->hide();
    ShowEach({fRealtime, fWaterfal});
    for (QWidget* w : {static_cast<QWidget*>(fRealtime), static_cast<QWidget*>(fWaterfal)}) {
        expectInsideTheScreen(w);
        expectNoControlCovered(w);
    }
    expectApart({Navset, fRealtime, fWaterfal, fJoystick});

    // Windows the user opens from the menu: on the screen, settings windows centred on the main window.
    ShowEach({FShape, FGPS, fSVP, fRunline1, fLatency, fTheme, frmNTRIPSettings, fRTCMParsing, formAbout});
    for (QWidget* w : program_.windows) {
        if (w->isVisible()) expectInsideTheScreen(w);
    }
    expectNoControlCovered(fLatency);
    // Settings windows and dialogs centred across the main window, below its bars.
    const QPoint mainCentre = skerra::expectedFrame(FNav).center();
    for (QWidget* w : {static_cast<QWidget*>(FShape), static_cast<QWidget*>(FGPS), static_cast<QWidget*>(formAbout)}) {
        EXPECT_LE(std::abs(skerra::expectedFrame(w).center().x() - mainCentre.x()), 2) << nameOf(w).toStdString();
        expectNoControlCovered(w);
    }
}

TEST_F(ScreenLayoutTest, TheSurveyWindowsComeBackWhereTheyWereAfterStopAndStart)
{
    Open();
    ShowEach({fRealtime, fWaterfal});
    const QRect numbers = skerra::expectedFrame(fRealtime), echogram = skerra::expectedFrame(fWaterfal);
    // The echogram goes to the chart's lower right.
    const QRect chart = onScreen(FNav->Panel4);
    EXPECT_LE(std::abs(echogram.right() - chart.right()), 2 * skerra::ChartCornerGap);
    EXPECT_LE(std::abs(echogram.bottom() - chart.bottom()), 2 * skerra::ChartCornerGap);
    fRealtime->hide();
    fWaterfal->hide();
    ShowEach({fRealtime, fWaterfal});
    EXPECT_EQ(skerra::expectedFrame(fRealtime), numbers);
    EXPECT_EQ(skerra::expectedFrame(fWaterfal), echogram);
}

TEST_F(ScreenLayoutTest, StoredOrDesignedPlacesOffTheScreenAreMovedIn)
{
    const struct {
        const char* window;
        int left, top;
    } stored[] = {{"Offsets", 900, 100}, {"fRealtime", 1000, 700}, {"Navset", -50, 600}, {"fSVP", 400, 300}};
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        for (const auto& s : stored) {
            ini.WriteInteger(s.window, "Left", s.left);
            ini.WriteInteger(s.window, "Top", s.top);
        }
    }
    Open();
    ShowEach({fRealtime, fSVP});
    for (QWidget* w : {static_cast<QWidget*>(Offsets), static_cast<QWidget*>(fRealtime),
                       static_cast<QWidget*>(Navset), static_cast<QWidget*>(fSVP)})
        expectInsideTheScreen(w);
    // A place that fits stays as stored.
    EXPECT_EQ(skerra::expectedFrame(Offsets).y(), 100);

    // The message window's own design place, 1017,148, is moved in as a whole, onto the chart.
    FMsg->addStatusLine("Cannot open the sounder port", true);
    QCoreApplication::processEvents();
    expectInsideTheScreen(FMsg);
    EXPECT_TRUE(onScreen(FNav->Panel4).contains(skerra::expectedFrame(FMsg)));
}

TEST_F(ScreenLayoutTest, DialogsOpenedFromAlwaysOnTopWindowsAreModalAndAboveThem)
{
    Open();
    Offsets->show();
    QCoreApplication::processEvents();
    Offsets->bNTRIPShow->click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(frmNTRIPSettings->isVisible());
    EXPECT_TRUE(frmNTRIPSettings->isModal());
    EXPECT_EQ(frmNTRIPSettings->windowHandle()->transientParent(), Offsets->windowHandle());
    EXPECT_TRUE(frmNTRIPSettings->windowFlags() & Qt::WindowStaysOnTopHint);
    // Centred across the offsets window (and moved down as far as the screen's top asks).
    EXPECT_LE(std::abs(skerra::expectedFrame(frmNTRIPSettings).center().x() - skerra::expectedFrame(Offsets).center().x()),
              1);
    frmNTRIPSettings->hide();
    QCoreApplication::processEvents();
    // Opened from the main window's menu afterwards it is an ordinary window again.
    EXPECT_FALSE(frmNTRIPSettings->isModal());
    EXPECT_FALSE(frmNTRIPSettings->windowFlags() & Qt::WindowStaysOnTopHint);

    fSVP->show();
    QCoreApplication::processEvents();
    bool checked = false;
    QTimer::singleShot(0, fSVPGraph, [&] {
        checked = true;
        EXPECT_TRUE(fSVPGraph->isVisible());
        EXPECT_TRUE(fSVPGraph->isModal());
        EXPECT_EQ(fSVPGraph->windowHandle()->transientParent(), fSVP->windowHandle());
        EXPECT_TRUE(fSVPGraph->windowFlags() & Qt::WindowStaysOnTopHint);
        fSVPGraph->bCancel->click();
    });
    fSVP->ShowGraphModal();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(fSVPGraph->isVisible());
}

TEST_F(ScreenLayoutTest, WindowsTheUserOpensStayAboveTheToolWindowsWhileShown)
{
    Open();
    FNav->findChild<QAction*>("HalvekNTRIPClient1")->trigger();
    QCoreApplication::processEvents();
    ASSERT_TRUE(frmNTRIPSettings->isVisible());
    EXPECT_TRUE(frmNTRIPSettings->windowFlags() & Qt::WindowStaysOnTopHint);
    frmNTRIPSettings->hide();
    QCoreApplication::processEvents();
    EXPECT_FALSE(frmNTRIPSettings->windowFlags() & Qt::WindowStaysOnTopHint);

    // The About box is modal and lies above every window, those that stay on top included.
    bool checked = false;
    QTimer::singleShot(0, formAbout, [&] {
        checked = true;
        EXPECT_TRUE(formAbout->isModal());
        EXPECT_TRUE(formAbout->windowFlags() & Qt::WindowStaysOnTopHint);
        formAbout->close();
    });
    FNav->findChild<QAction*>("About1")->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(checked);
}

// The main window where a window manager put it (stored here), not at the screen's corner.
QRect mainWindowElsewhere()
{
    const int width = std::min(1024, Screen.width() - 200), height = std::min(700, Screen.height() - 150);
    return {Screen.width() - width - 40, Screen.height() - height - 60, width, height};
}

TEST_F(ScreenLayoutTest, ToolWindowsGoInsideTheMainWindowWhereverItIsAndCentredOnesClearOfItsBars)
{
    const QRect main = mainWindowElsewhere();
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteInteger("FNav", "Left", main.left());
        ini.WriteInteger("FNav", "Top", main.top());
        ini.WriteInteger("FNav", "Width", main.width());
        ini.WriteInteger("FNav", "Height", main.height());
    }
    Open();
    const QRect mainFrame = skerra::expectedFrame(FNav);
    ASSERT_EQ(mainFrame.topLeft(), main.topLeft());
    ASSERT_EQ(FNav->geometry().topLeft(), main.topLeft() + QPoint(WindowManagerFrame.left(), WindowManagerFrame.top()));
    for (QWidget* w : {static_cast<QWidget*>(Navset), static_cast<QWidget*>(Offsets),
                       static_cast<QWidget*>(fJoystick)}) {
        EXPECT_TRUE(mainFrame.contains(skerra::expectedFrame(w))) << nameOf(w).toStdString();
        expectNoControlCovered(w);
    }
    // Settings windows and dialogs, centred on the main window, keep off its bars where they fit below them.
    const QRect chart = onScreen(FNav->Panel4);
    for (QWidget* w : {static_cast<QWidget*>(FShape), static_cast<QWidget*>(FGPS), static_cast<QWidget*>(fSVP),
                       static_cast<QWidget*>(fTheme), static_cast<QWidget*>(fRunline1)}) {
        w->show();
        QCoreApplication::processEvents();
        const QRect frame = skerra::expectedFrame(w);
        if (frame.width() <= chart.width() && frame.height() <= chart.height()) expectNoControlCovered(w);
        expectInsideTheScreen(w);
        w->hide();
    }
}

TEST_F(ScreenLayoutTest, StoredPlacesComeBackWhereTheyWereAndWindowsNotShownKeepTheirs)
{
    // The echogram's place from an earlier run; this run never shows it.
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteInteger("fWaterfal", "Left", 316);
        ini.WriteInteger("fWaterfal", "Top", 220);
    }
    Open();
    ShowEach({fRealtime, fSVP});
    const std::vector<QWidget*> shown{Navset, Offsets, fRealtime, fSVP, FNav};
    // Moved by the user, as far as the screen lets them.
    for (QWidget* w : shown)
        skerra::moveFrameTo(w, skerra::keepInside(skerra::expectedFrame(w).translated(13, 17), Screen).topLeft());
    std::map<QString, QPoint> places;
    for (QWidget* w : shown) places[nameOf(w)] = skerra::expectedFrame(w).topLeft();
    FNav->FormCloseQuery();
    const auto stored = [](const char* window) {
        const skerra::IniFile ini(skerra::settingsFilePath());
        return QPoint(ini.ReadInteger(window, "Left", -1), ini.ReadInteger(window, "Top", -1));
    };
    for (const auto& [name, place] : places) EXPECT_EQ(stored(name.toLatin1().constData()), place) << name.toStdString();
    EXPECT_EQ(stored("fWaterfal"), QPoint(316, 220));

    // The next run puts each frame back where it was stored, and stores the same again.
    program_.Close();
    Open();
    ShowEach({fRealtime, fSVP});
    for (QWidget* w : {static_cast<QWidget*>(Navset), static_cast<QWidget*>(Offsets),
                       static_cast<QWidget*>(fRealtime), static_cast<QWidget*>(fSVP), static_cast<QWidget*>(FNav)})
        EXPECT_EQ(skerra::expectedFrame(w).topLeft(), places[nameOf(w)]) << nameOf(w).toStdString();
    FNav->FormCloseQuery();
    for (const auto& [name, place] : places) EXPECT_EQ(stored(name.toLatin1().constData()), place) << name.toStdString();
    EXPECT_EQ(stored("fWaterfal"), QPoint(316, 220));
}

TEST_F(ScreenLayoutTest, AStatusTextNeverChangesTheMainWindowsSize)
{
    Open();
    const QSize size = FNav->size();
    FNav->findChild<QAction*>("bMouseSelect")->trigger();
    FNav->findChild<QAction*>("bSelectTracks")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(FNav->size(), size);

    // A text far wider than the window is cut, and shown whole as the panel's tooltip;
    // the vessel's position still shows whole.
    const QString position = QString::fromUtf8("40°0'0.000\"N, 27°30'0.000\"E");
    FNav->ShowStatusPanelText(0, position);
    const QString longText = QString("Draw polygon to select tracks (right-click to finish) ").repeated(8);
    FNav->ShowStatusPanelText(TFNav::PromptPanel, longText);
    QCoreApplication::processEvents();
    EXPECT_EQ(FNav->size(), size);
    EXPECT_FALSE(FNav->StatusPanel(0)->Elided());
    EXPECT_EQ(FNav->StatusPanel(0)->width(), FNav->StatusPanel(0)->fontMetrics().horizontalAdvance(position) + 20);
    StatusPanelLabel* prompt = FNav->StatusPanel(TFNav::PromptPanel);
    EXPECT_EQ(prompt->text(), longText);
    EXPECT_TRUE(prompt->Elided());
    EXPECT_EQ(prompt->toolTip(), longText);
    const QRect bar = onScreen(FNav->pRealtime);
    EXPECT_TRUE(bar.contains(onScreen(prompt))) << "the panel stays inside the status bar";

    // A text that fits is shown whole, without a tooltip, at the width it asks for.
    FNav->ShowStatusPanelText(TFNav::PromptPanel, "Ready");
    QCoreApplication::processEvents();
    EXPECT_FALSE(prompt->Elided());
    EXPECT_EQ(prompt->toolTip(), "");
    EXPECT_EQ(FNav->size(), size);
}

// ---- Texts that must fit their controls ----

QString shownText(QString text) { return text.replace("&&", "\x01").remove('&').replace('\x01', '&'); }

// How much wider than its control a text is, in pixels (0 when it fits).
int overflow(const QWidget* w)
{
    const QFontMetrics metrics = w->fontMetrics();
    if (auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText) return 0;
        if (label->wordWrap()) return std::max(0, label->heightForWidth(label->width()) - label->height());
        const int room = label->contentsRect().width() - 2 * label->margin() - std::max(label->indent(), 0);
        int widest = 0;
        for (const QString& line : shownText(label->text()).split('\n'))
            widest = std::max(widest, metrics.horizontalAdvance(line));
        return std::max(0, widest - room);
    }
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w))
        return std::max(0, w->sizeHint().width() - w->width());
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty()) return 0;
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        const int icon = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return std::max(0, metrics.horizontalAdvance(shownText(button->text())) + icon + margin - button->width());
    }
    if (auto* edit = qobject_cast<const QLineEdit*>(w); edit && !qobject_cast<const QComboBox*>(w->parentWidget())) {
        // The values the program puts there (the test types nothing) must show whole.
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect text = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        return std::max(0, metrics.horizontalAdvance(edit->text()) + 4 - text.width());
    }
    if (auto* combo = qobject_cast<const QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = combo->isEditable();
        option.frame = combo->hasFrame();
        const QRect field =
            combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
        return std::max(0, metrics.horizontalAdvance(combo->currentText()) + 4 - field.width());
    }
    return 0;
}

QStringList clippedTexts(const std::vector<QWidget*>& windows)
{
    QStringList clipped;
    for (QWidget* window : windows) {
        window->show();
        QCoreApplication::processEvents();
        // Every page of every tab set, as the user would turn to it.
        std::vector<QWidget*> pages{window};
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
            for (int t = 0; t < tabs->count(); ++t) {
                tabs->setCurrentIndex(t);
                QCoreApplication::processEvents();
                for (QWidget* w : tabs->widget(t)->findChildren<QWidget*>())
                    if (w->isVisible())
                        if (const int over = overflow(w))
                            clipped << window->objectName() + "." + w->objectName() + " +" + QString::number(over);
            }
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisible() && !w->parentWidget()->inherits("QStackedWidget"))
                if (const int over = overflow(w))
                    clipped << window->objectName() + "." + w->objectName() + " +" + QString::number(over);
        window->hide();
    }
    clipped.removeDuplicates();
    return clipped;
}

class ClippedTextTest : public ScreenLayoutTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ClippedTextTest, NoLabelButtonOrShownValueClipsItsText)
{
    const QString language = GetParam();
    // A filled-in settings file, as a surveyor's, so the edits hold real values.
    QFile::remove(skerra::settingsFilePath());
    ASSERT_TRUE(QFile::copy(SKERRA_DEMO_SETTINGS, skerra::settingsFilePath()));
    QFile::setPermissions(skerra::settingsFilePath(), QFile::ReadOwner | QFile::WriteOwner);
    if (language != "en") {
        QDir().mkpath(skerra::programFolder() + "Languages");
        ASSERT_TRUE(QFile::copy(SKERRA_LANGUAGES "/tr.json", skerra::programFolder() + "Languages/tr.json"));
        skerra::IniFile(skerra::settingsFilePath()).WriteString("SETTINGS", "Language", language);
    }
    Open();
    std::vector<QWidget*> windows;
    for (QWidget* w : program_.windows)
        if (w != FNav && w != FMsg) windows.push_back(w);
    EXPECT_EQ(clippedTexts(windows).join(", ").toStdString(), "") << language.toStdString();
    // Status texts the runline window shows only at times.
    for (const char* status : {"Too many lines - increase spacing", "Drawing... (right-click to finish)",
                               "Need at least 2 points", "No route drawn"}) {
        fRunline1->lRouteStatus->setText(Translation ? Translation->Translate(QString(status)) : QString(status));
        EXPECT_EQ(clippedTexts({fRunline1}).join(", ").toStdString(), "") << status;
    }
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ClippedTextTest, ::testing::Values("en", "tr"));

// ---- Texts that must read on their backgrounds ----

// The colour a widget stands on: the window colour of the nearest widget that paints
// its own background (or of the window).
QColor backgroundOf(const QWidget* w)
{
    for (const QWidget* at = w; at; at = at->parentWidget())
        if (at->autoFillBackground() || at->isWindow()) return at->palette().color(QPalette::Window);
    return w->palette().color(QPalette::Window);
}

QStringList unreadableLabels(const std::vector<QWidget*>& windows)
{
    QStringList unreadable;
    for (QWidget* window : windows) {
        window->show();
        QCoreApplication::processEvents();
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisible()) continue;
            const bool caption = (qobject_cast<QLabel*>(w) && !static_cast<QLabel*>(w)->text().isEmpty())
                                 || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w);
            if (!caption || !w->isEnabled()) continue;
            const double ratio = skerra::contrastRatio(w->palette().color(QPalette::WindowText), backgroundOf(w));
            if (ratio < skerra::ReadableContrast)
                unreadable << window->objectName() + "." + w->objectName() + " " + QString::number(ratio, 'f', 1);
        }
        window->hide();
    }
    return unreadable;
}

TEST_F(ScreenLayoutTest, EveryStyleGivesEveryCaptionAReadableColour)
{
    Open();
    std::vector<QWidget*> windows;
    for (QWidget* w : program_.windows)
        if (w != FNav) windows.push_back(w);
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::applyStyle(style, false));
        EXPECT_EQ(unreadableLabels(windows).join(", ").toStdString(), "") << style.toStdString();
        // The main window's Realtime button, stopped and running.
        for (const bool running : {false, true}) {
            FNav->ShowRealtimeRunning(running);
            const QPalette p = FNav->Realtime->palette();
            EXPECT_GE(skerra::contrastRatio(p.color(QPalette::ButtonText), p.color(QPalette::Button)),
                      skerra::ReadableContrast)
                << style.toStdString() << (running ? " running" : " stopped");
        }
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

}  // namespace

// One offscreen screen of the test's size (1024 x 768, as on the common field laptops),
// its windows framed as a window manager would.
int main(int argc, char** argv)
{
    QTemporaryDir configFolder;
    const QByteArray screens = QByteArray(R"([{"name": "laptop", "x": 0, "y": 0, "width": )")
                               + QByteArray::number(Screen.width()) + R"(, "height": )"
                               + QByteArray::number(Screen.height()) + R"(, "logicalDpi": 96, "dpr": 1.0}])";
    if (!useOffscreenScreens(configFolder, screens, false)) return 2;
    testing::InitGoogleTest(&argc, argv);
#ifdef SKERRA_TEST_PLACES_ONLY
    // The texts and colours do not depend on the screen's size: measured on the small one only.
    if (GTEST_FLAG_GET(filter) == "*") GTEST_FLAG_SET(filter, "ScreenLayoutTest.*-*Style*");
#endif
    skerra::SkerraApplication app(argc, argv);
    skerra::setMessageHandler({});
    skerra::simulateFrameMargins(WindowManagerFrame);
    return RUN_ALL_TESTS();
}
