#include "platform/IniFile.h"
#include "shell/NavigationSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace skerra;

namespace {

class NavigationSettingsFile : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("Skerra.INI")); }
    void write(const QByteArray& bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir_;
};

}  // namespace

TEST_F(NavigationSettingsFile, WithoutTheSectionWidthsAreThreeLinesAreDrawnAndColoursAreTheDesignColours)
{
    const NavigationDisplayValues v = readNavigationSettings(IniFile(path()));
    EXPECT_EQ(v.vesselWidth, "3");
    EXPECT_EQ(v.trackWidth, "3");
    EXPECT_EQ(v.trackDistance, "20");
    EXPECT_EQ(v.depthAlert, "1");
    EXPECT_TRUE(v.lineOrDot);
    EXPECT_EQ(v.vesselColour, colors::Navy);
    EXPECT_EQ(v.chartColour, colors::White);
    EXPECT_EQ(v.trackFixColour, colors::Green);
    EXPECT_EQ(v.trackFloatColour, colors::Yellow);
}

TEST_F(NavigationSettingsFile, KeysAreReadWithTheirOwnNamesAndColoursMayBeHexadecimal)
{
    write("[NAVIGATION_SETTINGS]\r\nVesselWidth=5\r\nTrackWidth=4\r\nTrackDistance=7\r\nVesselColor=0xFF\r\n"
          "ColorTracklines1=65280\r\nColorTracklines0=16711680\r\nBackgroundColor=0\r\ncLineOrDot=0\r\n"
          "edDepthAlert=2.5\r\n");
    const NavigationDisplayValues v = readNavigationSettings(IniFile(path()));
    EXPECT_EQ(v.vesselWidth, "5");
    EXPECT_EQ(v.trackWidth, "4");
    EXPECT_EQ(v.trackDistance, "7");
    EXPECT_EQ(v.vesselColour, colors::Red);
    EXPECT_EQ(v.trackFixColour, colors::Lime);
    EXPECT_EQ(v.trackFloatColour, colors::Blue);
    EXPECT_EQ(v.chartColour, colors::Black);  // a stored black stays black
    EXPECT_FALSE(v.lineOrDot);
    EXPECT_EQ(v.depthAlert, "2.5");
}

TEST_F(NavigationSettingsFile, WritingStoresTextsColoursAsDecimalAndTheFlagAsOneOrZero)
{
    NavigationDisplayValues v;
    v.vesselWidth = "6";
    v.trackWidth = "1";
    v.trackDistance = "35";
    v.depthAlert = "0.75";
    v.vesselColour = colors::Purple;
    v.lineOrDot = true;
    {
        IniFile ini(path());
        writeNavigationSettings(ini, v);
    }
    const IniFile ini(path());
    const QString s = NavigationSettingsSection;
    EXPECT_EQ(ini.ReadString(s, "VesselColor", ""), "8388736");
    EXPECT_EQ(ini.ReadString(s, "BackgroundColor", ""), "16777215");
    EXPECT_EQ(ini.ReadString(s, "cLineOrDot", ""), "1");
    EXPECT_EQ(ini.ReadString(s, "edDepthAlert", ""), "0.75");
    EXPECT_FALSE(ini.ValueExists(s, "edDepthAlert1"));
    const NavigationDisplayValues back = readNavigationSettings(ini);
    EXPECT_EQ(back.vesselWidth, "6");
    EXPECT_EQ(back.trackWidth, "1");
    EXPECT_EQ(back.trackDistance, "35");
    EXPECT_EQ(back.vesselColour, colors::Purple);
    EXPECT_EQ(back.trackFloatColour, colors::Yellow);
}

// Hand-edited widths the two-digit edits cannot hold take the nearest allowed width, or
// the default for a text that is no whole number, and say so; they are never cut.
TEST_F(NavigationSettingsFile, StoredWidthsOutOfRangeAreSettledAndReportedNeverCut)
{
    const struct {
        const char* stored;
        const char* width;
        bool reported;
    } cases[] = {
        {"0", "0", false},          {"7", "7", false},          {"15", "15", false},
        {"16", "15", true},         {"2147483647", "15", true}, {"99999999999999999999", "15", true},
        {"-1", "0", true},          {"-2147483648", "0", true}, {"2.5", "3", true},
        {"wide", "3", true},
    };
    for (const auto& c : cases) {
        write(QByteArray("[NAVIGATION_SETTINGS]\r\nVesselWidth=") + c.stored + "\r\nTrackWidth=" + c.stored + "\r\n");
        QStringList problems;
        const NavigationDisplayValues v = readNavigationSettings(IniFile(path()), &problems);
        EXPECT_EQ(v.vesselWidth, c.width) << c.stored;
        EXPECT_EQ(v.trackWidth, c.width) << c.stored;
        ASSERT_EQ(problems.size(), c.reported ? 2 : 0) << c.stored;
        if (c.reported)
            EXPECT_EQ(problems[1], QStringLiteral("Navigation settings: TrackWidth=%1 is not a width from 0 to 15; %2 is used")
                                       .arg(QLatin1String(c.stored), QLatin1String(c.width)));
    }
}

TEST(MapTimerInterval, EmptyIsFiveHundredSmallIsFiftyAndANonNumberKeepsTheIntervalInForce)
{
    const struct { const char* text; std::optional<int> interval; } cases[] = {
        {"", 500}, {"200", 200}, {"20", 50}, {"0", 50}, {"50", 50}, {"5000", 5000},
        {"abc", std::nullopt}, {"1.5", std::nullopt}, {" ", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(mapTimerInterval(QString::fromLatin1(c.text)), c.interval) << c.text;
}

TEST(PenWidthFrom, OnlyWholeNumbersOfZeroOrMore)
{
    const struct { const char* text; std::optional<int> width; } cases[] = {
        {"2", 2}, {"0", 0}, {"15", 15}, {"", std::nullopt}, {"-1", std::nullopt}, {"2.5", std::nullopt},
        {"x", std::nullopt}, {"1000", 1000}, {"1001", 1000}, {"2147483647", 1000}, {"2147483648", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(penWidthFrom(QString::fromLatin1(c.text)), c.width) << c.text;
}
