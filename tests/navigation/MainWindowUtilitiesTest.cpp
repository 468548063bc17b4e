// The main window's small services without a window: keyboard places, the folder the
// last-file panel shows and where a click on that panel lands.

#include "navigation/KeyboardPlacement.h"
#include "navigation/LastFileFolder.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

TEST(KeyboardPlacement, KeypadBottomRightKeyboardCentredBottom)
{
    const QSize keypad(170, 200), keyboard(420, 200);
    const struct {
        QSize client;
        QPoint keypadAt, keyboardAt;
    } cases[] = {
        {{1024, 700}, {844, 490}, {302, 490}},
        {{1025, 701}, {845, 491}, {302, 491}},  // odd width: the halving truncates
        {{1600, 900}, {1420, 690}, {590, 690}},  // after a resize: the new corner
        {{301, 150}, {121, -60}, {-59, -60}},    // smaller than the keyboard: truncated toward zero
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumericKeypadPosition(c.client, keypad), c.keypadAt) << c.client.width();
        EXPECT_EQ(SimpleKeyboardPosition(c.client, keyboard), c.keyboardAt) << c.client.width();
    }
}

TEST(LastFileFolder, DayFolderOnlyForTheDataTreesLayouts)
{
    const QString root = "/home/ann/QMT/";
    const struct {
        const char* file;
        const char* shown;
    } cases[] = {
        {"/home/ann/QMT/2026-12-10/QMT/2026-12-10 1405.hal", "/home/ann/QMT/2026-12-10"},
        {"/home/ann/QMT/2026-12-01/QMT/old.hal", "/home/ann/QMT/2026-12-01"},
        {"/home/ann/charts/harbour.dxf", "/home/ann/charts"},
        {"/home/ann/charts/QMT/harbour.hal", "/home/ann/charts/QMT"},  // a QMT folder elsewhere
        {"/home/ann/QMT/2026-12-10/LOG/points.xyz", "/home/ann/QMT/2026-12-10/LOG"},
        {"/plan.hal", "/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LastFileFolderText(c.file, root), QDir::toNativeSeparators(c.shown)) << c.file;
}

TEST(LastFileFolder, APanelTakesClicksOnBothEdges)
{
    const struct {
        int x;
        bool in;
    } cases[] = {{299, false}, {300, true}, {380, true}, {420, true}, {421, false}};
    for (const auto& c : cases) EXPECT_EQ(PanelContains(300, 120, c.x), c.in) << c.x;
}

}  // namespace
