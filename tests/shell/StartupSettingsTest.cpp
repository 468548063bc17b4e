#include "shell/StartupSettings.h"

#include "platform/IniFile.h"
#include "platform/DisplaySettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace skerra;

namespace {

StartupSettings readFrom(const QByteArray& content)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("skerra.INI");
    if (!content.isNull()) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    return readStartupSettings(IniFile(path));
}

TEST(StartupSettings, DefaultsWithoutASettingsFile)
{
    const StartupSettings s = readFrom(QByteArray());
    EXPECT_EQ(s.themeStyle, "Light");
    EXPECT_EQ(s.overlayFontSize, 40);
    EXPECT_EQ(s.overlayDepthColor, 0x800000);
    EXPECT_EQ(s.overlaySpeedColor, 0);
}

TEST(StartupSettings, StoredValuesAndBadOnes)
{
    const struct { const char* ini; int font; int depth; int speed; } cases[] = {
        {"[OVERLAY_SETTINGS]\nFontSize=28\nDepthColor=255\nSpeedColor=65280\n", 28, 255, 65280},
        {"[overlay_settings]\nfontsize=\nDepthColor=0x0000FF\n", 40, 255, 0},
        {"[OVERLAY_SETTINGS]\nFontSize=big\nDepthColor=blue\nSpeedColor=1.5\n", 40, 0x800000, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ini);
        const StartupSettings s = readFrom(c.ini);
        EXPECT_EQ(s.overlayFontSize, c.font);
        EXPECT_EQ(s.overlayDepthColor, c.depth);
        EXPECT_EQ(s.overlaySpeedColor, c.speed);
    }
    EXPECT_EQ(readFrom("[APPLICATION]\nThemeStyle=Skerra - Default\n").themeStyle, "Skerra - Default");
}

TEST(StartupSettings, AppliesTheOverlayValues)
{
    StartupSettings s;
    s.overlayFontSize = 12;
    s.overlayDepthColor = 1;
    s.overlaySpeedColor = 2;
    applyOverlaySettings(s);
    EXPECT_EQ(DisplaySettings::OverlayFontSize, 12);
    EXPECT_EQ(DisplaySettings::OverlayDepthColor, 1);
    EXPECT_EQ(DisplaySettings::OverlaySpeedColor, 2);
    applyOverlaySettings(StartupSettings{});
    EXPECT_EQ(DisplaySettings::GridSpacingX, 100.0);  // untouched members keep their initial values
    EXPECT_EQ(DisplaySettings::EventLabelTextColor, 255);
}

}  // namespace
