// The echogram window, the realtime numbers window and the battery panel, offscreen.

#include "navigation/EchogramPainter.h"
#include "navigation/TfJoystick.h"
#include "navigation/TfRealtime.h"
#include "navigation/TfWaterfal.h"
#include "platform/AppPaths.h"
#include "platform/Colour.h"
#include "platform/Contrast.h"
#include "platform/IniFile.h"
#include "platform/StyleRegistry.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SurveyWindowsTest : public ::testing::Test {
protected:
    void SetUp() override { skerra::setProgramFolderForTesting(dir_.path() + "/"); }
    void TearDown() override { skerra::setProgramFolderForTesting({}); }
    skerra::IniFile ini() const { return skerra::IniFile(skerra::settingsFilePath()); }

    QTemporaryDir dir_;
};

TEST_F(SurveyWindowsTest, EchogramSettingsAreKeptInRangeAndWrittenBack)
{
    const struct {
        int width, interval;
        int keptWidth, keptInterval;
    } cases[] = {{500, 0, 200, 100}, {0, -3, 1, 100}, {80, 250, 80, 250}};
    for (const auto& c : cases) {
        ini().WriteInteger("ECHOGRAM", "DataWidth", c.width);
        ini().WriteInteger("ECHOGRAM", "Interval", c.interval);
        QTimer timer;
        TfWaterfal window;
        window.SetEchogramTimer(&timer);
        window.show();
        EXPECT_EQ(window.DataWidth(), c.keptWidth) << c.width;
        EXPECT_EQ(timer.interval(), c.keptInterval) << c.interval;
        window.close();
        EXPECT_EQ(ini().ReadInteger("ECHOGRAM", "DataWidth", -1), c.keptWidth) << c.width;
        EXPECT_EQ(ini().ReadInteger("ECHOGRAM", "Interval", -1), c.keptInterval) << c.interval;
    }
}

TEST_F(SurveyWindowsTest, EchogramRecordsOnlyWhileShown)
{
    TfWaterfal window;
    window.PushDepth(5);
    EXPECT_EQ(window.Model().Newest(), 0.0);
    window.show();
    window.PushDepth(6);
    EXPECT_EQ(window.Model().Newest(), 6.0);
    window.hide();
    window.PushDepth(7);
    window.show();
    EXPECT_EQ(window.Model().Newest(), 6.0);  // the history survives hiding, without what came meanwhile
}

TEST_F(SurveyWindowsTest, EchogramDrawsTheSeabedAtTheSoundingsRow)
{
    TfWaterfal window;
    window.show();
    window.setGeometry(10, 10, 200, 100);  // 50 soundings: 4-pixel columns
    for (double d : {10.0, 0.0, 20.0, 0.0, 30.0, 0.0, 40.0}) window.PushDepth(d);
    // Range 7..43 m; 20 m (sounding 45 of 50, x 180..183) falls on row (13 * 100 / 36) = 36.
    const QImage picture = window.grab().toImage();
    ASSERT_EQ(picture.size(), QSize(200, 100));
    const int x = 182;
    std::vector<int> redRows;
    for (int y = 0; y < picture.height(); ++y)
        if (picture.pixelColor(x, y) == QColor(255, 0, 0)) redRows.push_back(y);
    ASSERT_FALSE(redRows.empty());
    EXPECT_EQ(redRows.front(), 35);
    EXPECT_EQ(redRows.back(), 37);
    EXPECT_EQ(picture.pixelColor(x, 20), QColor(0x64, 0xB4, 0xFF));  // water above
    EXPECT_EQ(picture.pixelColor(x, 60), QColor(0xF0, 0xF8, 0xFF));  // below the seabed
    EXPECT_EQ(picture.pixelColor(178, 20), QColor(0xF0, 0xF8, 0xFF));  // no sounding in the column before
}

// Under a dark style the echogram stays dark too, and its depth labels read on both
// the water and the background in every style.
TEST_F(SurveyWindowsTest, EchogramStaysDarkUnderADarkStyle)
{
    TfWaterfal window;
    window.show();
    window.setGeometry(10, 10, 200, 100);
    for (double d : {10.0, 20.0, 30.0, 40.0}) window.PushDepth(d);
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        QApplication::processEvents();
        const bool dark = skerra::activeStyleIsDark();
        const QImage picture = window.grab().toImage();
        const QColor water = picture.pixelColor(190, 5), ground = picture.pixelColor(100, 50);  // a column without soundings
        for (const QColor& c : {water, ground})
            EXPECT_EQ(skerra::relativeLuminance(c) < 0.2, dark) << style.toStdString();
        const EchogramColours colours = EchogramColoursFor(dark);
        EXPECT_EQ(water, colours.water) << style.toStdString();
        for (const QColor& behind : {colours.water, colours.background})
            EXPECT_GE(skerra::contrastRatio(colours.text, behind), skerra::ReadableContrast) << style.toStdString();
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

// White by day; under a dark style neither the window nor a box of stopped readings
// (silver) stays bright, and a change of style reaches the open window. The colours
// that tell the fix keep theirs.
TEST_F(SurveyWindowsTest, RealtimeWindowStaysDarkUnderADarkStyle)
{
    ASSERT_TRUE(skerra::trySetStyle("Light", false));
    TfRealtime window;
    window.SetGroupColour(window.GPSGroupBox, skerra::colors::Silver);
    window.SetGroupColour(window.DepthFrameHi, skerra::colors::Lime);
    for (const QString& style : skerra::styleNames()) {
        ASSERT_TRUE(skerra::trySetStyle(style, false));
        QApplication::processEvents();  // the open window hears of the new style
        const bool dark = skerra::activeStyleIsDark();
        const QColor background = window.palette().color(QPalette::Window);
        const QColor stopped = window.GPSGroupBox->palette().color(QPalette::Window);
        EXPECT_EQ(skerra::relativeLuminance(background) < 0.2, dark) << style.toStdString();
        EXPECT_EQ(stopped == skerra::toQColor(skerra::colors::Silver), !dark) << style.toStdString();
        if (dark) EXPECT_LT(skerra::relativeLuminance(stopped), 0.2) << style.toStdString();
        EXPECT_EQ(window.DepthFrameHi->palette().color(QPalette::Window), skerra::toQColor(skerra::colors::Lime));
        for (const QGroupBox* box : {window.GPSGroupBox, window.DepthFrameHi})
            EXPECT_GE(skerra::contrastRatio(box->palette().color(QPalette::WindowText),
                                            box->palette().color(QPalette::Window)),
                      skerra::ReadableContrast)
                << style.toStdString();
    }
    skerra::applyStyle(skerra::DefaultStyleName, false);
}

TEST_F(SurveyWindowsTest, RealtimeWindowHeightFollowsTheDepthFrames)
{
    TfRealtime window;
    EXPECT_EQ(window.height(), TfRealtime::kHeightBothDepths);
    window.HideLowFrequencyDepth();
    EXPECT_EQ(window.height(), TfRealtime::kHeightHighDepth);
    window.HideLowFrequencyDepth();
    EXPECT_EQ(window.height(), TfRealtime::kHeightHighDepth);
    window.ShrinkToNumbers();
    EXPECT_EQ(window.height(), TfRealtime::kHeightWithoutDepths);
    window.ShowLowFrequencyDepth();
    window.ShowLowFrequencyDepth();
    EXPECT_EQ(window.height(), TfRealtime::kHeightBothDepths);
    EXPECT_EQ(window.width(), TfRealtime::kClientWidth);
    EXPECT_EQ(window.ToolButton2->toolTip(), "Zoom In");
    EXPECT_EQ(window.ToolButton3->toolTip(), "Zoom Out");
}

TEST(LogFolderTarget, TheDayFolderAboveTheLogs)
{
    const struct {
        const char *rawLog, *logFolder, *target;
    } cases[] = {
        {"", "/d/QMT/2026-12-10/LOG/", "/d/QMT/2026-12-10"},
        {"/d/QMT/2026-12-09/LOG/2026-12-09 ZQB_GNSS_V3.log", "/d/QMT/2026-12-10/LOG/", "/d/QMT/2026-12-09"},
        {"LOG/x.log", "", "LOG"},
    };
    for (const auto& c : cases) EXPECT_EQ(LogFolderTarget(c.rawLog, c.logFolder), c.target) << c.rawLog;
}

TEST_F(SurveyWindowsTest, BatteryPanelSendsAxisCommandsAndFollowsTheMessageType)
{
    TfJoystick panel;
    std::vector<std::string> sent;
    QString type = "Halvek SMT";
    panel.SetSend([&](const std::string& text) { sent.push_back(text); });
    panel.SetMessageType([&] { return type; });

    panel.BitBtn5->click();
    panel.bUp->click();
    panel.bRight->click();
    panel.bRight->click();
    panel.BitBtn1->click();
    panel.bLeft->click();
    panel.bBottom->click();
    EXPECT_EQ(sent, (std::vector<std::string>{"<A+000>\n<B+000>\n", "<A+002>\n<B+002>\n", "<B+002>\n", "<B+003>\n",
                                              "<A+002>\n", "<A+001>\n", "<A+001>\n<B+003>\n"}));

    EXPECT_TRUE(panel.isVisible());
    panel.Timer1Timer();
    EXPECT_TRUE(panel.isVisible());
    type = "NMEA DPT";
    panel.Timer1Timer();
    EXPECT_FALSE(panel.isVisible());
    type = "Halvek SMT";
    panel.Timer1Timer();
    EXPECT_TRUE(panel.isVisible());
}

}  // namespace
