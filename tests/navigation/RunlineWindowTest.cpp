// The runline generator on the main window's chart: routes drawn or handed over, the
// edits and line-type buttons that lay the lines out again, and the settings file.

#include "MainWindowTestSupport.h"

#include "canvas/widget/THalvekCanvas.h"
#include "navigation/NavLayers.h"
#include "navigation/TFNav.h"
#include "navigation/TfRunline1.h"
#include "platform/AppPaths.h"
#include "platform/Colour.h"
#include "platform/Contrast.h"
#include "platform/IniFile.h"
#include "platform/MessageBox.h"
#include "shell/SharedHeader.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {

class RunlineWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_.Open();
        QDir().mkpath(QString::fromStdString(LogFolder));
        chart = FNav->fcad;
        chart->WorldSet(0, 1000, 1000, 0);
        w = fRunline1;
        w->show();
    }

    std::vector<const THShape*> runlines() const
    {
        const int layer = chart->LayerFindByName("Halvek_Runlines");
        std::vector<const THShape*> shapes;
        if (layer < 0) return shapes;
        for (const THShape* s : chart->ShapesOnLayerInDrawingOrder(layer)) shapes.push_back(s);
        return shapes;
    }
    static QByteArray eventLog()
    {
        QFile f(QString::fromStdString(TodaysEventLogPath()));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void expectStatus(const QString& text, TColor colour)
    {
        EXPECT_EQ(w->lRouteStatus->text(), text);
        // The status's colour, darkened or lightened as far as the panel needs to read it.
        const QPalette palette = w->lRouteStatus->palette();
        EXPECT_EQ(palette.color(QPalette::WindowText),
                  skerra::readableTextOn(palette.color(QPalette::Window), skerra::toQColor(colour)))
            << text.toStdString();
        EXPECT_GE(skerra::contrastRatio(palette.color(QPalette::WindowText), palette.color(QPalette::Window)),
                  skerra::ReadableContrast);
    }
    void click(int button, double x, double y)
    {
        int sx = 0, sy = 0;
        chart->WorldToScreen(x, y, sx, sy);
        chart->MouseDown(button, 0, sx, sy);
        chart->MouseUp(button, 0, sx, sy);
    }

    mainwindowtest::TemporaryProgram program_;
    THalvekCanvas* chart = nullptr;
    TfRunline1* w = nullptr;
};

TEST_F(RunlineWindowTest, StartsWithoutARouteInPerpendicularMode)
{
    expectStatus("No route drawn", skerra::colors::Gray);
    EXPECT_EQ(w->eSpacing->text(), "10");
    EXPECT_EQ(w->eLength->text(), "100");
    EXPECT_TRUE(w->rbPerpendicular->isChecked());
    EXPECT_FALSE(w->rbParallel->isChecked());
    EXPECT_EQ(w->width(), 320);
    EXPECT_GE(w->height(), 280);  // taller where the font in force needs it
    EXPECT_EQ(w->windowTitle(), "Runline Generator");
}

// A route drawn on the chart is taken when it is finished, and lines follow at once.
TEST_F(RunlineWindowTest, DrawnRouteIsTakenAndLaidOut)
{
    w->bDrawRoute->click();
    expectStatus("Drawing... (right-click to finish)", skerra::colors::Blue);
    EXPECT_EQ(chart->CadMode, 5);
    click(1, 100, 500);
    click(1, 400, 500);
    click(1, 400, 800);
    click(2, 400, 800);
    ASSERT_EQ(w->Route.size(), 3u);
    EXPECT_TRUE(w->RouteReady);
    expectStatus("Route: 3 points", skerra::colors::Green);
    EXPECT_EQ(chart->ShapesOnLayer(chart->LayerFindByName("Halvek_Route")).size(), 1u);
    EXPECT_FALSE(runlines().empty());
    EXPECT_TRUE(chart->ShapesOnLayer(UserShapeLayerId).empty());

    // Drawing a route again empties the lines and the old route.
    w->bDrawRoute->click();
    EXPECT_TRUE(runlines().empty());
    EXPECT_TRUE(chart->ShapesOnLayer(chart->LayerFindByName("Halvek_Route")).empty());
    EXPECT_FALSE(w->RouteReady);

    // While the window is hidden a finished polyline is no route.
    w->hide();
    click(1, 100, 100);
    click(1, 200, 100);
    click(2, 200, 100);
    EXPECT_TRUE(w->Route.empty());
}

TEST_F(RunlineWindowTest, EveryEditAndLineTypeClickLaysTheLinesOutAgain)
{
    w->eSpacing->setText("10");
    w->eLength->setText("5");
    const QByteArray before = eventLog();
    w->SetRoute({{0, 0}, {30, 0}});
    auto lines = runlines();
    ASSERT_EQ(lines.size(), 5u);  // the route, then 4 cross lines of 10 m
    for (size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(chart->ShapePointCount(lines[i]->ShapeNumber()), 2);
        EXPECT_NEAR(chart->ShapePointGetX(lines[i]->ShapeNumber(), 0), 10.0 * double(i - 1), 1e-4);
        EXPECT_NEAR(chart->ShapePointGetY(lines[i]->ShapeNumber(), 0) - chart->ShapePointGetY(lines[i]->ShapeNumber(), 1), 10, 1e-4);
    }
    EXPECT_EQ(eventLog().mid(before.size()).count("Runlines generated - Spacing: 10, Length: 5"), 1);

    w->eLength->setText("25");
    w->rbParallel->click();
    EXPECT_EQ(runlines().size(), 5u);  // the route and 2 lines on each side
    w->eSpacing->setText("20");
    EXPECT_EQ(runlines().size(), 3u);
    w->rbPerpendicular->click();
    EXPECT_EQ(runlines().size(), 3u);  // at 0 and 20 m

    // Texts that are not a spacing above zero lay out at 10 m; the log keeps the text.
    for (const char* text : {"abc", "0", "-5", "nan"}) {
        const QByteArray logBefore = eventLog();
        w->eSpacing->setText(text);
        EXPECT_EQ(runlines().size(), 5u) << text;
        const QByteArray entry = eventLog().mid(logBefore.size());
        EXPECT_TRUE(entry.startsWith("\r\nAuto Event:\t")) << text;
        EXPECT_TRUE(entry.endsWith(QByteArray("\tRunlines generated - Spacing: ") + text + ", Length: 25")) << text;
        EXPECT_EQ(entry.count("Auto Event:"), 1) << text;
    }
}

TEST_F(RunlineWindowTest, TooManyLinesAreRefusedWithoutALogEntry)
{
    w->SetRoute({{0, 0}, {1000, 0}});
    ASSERT_FALSE(runlines().empty());
    const QByteArray before = eventLog();
    w->eSpacing->setText("0.000001");
    EXPECT_TRUE(runlines().empty());
    expectStatus("Too many lines - increase spacing", skerra::colors::Red);
    EXPECT_EQ(eventLog(), before);
    w->eSpacing->setText("100");
    EXPECT_EQ(runlines().size(), 12u);
    expectStatus("Route: 2 points", skerra::colors::Green);
}

TEST_F(RunlineWindowTest, GenerateClearAndShortRoutes)
{
    w->bGenerate->click();
    EXPECT_EQ(program_.boxes, QStringList{"Please draw a route first."});

    w->SetRoute({{5, 5}});
    expectStatus("Need at least 2 points", skerra::colors::Red);
    EXPECT_TRUE(runlines().empty());

    w->SetRoute({{0, 0}, {0, 20}});
    w->eSpacing->setText("4");
    w->eLength->setText("8");
    w->rbParallel->click();
    w->bGenerate->click();
    const skerra::IniFile ini(skerra::settingsFilePath());
    EXPECT_EQ(ini.ReadString("RUNLINE", "Spacing", ""), "4");
    EXPECT_EQ(ini.ReadString("RUNLINE", "Length", ""), "8");
    EXPECT_FALSE(ini.ReadBool("RUNLINE", "Perpendicular", true));
    EXPECT_EQ(runlines().size(), 5u);

    w->bClear->click();
    EXPECT_TRUE(runlines().empty());
    EXPECT_FALSE(w->RouteReady);
    expectStatus("No route drawn", skerra::colors::Gray);
    w->eSpacing->setText("2");  // nothing to lay out now
    EXPECT_TRUE(runlines().empty());
}

// After the chart is loaded anew its layers are numbered afresh: clearing the lines
// must not empty the layer that took the old number.
TEST_F(RunlineWindowTest, ClearingAfterAChartReloadLeavesOtherLayersAlone)
{
    w->SetRoute({{0, 0}, {0, 20}});
    const int oldId = w->RunlinesLayerId;
    ASSERT_GE(oldId, 0);
    chart->ResetChart();
    while (chart->NextLayerId() <= oldId) chart->LayerOpen(QStringLiteral("Imported %1").arg(chart->NextLayerId()));
    chart->DrawPoint(1, 1, oldId);
    w->bClear->click();
    EXPECT_EQ(chart->ShapesOnLayer(oldId).size(), 1u);
    w->bDrawRoute->click();
    EXPECT_EQ(chart->ShapesOnLayer(oldId).size(), 1u);
}

TEST_F(RunlineWindowTest, MenuCommandShowsTheWindow)
{
    w->hide();
    QAction* menu = FNav->findChild<QAction*>("Generate1");
    ASSERT_TRUE(menu);
    menu->trigger();
    EXPECT_TRUE(w->isVisible());
}

TEST(RunlineWindowSettings, ReadWhenTheWindowIsMade)
{
    mainwindowtest::TemporaryProgram program;
    {
        skerra::IniFile ini(skerra::settingsFilePath());
        ini.WriteString("RUNLINE", "Spacing", "2.5");
        ini.WriteString("RUNLINE", "Length", "40");
        ini.WriteBool("RUNLINE", "Perpendicular", false);
    }
    program.Open();
    EXPECT_EQ(fRunline1->eSpacing->text(), "2.5");
    EXPECT_EQ(fRunline1->eLength->text(), "40");
    EXPECT_TRUE(fRunline1->rbParallel->isChecked());
    EXPECT_FALSE(fRunline1->rbPerpendicular->isChecked());
}

}  // namespace
