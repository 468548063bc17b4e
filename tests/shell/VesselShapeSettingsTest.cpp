#include "platform/IniFile.h"
#include "shell/VesselShapeSettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace skerra;

namespace {

class VesselShapeFile : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath(QStringLiteral("Skerra.INI")); }
    void write(const QByteArray& bytes)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    VesselShapeTexts read() const { return readVesselShape(IniFile(path())); }
    QTemporaryDir dir_;
};

}  // namespace

TEST_F(VesselShapeFile, WithoutTheSectionTheSidewardArrowIsZero)
{
    const VesselShapeTexts t = read();
    EXPECT_EQ(t.ringCount, "2");
    EXPECT_EQ(t.ringInterval, "10");
    EXPECT_EQ(t.firstRingRadius, "10");
    EXPECT_EQ(t.bowArrow, "100");
    EXPECT_EQ(t.sideArrow, "0");
}

TEST_F(VesselShapeFile, StoredNumbersShowInTheShortestFormAndBadOnesGiveTheDefaults)
{
    write("[VESSEL_SHAPE]\r\nNumber of circles=3\r\nCirecle offset interval=2.50\r\n"
          "Radious of first circle=abc\r\nArrow length to bow=40\r\nLeft right offset of arrow=1e1\r\n");
    const VesselShapeTexts t = read();
    EXPECT_EQ(t.ringCount, "3");
    EXPECT_EQ(t.ringInterval, "2.5");
    EXPECT_EQ(t.firstRingRadius, "10");
    EXPECT_EQ(t.bowArrow, "40");
    EXPECT_EQ(t.sideArrow, "10");
}

TEST_F(VesselShapeFile, TheRingCountIsBounded)
{
    const struct { const char* stored; const char* shown; } cases[] = {
        {"20", "20"}, {"21", "20"}, {"100000", "20"}, {"-4", "0"}, {"0", "0"}, {"x", "2"},
    };
    for (const auto& c : cases) {
        write(QByteArray("[VESSEL_SHAPE]\r\nNumber of circles=") + c.stored + "\r\n");
        EXPECT_EQ(read().ringCount, c.shown) << c.stored;
    }
}

TEST_F(VesselShapeFile, DefaultsWrittenAreWhatTheDefaultButtonShows)
{
    {
        IniFile ini(path());
        writeVesselShape(ini, defaultVesselShapeTexts());
    }
    const IniFile ini(path());
    const struct { const char* key; const char* value; } stored[] = {
        {"Number of circles", "2"}, {"Cirecle offset interval", "10"}, {"Radious of first circle", "10"},
        {"Arrow length to bow", "100"}, {"Left right offset of arrow", "10"},
    };
    for (const auto& s : stored) EXPECT_EQ(ini.ReadString(VesselShapeSection, s.key, "<none>"), s.value) << s.key;
}
