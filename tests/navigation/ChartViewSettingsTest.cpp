#include "navigation/ChartViewSettings.h"
#include "platform/IniFile.h"

#include <QTemporaryDir>
#include <climits>
#include <gtest/gtest.h>

namespace {

class ChartViewSettingsTest : public ::testing::Test {
protected:
    skerra::IniFile ini() const { return skerra::IniFile(dir_.filePath("skerra.INI")); }
    void store(const char* key, const char* value)
    {
        skerra::IniFile file = ini();
        file.WriteString("CANVAS", key, value);
    }
    QTemporaryDir dir_;
};

TEST_F(ChartViewSettingsTest, NoSectionGivesTheDefaultView)
{
    const ChartViewSettings view = ReadChartViewSettings(ini());
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.right, 1000);
    EXPECT_EQ(view.top, 1000);
    EXPECT_EQ(view.bottom, 0);
    EXPECT_TRUE(view.gridAutoScale);
    EXPECT_EQ(view.depthSpeedDisplayMode, 0);
    EXPECT_EQ(view.ggaOverlayPosition, 0);
}

TEST_F(ChartViewSettingsTest, AValueThatIsNotANumberGivesOnlyThatKeysDefault)
{
    store("PlanWorldLeft", "-250.5");
    store("PlanWorldRight", "750");
    store("PlanWorldTop", "zero");
    store("PlanWorldBottom", "-100");
    store("DepthSpeedDisplayMode", "x");
    store("GGAOverlayPosition", "3");
    const ChartViewSettings view = ReadChartViewSettings(ini());
    EXPECT_EQ(view.left, -250.5);
    EXPECT_EQ(view.right, 750);
    EXPECT_EQ(view.top, 1000);
    EXPECT_EQ(view.bottom, -100);
    EXPECT_EQ(view.depthSpeedDisplayMode, 0);
    EXPECT_EQ(view.ggaOverlayPosition, 3);
}

// The chart steps through the corners by adding one: a number beyond them would
// overflow at the int limit, so it reads as the first corner.
TEST_F(ChartViewSettingsTest, ACornerOutsideTheFourGivesTheDefault)
{
    for (const char* value : {"2147483647", "-2147483648", "4", "-1"}) {
        store("DepthSpeedDisplayMode", value);
        store("GGAOverlayPosition", value);
        const ChartViewSettings view = ReadChartViewSettings(ini());
        EXPECT_EQ(view.depthSpeedDisplayMode, 0) << value;
        EXPECT_EQ(view.ggaOverlayPosition, 0) << value;
    }
    store("DepthSpeedDisplayMode", "2");
    EXPECT_EQ(ReadChartViewSettings(ini()).depthSpeedDisplayMode, 2);
}

// A window that would show nothing, upside down or beyond the numbers falls back as a whole.
TEST_F(ChartViewSettingsTest, AnUnusableWorldWindowFallsBackToTheDefaultWindow)
{
    const struct { const char *left, *right, *top, *bottom; } cases[] = {
        {"500", "500", "900", "100"},         // no width
        {"500", "100", "900", "100"},         // turned over left to right
        {"0", "1000", "100", "100"},          // no height
        {"0", "1000", "0", "1000"},           // turned over top to bottom
        {"-1e308", "1e308", "1000", "0"},     // width beyond the numbers
        {"0", "1000", "inf", "0"},            // not a finite number: default top, then no height
        {"0", "1000", "nan", "2000"},
    };
    for (const auto& c : cases) {
        store("PlanWorldLeft", c.left);
        store("PlanWorldRight", c.right);
        store("PlanWorldTop", c.top);
        store("PlanWorldBottom", c.bottom);
        const ChartViewSettings view = ReadChartViewSettings(ini());
        EXPECT_EQ(view.left, 0) << c.left << " " << c.right << " " << c.top << " " << c.bottom;
        EXPECT_EQ(view.right, 1000) << c.left;
        EXPECT_EQ(view.top, 1000) << c.top;
        EXPECT_EQ(view.bottom, 0) << c.bottom;
    }
}

TEST_F(ChartViewSettingsTest, WrittenViewReadsBackTheSame)
{
    ChartViewSettings written;
    written.left = 500000.125;
    written.right = 501234.5;
    written.top = 4500800.25;
    written.bottom = 4499900;
    written.gridAutoScale = false;
    written.depthSpeedDisplayMode = 2;
    written.ggaOverlayPosition = 1;
    skerra::IniFile file = ini();
    WriteChartViewSettings(file, written);
    const ChartViewSettings read = ReadChartViewSettings(ini());
    EXPECT_EQ(read.left, written.left);
    EXPECT_EQ(read.right, written.right);
    EXPECT_EQ(read.top, written.top);
    EXPECT_EQ(read.bottom, written.bottom);
    EXPECT_FALSE(read.gridAutoScale);
    EXPECT_EQ(read.depthSpeedDisplayMode, 2);
    EXPECT_EQ(read.ggaOverlayPosition, 1);
}

}  // namespace
