#include "MainWindowTestSupport.h"

#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavLayers.h"
#include "navigation/TFNav.h"
#include "platform/AppPaths.h"
#include "platform/Clock.h"
#include "shell/SharedHeader.h"
#include "app/StartUp.h"

#include <QAction>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The main window with its chart, in temporary folders.
class MainWindowChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_.Open();
        FNav->fcad->WorldSet(0, 1000, 1000, 0);
    }
    void trigger(const char* action)
    {
        QAction* a = FNav->findChild<QAction*>(QString::fromLatin1(action));
        ASSERT_TRUE(a) << action;
        a->trigger();
    }
    mainwindowtest::TemporaryProgram program_;
};

TEST_F(MainWindowChartTest, ToolBarModesDrawOnTheUserShapeLayer)
{
    THalvekCanvas* chart = FNav->fcad;
    const struct { const char* action; int mode; } modes[] = {
        {"ToolButton7", 17}, {"ToolButton12", 3},  {"ToolButton21", 1},  {"ToolButton23", 5},
        {"ToolButton27", 4}, {"ToolButton28", 6},  {"ToolButton29", 8},  {"ToolButton30", 10},
        {"ToolButton31", 19}, {"Zoomwindow", -3}, {"Zoomdynamic", -4},
    };
    for (const auto& m : modes) {
        trigger(m.action);
        EXPECT_EQ(chart->CadMode, m.mode) << m.action;
    }

    trigger("ToolButton12");  // line: two clicks, then a right click finishes
    chart->MouseDown(1, 0, 100, 100);
    chart->MouseUp(1, 0, 100, 100);
    chart->MouseDown(1, 0, 300, 200);
    chart->MouseUp(1, 0, 300, 200);
    chart->MouseDown(2, 0, 300, 200);
    chart->MouseUp(2, 0, 300, 200);
    ASSERT_GE(UserShapeLayerId, 0);
    EXPECT_EQ(chart->ShapesOnLayer(UserShapeLayerId).size(), 1u);
    EXPECT_TRUE(chart->ShapesOnLayer(VesselLayerId).empty());
    EXPECT_EQ(chart->CadMode, 0);
}

TEST_F(MainWindowChartTest, ZoomCommandsWorkAboutTheMiddle)
{
    THalvekCanvas* chart = FNav->fcad;
    const double width = chart->GetWorldWidth();
    const double middle = (chart->WorldLeft + chart->WorldRight) / 2;
    trigger("Zoomin");
    EXPECT_NEAR(chart->GetWorldWidth(), width * 0.8, width * 1e-9);
    EXPECT_NEAR((chart->WorldLeft + chart->WorldRight) / 2, middle, 1e-6);
    trigger("Zoomout");
    EXPECT_NEAR(chart->GetWorldWidth(), width * 0.8 * 1.2, width * 1e-9);
}

}  // namespace
