// The display windows in the running program: what the survey loop reads of the
// navigation settings and vessel shape, the map timer's rate, the theme preview on
// the chart and the offsets window's on-screen keypad and keyboard.

#include "MainWindowTestSupport.h"

#include "DrawnContrast.h"

#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavSurveySettings.h"
#include "navigation/TFNav.h"
#include "navigation/ToolIcons.h"
#include "platform/Contrast.h"
#include "platform/StyleRegistry.h"
#include "shell/ColourPicker.h"
#include "shell/HalvekKeyboard.h"
#include "shell/TFShape.h"
#include "shell/TNavset.h"
#include "shell/TOffsets.h"
#include "shell/TfTheme.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

void click(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    QApplication::processEvents();
}

QToolButton* key(QWidget* panel, const char* caption)
{
    for (QToolButton* k : panel->findChildren<QToolButton*>())
        if (k->text() == QLatin1String(caption)) return k;
    ADD_FAILURE() << caption;
    return nullptr;
}

class MainWindowDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { program_.Open(); }
    mainwindowtest::TemporaryProgram program_;
};

TEST_F(MainWindowDisplayTest, TheSurveyLoopReadsTheNavigationAndVesselShapeWindowsAsTheyStand)
{
    const NavSurveySettings settings(*FNav);
    Navset->VesselWidth->setText("6");
    Navset->TrackDistance->setText("35");
    Navset->ColorTracklines0->pick(skerra::colors::Olive);
    FShape->edAmount->setText("4");
    FShape->edLArrow->setText("12.5");
    const NavigationDisplayValues display = settings.NavigationDisplay();
    EXPECT_EQ(display.vesselWidth, "6");
    EXPECT_EQ(display.trackDistance, "35");
    EXPECT_EQ(display.trackFloatColour, skerra::colors::Olive);
    const VesselShapeTexts shape = settings.VesselShape();
    EXPECT_EQ(shape.ringCount, "4");
    EXPECT_EQ(shape.sideArrow, "12.5");
}

// The most common colour of a widget's pixels: its background.
QColor mostCommonColour(QWidget& widget)
{
    const QImage image = widget.grab().toImage();
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
    return QColor(std::max_element(counts.begin(), counts.end()).key());
}

// The Realtime button's caption reads on the pixels drawn, stopped and running, in
// every style; under a dark style the running survey's band stays dark, and the bars'
// icons stand out from their bars.
TEST_F(MainWindowDisplayTest, TheRealtimeButtonAndItsBandReadInEveryStyle)
{
    const QString caption = FNav->Realtime->text();
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        QApplication::processEvents();  // the open window takes the new style's colours
        EXPECT_EQ(FNav->Realtime->text(), caption) << style.toStdString();  // and keeps its caption
        for (const bool running : {false, true}) {
            if (running) FNav->ShowRealtimeRunning(true);
            for (const bool hovered : {false, true}) {
                FNav->Realtime->setAttribute(Qt::WA_UnderMouse, hovered);
                const DrawnContrast caption = measureDrawnContrast(*FNav->Realtime);
                EXPECT_GE(caption.ratio, skerra::ReadableContrast)
                    << style.toStdString() << (running ? ", running" : ", stopped")
                    << (hovered ? " under the pointer: " : ": ") << caption.text.name().toStdString() << " on "
                    << caption.face.name().toStdString();
            }
            if (running && skerra::activeStyleIsDark())
                EXPECT_LT(skerra::relativeLuminance(mostCommonColour(*FNav->tRealtime)), 0.1) << style.toStdString();
        }
        FNav->ShowRealtimeRunning(false);
        FNav->Realtime->setText(caption);
        const QColor bar = FNav->tDraw->palette().color(QPalette::Window);
        EXPECT_GE(skerra::contrastRatio(toolIconLineColour(bar), bar), 3.0) << style.toStdString();
        const QColor lines = toolIconLineColour(bar);
        const auto near = [](QRgb a, const QColor& b) {
            return qAlpha(a) == 255 && std::abs(qRed(a) - b.red()) <= 8 && std::abs(qGreen(a) - b.green()) <= 8 &&
                   std::abs(qBlue(a) - b.blue()) <= 8;
        };
        int drawnInNavy = 0;
        for (QAction* action : FNav->tDraw->actions()) {
            QFile svg(":/navigation/icons/" + action->property("toolIcon").toString() + ".svg");
            if (!svg.open(QIODevice::ReadOnly) || !svg.readAll().contains(ToolIconNavy.name().toLatin1())) continue;
            ++drawnInNavy;
            // The icon as drawn holds its lines' colour.
            const QImage icon = action->icon().pixmap(24, 24).toImage().convertToFormat(QImage::Format_ARGB32);
            bool hasLines = false;
            for (int y = 0; y < icon.height() && !hasLines; ++y)
                for (int x = 0; x < icon.width() && !hasLines; ++x) hasLines = near(icon.pixel(x, y), lines);
            EXPECT_TRUE(hasLines) << style.toStdString() << " " << action->objectName().toStdString();
        }
        EXPECT_GT(drawnInNavy, 0);  // the icons were found
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

TEST_F(MainWindowDisplayTest, TheUpdateRateEditShowsAndDrivesTheMapTimer)
{
    EXPECT_EQ(Navset->eVesselUpdateRate->text(), QString::number(FNav->tMap->interval()));
    Navset->eVesselUpdateRate->setText("350");
    EXPECT_EQ(FNav->tMap->interval(), 350);
}

TEST_F(MainWindowDisplayTest, WidthChangesReachTheMainWindowsLayersAtOnce)
{
    Navset->VesselWidth->setText("7");
    const int vessel = FNav->fcad->LayerFindByName("~~Halvek Vessel");
    ASSERT_GE(vessel, 0);
    EXPECT_EQ(FNav->fcad->FindLayer(vessel)->penWidth, 7);
    Navset->fcadColor->pick(skerra::colors::Silver);
    EXPECT_EQ(FNav->fcad->BackColor, skerra::colors::Silver);
}

TEST_F(MainWindowDisplayTest, ThemeCancelGivesTheChartBackTheBackgroundOfTheShow)
{
    ASSERT_TRUE(skerra::applyStyle("Light", false));
    Navset->fcadColor->pick(skerra::colors::Teal);
    FNav->themeSelection1Click();
    ASSERT_TRUE(fTheme->isVisible());
    const QList<QListWidgetItem*> dark = fTheme->lbThemeList->findItems("Dark", Qt::MatchExactly);
    ASSERT_EQ(dark.size(), 1);
    fTheme->lbThemeList->setCurrentItem(dark.front());
    fTheme->lbThemeListClick();
    EXPECT_NE(FNav->fcad->BackColor, skerra::colors::Teal);
    fTheme->bCancel->click();
    EXPECT_EQ(FNav->fcad->BackColor, skerra::colors::Teal);
    EXPECT_EQ(skerra::activeStyleName(), "Light");
}

TEST_F(MainWindowDisplayTest, AClickOnANumericOffsetShowsTheKeypadThatTypesIntoItWithoutAFocusCheck)
{
    ASSERT_TRUE(Offsets->isVisible());
    Offsets->activateWindow();
    Offsets->TideHt->setFocus();
    Offsets->TideHt->clear();
    QApplication::processEvents();
    click(Offsets->TideHt);
    THalvekNumericKeypad* keypad = FNav->NumericKeypad;
    ASSERT_NE(keypad, nullptr);
    EXPECT_TRUE(keypad->isVisible());
    EXPECT_EQ(keypad->TargetControl, Offsets->TideHt);
    // 10 pixels from the main window's right and bottom edges.
    EXPECT_EQ(keypad->pos(), FNav->mapToGlobal(QPoint(FNav->width() - keypad->width() - 10,
                                                       FNav->height() - keypad->height() - 10)));
    for (const char* caption : {"-", "0", ".", "5"}) click(key(keypad, caption));
    EXPECT_EQ(Offsets->TideHt->text(), "-0.5");
    EXPECT_EQ(QApplication::focusWidget(), Offsets->TideHt);
    // A half-typed "-" fires no number check either.
    Offsets->TideHt->clear();
    click(key(keypad, "-"));
    QApplication::processEvents();
    EXPECT_TRUE(program_.boxes.isEmpty()) << program_.boxes.join('\n').toStdString();
    click(key(keypad, "Enter"));
    EXPECT_FALSE(keypad->isVisible());

    // The offsets window going away takes the keypad with it: no stray key reaches the
    // hidden edits the survey reads.
    Offsets->SV->setText("1500");
    click(Offsets->SV);
    ASSERT_TRUE(keypad->isVisible());
    Offsets->hide();
    EXPECT_FALSE(keypad->isVisible());
    EXPECT_EQ(keypad->TargetControl, nullptr);
    EXPECT_EQ(Offsets->SV->text(), "1500");
}

TEST_F(MainWindowDisplayTest, AClickOnATextOffsetShowsTheKeyboardCentredAtTheBottom)
{
    Offsets->Location->clear();
    click(Offsets->Location);
    THalvekSimpleKeyboard* keyboard = FNav->SimpleKeyboard;
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->TargetControl, Offsets->Location);
    EXPECT_EQ(keyboard->pos(), FNav->mapToGlobal(QPoint((FNav->width() - keyboard->width()) / 2,
                                                         FNav->height() - keyboard->height() - 10)));
    for (const char* caption : {"B", "A", "Y"}) click(key(keyboard, caption));
    EXPECT_EQ(Offsets->Location->text(), "BAY");
    EXPECT_EQ(FNav->NumericKeypad, nullptr);  // made only when first wanted
}

}  // namespace
