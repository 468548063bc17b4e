// The windows on a 1024 x 768 field-laptop screen (the offscreen platform set up with
// one screen of that size): where each window goes on a first start, stored places
// off the screen, the dialogs that must be modal above their openers, and texts that
// must fit their controls in English and Turkish.

#include "MainWindowTestSupport.h"
#include "OffscreenScreens.h"

#include "devices/windows/TfRTCMParsing.h"
#include "devices/windows/TfrmNTRIPSettings.h"
#include "navigation/TFNav.h"
#include "navigation/TfJoystick.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfRunline1.h"
#include "navigation/TfWaterfal.h"
#include "platform/Contrast.h"
#include "platform/IniFile.h"
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

namespace {

const QRect Screen(0, 0, 1024, 768);

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

void expectNoControlCovered(const QWidget* w)
{
    const QRect frame = skerra::expectedFrame(w);
    for (const QWidget* control : mainWindowControls())
        EXPECT_FALSE(frame.intersects(onScreen(control)))
            << nameOf(w).toStdString() << " covers " << nameOf(control).toStdString();
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
    const QPoint mainCentre = skerra::expectedFrame(FNav).center();
    for (QWidget* w : {static_cast<QWidget*>(FShape), static_cast<QWidget*>(FGPS), static_cast<QWidget*>(formAbout)})
        EXPECT_LE((skerra::expectedFrame(w).center() - mainCentre).manhattanLength(), 2) << nameOf(w).toStdString();
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
    EXPECT_EQ(Offsets->pos().y(), 100);

    // The message window's own design place, 1017,148, is moved in as a whole.
    FMsg->addStatusLine("Cannot open the sounder port", true);
    QCoreApplication::processEvents();
    expectInsideTheScreen(FMsg);
    EXPECT_EQ(FMsg->pos().y(), 148);
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

// One offscreen screen of 1024 x 768, as on the common field laptops.
int main(int argc, char** argv)
{
    QTemporaryDir configFolder;
    if (!useOffscreenScreens(configFolder, R"([{"name": "laptop", "x": 0, "y": 0, "width": 1024, "height": 768,
        "logicalDpi": 96, "dpr": 1.0}])"))
        return 2;
    testing::InitGoogleTest(&argc, argv);
    skerra::SkerraApplication app(argc, argv);
    skerra::setMessageHandler({});
    return RUN_ALL_TESTS();
}
