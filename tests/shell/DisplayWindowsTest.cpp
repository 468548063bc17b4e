// The navigation settings, vessel shape and theme windows on a chart without a screen.

#include "SettingsFileFixture.h"

#include "canvas/widget/THalvekCanvasCore.h"
#include "platform/Contrast.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "platform/StyleRegistry.h"
#include "shell/ColourPicker.h"
#include "shell/NumberEdits.h"
#include "shell/TFShape.h"
#include "shell/TNavset.h"
#include "shell/TfTheme.h"

#include <QApplication>
#include <QCheckBox>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

void typeInto(QLineEdit* edit, const QString& keys)
{
    for (const QChar c : keys) {
        QKeyEvent press(QEvent::KeyPress, int(c.toUpper().unicode()), Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit, &press);
    }
}

int layerWidth(const THalvekCanvasCore& chart, const char* name)
{
    return chart.FindLayer(chart.LayerFindByName(QString::fromLatin1(name)))->penWidth;
}

// ---- Navigation settings ----

class NavsetTest : public SettingsFileFixture {
protected:
    void SetUp() override
    {
        SettingsFileFixture::SetUp();
        for (const char* layer : {"~~Halvek Vessel", "track_fix", "track_float", "track_nofix"})
            chart_.LayerOpen(QString::fromLatin1(layer));
        mapTimer_.setInterval(200);
    }
    std::unique_ptr<TNavset> makeWindow(bool withChart = true)
    {
        auto window = std::make_unique<TNavset>();
        if (withChart) {
            window->SetCanvas(&chart_);
            window->SetMapTimer(&mapTimer_);
        }
        return window;
    }
    THalvekCanvasCore chart_;
    QTimer mapTimer_;
};

TEST_F(NavsetTest, FirstStartShowsTheDefaultsWithTheDesignColoursAndPushesTheWidths)
{
    // Shown at creation: the values are loaded before the survey reads them.
    const auto window = makeWindow(false);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->VesselWidth->text(), "3");
    EXPECT_EQ(window->TrackWidth->text(), "3");
    EXPECT_EQ(window->TrackDistance->text(), "20");
    EXPECT_EQ(window->edDepthAlert1->text(), "1");
    EXPECT_TRUE(window->cLineOrDot->isChecked());
    const NavigationDisplayValues v = window->DisplayValues();
    EXPECT_EQ(v.vesselColour, skerra::colors::Navy);
    EXPECT_EQ(v.chartColour, skerra::colors::White);
    EXPECT_EQ(v.trackFixColour, skerra::colors::Green);
    EXPECT_EQ(v.trackFloatColour, skerra::colors::Yellow);
    EXPECT_EQ(v.vesselWidth, "3");
    EXPECT_EQ(v.depthAlert, "1");
    EXPECT_TRUE(v.lineOrDot);

    // A later show with the chart known pushes changed widths to its layers.
    window->SetCanvas(&chart_);
    window->hide();
    skerra::IniFile(iniPath()).WriteString("NAVIGATION_SETTINGS", "TrackWidth", "6");
    window->show();
    for (const char* layer : {"track_fix", "track_float", "track_nofix"}) EXPECT_EQ(layerWidth(chart_, layer), 6) << layer;
    EXPECT_EQ(layerWidth(chart_, "~~Halvek Vessel"), 1);  // its text did not change
}

// White by day; under a dark style nothing of it stays bright, and its texts read.
TEST_F(NavsetTest, NoBrightWindowUnderADarkStyle)
{
    const auto window = makeWindow();
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        QApplication::processEvents();  // the open window hears of the new style
        const QImage picture = window->grab().toImage();
        QHash<QRgb, int> counts;
        for (int y = 0; y < picture.height(); y += 2)
            for (int x = 0; x < picture.width(); x += 2) ++counts[picture.pixel(x, y)];
        const QColor background(std::max_element(counts.begin(), counts.end()).key());
        if (skerra::activeStyleIsDark())
            EXPECT_LT(skerra::relativeLuminance(background), 0.1) << style.toStdString();
        else
            EXPECT_GT(skerra::relativeLuminance(background), 0.9) << style.toStdString();  // white
        EXPECT_GE(skerra::contrastRatio(window->palette().color(QPalette::WindowText),
                                        window->palette().color(QPalette::Window)),
                  skerra::ReadableContrast)
            << style.toStdString();
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

TEST_F(NavsetTest, EmptiedEditsAreRefilledAndTheWidthsReachTheChart)
{
    const auto window = makeWindow();
    const struct { QLineEdit* edit; const char* refill; } cases[] = {
        {window->VesselWidth, "2"}, {window->TrackWidth, "2"}, {window->TrackDistance, "1"},
        {window->edDepthAlert1, "0"},
    };
    for (const auto& c : cases) {
        c.edit->setText("7");
        c.edit->clear();
        EXPECT_EQ(c.edit->text(), c.refill) << c.edit->objectName().toStdString();
    }
    EXPECT_EQ(layerWidth(chart_, "~~Halvek Vessel"), 2);
    window->TrackWidth->setText("5");
    for (const char* layer : {"track_fix", "track_float", "track_nofix"}) EXPECT_EQ(layerWidth(chart_, layer), 5) << layer;
    EXPECT_EQ(layerWidth(chart_, "~~Halvek Vessel"), 2);
    const NavigationDisplayValues v = window->DisplayValues();
    EXPECT_EQ(v.trackDistance, "1");
    EXPECT_EQ(v.depthAlert, "0");
    EXPECT_EQ(v.trackWidth, "5");
}

TEST_F(NavsetTest, NumberEditsTakeOnlyNumbersAndAHalfTypedValueLeavesTheOneInForce)
{
    const auto window = makeWindow();
    typeInto(window->VesselWidth, "x");
    EXPECT_EQ(window->VesselWidth->text(), "3");
    window->edDepthAlert1->clear();  // refilled with "0"
    window->edDepthAlert1->selectAll();
    typeInto(window->edDepthAlert1, "2,5");
    EXPECT_EQ(window->edDepthAlert1->text(), "25");  // the comma is refused
    window->edDepthAlert1->setText("1.");
    EXPECT_EQ(window->DisplayValues().depthAlert, "1.");
    window->edDepthAlert1->setText(".");
    EXPECT_EQ(window->DisplayValues().depthAlert, "1.");
    window->TrackDistance->setText("abc");  // as a damaged settings file could hold
    EXPECT_EQ(window->DisplayValues().trackDistance, "20");
}

TEST_F(NavsetTest, TheUpdateRateDrivesTheMapTimerWithAFloorOfFiftyAndShowsTheIntervalInForce)
{
    const auto window = makeWindow();
    EXPECT_EQ(window->eVesselUpdateRate->text(), "200");
    const struct { const char* text; int interval; } cases[] = {{"20", 50}, {"750", 750}, {"", 500}, {"0", 50}};
    for (const auto& c : cases) {
        window->eVesselUpdateRate->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(mapTimer_.interval(), c.interval) << c.text;
        EXPECT_EQ(window->eVesselUpdateRate->text(), c.text);  // not refilled while typed
    }
    emit window->eVesselUpdateRate->editingFinished();
    EXPECT_EQ(window->eVesselUpdateRate->text(), "50");
    // The up-down steps by 50 within 0..5000.
    auto* upDown = window->findChild<skerra::UpDown*>("eVesselUpdateRateUpDown");
    ASSERT_NE(upDown, nullptr);
    upDown->stepBy(1);
    EXPECT_EQ(window->eVesselUpdateRate->text(), "100");
    EXPECT_EQ(mapTimer_.interval(), 100);
}

TEST_F(NavsetTest, ColourChoicesReachTheChartAtOnce)
{
    const auto window = makeWindow();
    window->fcadColor->pick(skerra::colors::Teal);
    EXPECT_EQ(chart_.BackColor, skerra::colors::Teal);
    window->VesselColor->pick(skerra::colors::Fuchsia);
    EXPECT_EQ(chart_.FindLayer(chart_.LayerFindByName("~~Halvek Vessel"))->penColor, skerra::colors::Fuchsia);
    window->ColorTracklines1->pick(skerra::colors::Aqua);
    EXPECT_EQ(window->DisplayValues().trackFixColour, skerra::colors::Aqua);
}

TEST_F(NavsetTest, BeforeTheLayersExistChangesReachNoLayer)
{
    THalvekCanvasCore bare;
    const auto window = makeWindow(false);
    window->SetCanvas(&bare);
    window->VesselWidth->setText("9");
    window->TrackWidth->setText("9");
    window->VesselColor->pick(skerra::colors::Red);
    EXPECT_EQ(bare.LayerFindByName("~~Halvek Vessel"), -1);
    EXPECT_EQ(bare.FindLayer(0)->penWidth, 1);
}

TEST_F(NavsetTest, ClosingStoresTheSectionAndThePlacementAndTheNextShowReadsThemBack)
{
    {
        const auto window = makeWindow();
        window->VesselWidth->setText("4");
        window->edDepthAlert1->setText("2.5");
        window->cLineOrDot->setChecked(false);
        window->fcadColor->pick(skerra::colors::Silver);
        window->move(40, 50);
        window->close();
        EXPECT_FALSE(window->isVisible());
    }
    const skerra::IniFile ini(iniPath());
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "VesselWidth", ""), "4");
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "edDepthAlert", ""), "2.5");
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "cLineOrDot", ""), "0");
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "BackgroundColor", ""), "12632256");
    EXPECT_TRUE(ini.SectionExists("Navset"));

    const auto again = makeWindow();
    EXPECT_EQ(again->VesselWidth->text(), "4");
    EXPECT_EQ(again->DisplayValues().chartColour, skerra::colors::Silver);
    EXPECT_FALSE(again->cLineOrDot->isChecked());
}

// A hand-edited width the two-digit edit cannot hold is shown and written back as the
// nearest allowed width, never cut to its first digits; it is reported once.
TEST_F(NavsetTest, StoredWidthsAtTheIntegerLimitsAreSettledNotCut)
{
    writeIni("[NAVIGATION_SETTINGS]\r\nVesselWidth=-2147483648\r\nTrackWidth=2147483647\r\n");
    const auto window = makeWindow();
    QStringList lines;
    QObject::connect(window.get(), &TNavset::StatusLineRequested, [&](const QString& line, bool) { lines << line; });
    QCoreApplication::processEvents();
    EXPECT_EQ(window->VesselWidth->text(), "0");
    EXPECT_EQ(window->TrackWidth->text(), "15");
    window->hide();
    window->show();
    QCoreApplication::processEvents();
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], "Navigation settings: TrackWidth=2147483647 is not a width from 0 to 15; 15 is used");
    EXPECT_EQ(contentOf(QString::fromStdString(TodaysEventLogPath())).count("is not a width"), 2);
    window->close();
    const skerra::IniFile ini(iniPath());
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "VesselWidth", ""), "0");
    EXPECT_EQ(ini.ReadString("NAVIGATION_SETTINGS", "TrackWidth", ""), "15");
}

// ---- Vessel shape ----

class FShapeTest : public SettingsFileFixture {};

TEST_F(FShapeTest, WithoutTheSectionTheEditsShowTheStoredDefaults)
{
    TFShape window;
    EXPECT_FALSE(window.isVisible());
    const VesselShapeTexts t = window.ShapeTexts();
    EXPECT_EQ(window.edAmount->text(), "2");
    EXPECT_EQ(window.edInterval->text(), "10");
    EXPECT_EQ(window.edRadious->text(), "10");
    EXPECT_EQ(window.edBArrow->text(), "100");
    EXPECT_EQ(window.edLArrow->text(), "0");
    EXPECT_EQ(t.sideArrow, "0");
    EXPECT_EQ(window.BitBtn1->text(), "Save && Hide");
}

TEST_F(FShapeTest, DefaultThenSaveAndHideStoresTheDefaultTexts)
{
    TFShape window;
    window.show();
    window.edRadious->setText("3");
    window.bDefault->click();
    EXPECT_EQ(window.edRadious->text(), "10");
    EXPECT_FALSE(skerra::IniFile(iniPath()).SectionExists("VESSEL_SHAPE"));  // not stored yet
    window.BitBtn1->click();
    EXPECT_FALSE(window.isVisible());
    const skerra::IniFile ini(iniPath());
    EXPECT_EQ(ini.ReadString("VESSEL_SHAPE", "Number of circles", ""), "2");
    EXPECT_EQ(ini.ReadString("VESSEL_SHAPE", "Cirecle offset interval", ""), "10");
    EXPECT_EQ(ini.ReadString("VESSEL_SHAPE", "Radious of first circle", ""), "10");
    EXPECT_EQ(ini.ReadString("VESSEL_SHAPE", "Arrow length to bow", ""), "100");
    EXPECT_EQ(ini.ReadString("VESSEL_SHAPE", "Left right offset of arrow", ""), "10");
}

TEST_F(FShapeTest, TypedValuesTakeEffectUnsavedAndABadTextKeepsTheValueInForce)
{
    TFShape window;
    window.edRadious->setText("12.5");
    EXPECT_EQ(window.ShapeTexts().firstRingRadius, "12.5");
    window.edRadious->setText("");
    window.edBArrow->setText(".");
    const VesselShapeTexts t = window.ShapeTexts();
    EXPECT_EQ(t.firstRingRadius, "12.5");
    EXPECT_EQ(t.bowArrow, "100");
    EXPECT_FALSE(skerra::IniFile(iniPath()).SectionExists("VESSEL_SHAPE"));
}

TEST_F(FShapeTest, TheRingCountTakesWholeNumbersUpToTwenty)
{
    TFShape window;
    window.edAmount->clear();
    typeInto(window.edAmount, "35");
    EXPECT_EQ(window.edAmount->text(), "20");
    window.edAmount->clear();
    typeInto(window.edAmount, "-1.5");
    EXPECT_EQ(window.edAmount->text(), "15");
    EXPECT_EQ(window.ShapeTexts().ringCount, "15");
}

// ---- Theme ----

class ThemeTest : public SettingsFileFixture {
protected:
    void SetUp() override
    {
        SettingsFileFixture::SetUp();
        ASSERT_TRUE(skerra::applyStyle("Light", false));
        chart_.SetBackColor(skerra::colors::Teal);  // as the navigation settings chose
        window_.SetCanvas(&chart_, nullptr);
        previous_ = skerra::setMessageHandler([this](const skerra::MessageRequest& r) {
            boxes_ << r.text;
            return int(skerra::MbOk);
        });
    }
    void TearDown() override
    {
        skerra::setMessageHandler(previous_);
        SettingsFileFixture::TearDown();
    }
    void choose(const QString& name)
    {
        const QList<QListWidgetItem*> items = window_.lbThemeList->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1);
        window_.lbThemeList->setCurrentItem(items.front());
        window_.lbThemeListClick();
    }
    QString storedStyle() const
    {
        return skerra::IniFile(iniPath()).ReadString("APPLICATION", "ThemeStyle", "<none>");
    }
    THalvekCanvasCore chart_;
    TfTheme window_;
    QStringList boxes_;
    skerra::MessageHandler previous_;
};

TEST_F(ThemeTest, ShowingListsTheStylesAndSelectsTheOneInForce)
{
    window_.show();
    EXPECT_EQ(window_.PreviousStyleName, "Light");
    ASSERT_NE(window_.lbThemeList->currentItem(), nullptr);
    EXPECT_EQ(window_.lbThemeList->currentItem()->text(), "Light");
    const int count = window_.lbThemeList->count();
    EXPECT_EQ(count, skerra::styleNames().size() + 1);  // and the platform's own look
    EXPECT_EQ(window_.lInfo->text(), QStringLiteral("Available themes: %1. Select to preview.").arg(count));
}

TEST_F(ThemeTest, APreviewGivesTheChartThePanelColourAndCancelRestoresStyleAndBackground)
{
    window_.show();
    choose("Dark");
    EXPECT_EQ(skerra::activeStyleName(), "Dark");
    EXPECT_EQ(chart_.BackColor, skerra::fromQColor(QColor(0x2D2D30)));
    window_.bCancel->click();
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(skerra::activeStyleName(), "Light");
    EXPECT_EQ(chart_.BackColor, skerra::colors::Teal);
    EXPECT_EQ(storedStyle(), "<none>");
    EXPECT_TRUE(boxes_.isEmpty());
}

TEST_F(ThemeTest, TheCloseBoxRestoresLikeCancel)
{
    window_.show();
    choose("Sand");
    window_.close();
    EXPECT_EQ(skerra::activeStyleName(), "Light");
    EXPECT_EQ(chart_.BackColor, skerra::colors::Teal);
    EXPECT_EQ(storedStyle(), "<none>");
}

TEST_F(ThemeTest, SaveAndExitStoresTheChoiceAndKeepsThePreview)
{
    window_.show();
    choose("Night Red");
    window_.bSaveExit->click();
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(storedStyle(), "Night Red");
    EXPECT_EQ(skerra::activeStyleName(), "Night Red");
    EXPECT_EQ(chart_.BackColor, skerra::fromQColor(QColor(0x140000)));
}

TEST_F(ThemeTest, SaveAndExitWithNothingSelectedStoresNothing)
{
    window_.show();
    window_.lbThemeList->clearSelection();
    window_.bSaveExit->click();
    EXPECT_FALSE(window_.isVisible());
    EXPECT_EQ(storedStyle(), "<none>");
}

TEST_F(ThemeTest, ThePlatformsOwnLookCanBePreviewedAndLeftAgain)
{
    window_.show();
    choose(skerra::DefaultStyleName);
    EXPECT_EQ(skerra::activeStyleName(), skerra::DefaultStyleName);
    EXPECT_TRUE(boxes_.isEmpty());
    window_.bCancel->click();
    EXPECT_EQ(skerra::activeStyleName(), "Light");
}

}  // namespace
