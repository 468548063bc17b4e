#include "shell/FormPlacement.h"
#include "shell/PlacementRules.h"

#include "platform/AppPaths.h"
#include "platform/IniFile.h"
#include "platform/ScreenPlacement.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(PlacementRules, KeepsThePositionOnTheScreen)
{
    const QSize screen(1920, 1080);
    const struct { QPoint saved; QPoint placed; } cases[] = {
        {{-20, 30}, {0, 30}},      {{1920, 30}, {0, 30}},   {{1919, 30}, {1919, 30}},
        {{30, -5}, {30, 0}},       {{30, 1080}, {30, 0}},   {{5000, 5000}, {0, 0}},
        {{100, 200}, {100, 200}},
    };
    for (const auto& c : cases) EXPECT_EQ(skerra::keepOnScreen(c.saved, screen), c.placed) << c.saved.x();
}

class FormPlacementTest : public ::testing::Test {
protected:
    void SetUp() override { skerra::setProgramFolderForTesting(dir_.path(), "skerra"); }
    void TearDown() override { skerra::setProgramFolderForTesting({}); }
    skerra::IniFile ini() { return skerra::IniFile(skerra::settingsFilePath()); }
    QTemporaryDir dir_;
};

TEST_F(FormPlacementTest, SavesAndRestoresUnderTheComponentName)
{
    QWidget w;
    w.setObjectName("Navset");
    w.setGeometry(40, 50, 300, 200);
    SaveFormPlacement(&w);
    EXPECT_EQ(ini().ReadInteger("Navset", "WindowState", -1), 0);
    EXPECT_EQ(ini().ReadInteger("Navset", "Width", -1), 300);

    QWidget other;
    other.setObjectName("Navset");
    other.resize(123, 45);
    LoadFormPlacement(&other, false);
    EXPECT_EQ(other.size(), QSize(123, 45));  // without size: the designed size stays
    LoadFormPlacement(&other, true);
    EXPECT_EQ(other.size(), QSize(300, 200));
}

TEST_F(FormPlacementTest, MaximisedStateIgnoresTheBounds)
{
    auto i = ini();
    i.WriteInteger("FNav", "WindowState", 2);
    i.WriteInteger("FNav", "Width", 10);
    QWidget w;
    w.setObjectName("FNav");
    w.resize(400, 300);
    LoadFormPlacement(&w, true);
    EXPECT_TRUE(w.windowState() & Qt::WindowMaximized);
}

TEST_F(FormPlacementTest, NegativeLeftIsMovedOnScreen)
{
    auto i = ini();
    i.WriteInteger("Offsets", "Left", -20);
    i.WriteInteger("Offsets", "Top", 30);
    i.WriteInteger("Offsets", "WindowState", 1);  // restored as a normal window
    QWidget w;
    w.setObjectName("Offsets");
    LoadFormPlacement(&w, false);
    EXPECT_EQ(skerra::expectedFrame(&w).topLeft(), QPoint(0, 30));
    EXPECT_FALSE(w.isMinimized());
}

}  // namespace
