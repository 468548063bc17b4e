// Mouse and keyboard, driven through the widget with synthetic Qt events.

#include "canvas/widget/THalvekCanvas.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// A 200 x 200 canvas showing the world 0..200 both ways: pixel (x, y) is world (x, 200 - y).
class CanvasInput : public testing::Test {
protected:
    THalvekCanvas canvas;
    std::vector<std::string> events;

    void SetUp() override
    {
        canvas.resize(200, 200);
        canvas.Resize(200, 200);
        canvas.WorldSet(0, 200, 200, 0);
        canvas.OnDrawBegin = [this](QObject*, short type, double x, double y) { log("begin", type, x, y); };
        canvas.OnDrawEnd = [this](QObject*, short type, double x, double y) { log("end", type, x, y); };
        canvas.OnWorldMouseDown = [this](QObject*, short button, short, short action, double, double) {
            events.push_back("down " + std::to_string(button) + " " + std::to_string(action));
        };
        canvas.OnShapeNumberSelected = [this](QObject*, short type, long n) {
            events.push_back("selected " + std::to_string(type) + " " + std::to_string(n));
        };
    }
    void log(const char* what, int type, double x, double y)
    {
        events.push_back(std::string(what) + " " + std::to_string(type) + " " + std::to_string(std::lround(x)) + ","
                         + std::to_string(std::lround(y)));
    }
    void mouse(QEvent::Type type, Qt::MouseButton button, int x, int y, Qt::KeyboardModifiers mods = {})
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
        QMouseEvent e(type, QPointF(x, y), QPointF(x, y), button, held, mods);
        QApplication::sendEvent(&canvas, &e);
    }
    void click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {})
    {
        mouse(QEvent::MouseButtonPress, button, x, y, mods);
        mouse(QEvent::MouseButtonRelease, button, x, y, mods);
    }
    void move(int x, int y) { mouse(QEvent::MouseMove, Qt::NoButton, x, y); }
    void key(int qtKey)
    {
        QKeyEvent e(QEvent::KeyPress, qtKey, Qt::NoModifier);
        QApplication::sendEvent(&canvas, &e);
        lastKeyAccepted = e.isAccepted();
    }
    void wheel(int x, int y, int delta)
    {
        QWheelEvent e(QPointF(x, y), QPointF(x, y), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(&canvas, &e);
    }
    std::vector<long> shapeTypes() const
    {
        std::vector<long> t;
        for (const THShape* s : canvas.Shapes())
            t.push_back(s->ShapeType);
        return t;
    }
    bool lastKeyAccepted = false;
};

TEST_F(CanvasInput, PolylineEndsAtTheRightClickAndTheNextClickIsSwallowed)
{
    canvas.CadMode = 5;
    click(10, 190);
    click(50, 150);
    click(50, 150);  // a repeated point is ignored
    click(100, 100, Qt::RightButton);
    ASSERT_EQ(shapeTypes(), std::vector<long>{5});
    const auto* p = shape_cast<THPolyline>(*canvas.Shapes().begin());
    EXPECT_EQ(p->PointCount(), 2);
    EXPECT_EQ(events, (std::vector<std::string>{"down 1 5", "begin 5 10,10", "down 1 5", "down 1 5", "end 5 100,100"}));
    EXPECT_EQ(canvas.CadMode, 0);
    events.clear();
    click(10, 190);  // swallowed: no selection, no drawing
    EXPECT_FALSE(canvas.SwallowNextClick);
    EXPECT_EQ(events, std::vector<std::string>{"down 1 0"});
    EXPECT_EQ(canvas.SelectedShapeCount(), 0);
}

TEST_F(CanvasInput, OneClickPolylineIsDroppedButItsNumberStaysUsed)
{
    canvas.CadMode = 5;
    const long next = canvas.NextShapeId();
    click(10, 10);
    click(10, 10, Qt::RightButton);
    EXPECT_TRUE(canvas.Shapes().empty());
    EXPECT_EQ(canvas.NextShapeId(), next + 1);
    EXPECT_EQ(events.back(), "end 5 10,190");
}

TEST_F(CanvasInput, LineModeChainsSegmentsAndRectanglesRestart)
{
    canvas.CadMode = 3;
    click(10, 10);
    click(20, 10);
    click(20, 30);
    EXPECT_EQ(shapeTypes(), (std::vector<long>{3, 3}));
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto& e) { return e.rfind("begin", 0) == 0; }), 1);
    click(0, 0, Qt::RightButton);
    click(0, 0);  // swallowed

    events.clear();
    canvas.CadMode = 1;
    canvas.CadModeKeep = true;
    click(10, 10);
    click(50, 50);
    click(60, 60);  // a new rectangle begins
    EXPECT_EQ(shapeTypes(), (std::vector<long>{3, 3, 1}));
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto& e) { return e.rfind("begin", 0) == 0; }), 2);
    EXPECT_TRUE(canvas.FirstPointPlaced);
}

TEST_F(CanvasInput, EllipseOnOneHorizontalMakesNothing)
{
    canvas.CadMode = 4;
    canvas.CadModeKeep = true;
    click(10, 50);
    click(80, 50);
    EXPECT_TRUE(canvas.Shapes().empty());
    EXPECT_FALSE(canvas.FirstPointPlaced);
    EXPECT_TRUE(canvas.DrawingActive);
    click(10, 10);
    click(80, 50);
    EXPECT_EQ(shapeTypes(), std::vector<long>{20});
}

TEST_F(CanvasInput, PointModeEndsAfterEachPoint)
{
    canvas.CadMode = 17;
    click(30, 30);
    EXPECT_EQ(shapeTypes(), std::vector<long>{17});
    EXPECT_EQ(events, (std::vector<std::string>{"down 1 17", "end 17 30,170"}));
    EXPECT_EQ(canvas.CadMode, 0);
}

TEST_F(CanvasInput, ZoomWindowFitsTheClientShape)
{
    canvas.CadMode = -3;
    click(50, 50);
    move(100, 70);
    EXPECT_EQ(canvas.DrawCurrentX, 100);
    click(100, 70);  // 50 x 20 world units
    EXPECT_DOUBLE_EQ(canvas.WorldLeft, 50);
    EXPECT_DOUBLE_EQ(canvas.WorldRight, 100);
    EXPECT_DOUBLE_EQ(canvas.WorldTop, 165);
    EXPECT_DOUBLE_EQ(canvas.WorldBottom, 115);
    EXPECT_FALSE(canvas.DrawingActive);
    EXPECT_EQ(canvas.CadMode, 0);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](auto& e) { return e.rfind("down", 0) != 0; }), 0);
}

TEST_F(CanvasInput, MiddleDragPansFromThreePixels)
{
    mouse(QEvent::MouseButtonPress, Qt::MiddleButton, 100, 100);
    EXPECT_EQ(canvas.cursor().shape(), Qt::SizeAllCursor);
    mouse(QEvent::MouseMove, Qt::MiddleButton, 102, 100);
    EXPECT_EQ(canvas.WorldLeft, 0);
    mouse(QEvent::MouseMove, Qt::MiddleButton, 103, 100);
    EXPECT_DOUBLE_EQ(canvas.WorldLeft, -3);
    mouse(QEvent::MouseButtonRelease, Qt::MiddleButton, 103, 100);
    EXPECT_FALSE(canvas.PanActive);
}

TEST_F(CanvasInput, WheelZoomsPerFullStepAboutTheMouse)
{
    wheel(50, 150, 60);
    EXPECT_EQ(canvas.WorldRight, 200) << "half a step: nothing yet";
    wheel(50, 150, 60);
    EXPECT_NEAR(canvas.WorldRight - canvas.WorldLeft, 180, 1e-9);
    double x = 0, y = 0;
    canvas.ScreenToWorld(50, 150, x, y);
    EXPECT_NEAR(x, 50, 1e-9);
    EXPECT_NEAR(y, 50, 1e-9);
    wheel(50, 150, -120);
    EXPECT_NEAR(canvas.WorldRight - canvas.WorldLeft, 198, 1e-9);
}

TEST_F(CanvasInput, ClickSelectsShiftKeepsCtrlAppendsAgain)
{
    const long a = canvas.DrawLine(0, 100, 200, 100, 0);
    click(50, 100);
    EXPECT_EQ(canvas.SelectedShapes(), std::vector<long>{a});
    EXPECT_EQ(events.back(), "selected 3 " + std::to_string(a));
    click(50, 20, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(canvas.SelectedShapes(), std::vector<long>{a});
    click(50, 100, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(canvas.SelectedShapes(), (std::vector<long>{a, a}));
    click(50, 20);
    EXPECT_TRUE(canvas.SelectedShapes().empty());
}

TEST_F(CanvasInput, EscDropsThePendingPolygonAndKeepsTheMode)
{
    canvas.CadMode = 6;
    click(10, 10);
    click(60, 10);
    key(Qt::Key_Escape);
    EXPECT_TRUE(lastKeyAccepted);
    EXPECT_EQ(canvas.DrawingPolyline(), nullptr);
    EXPECT_FALSE(canvas.DrawingActive);
    EXPECT_EQ(canvas.CadMode, 6);
    EXPECT_TRUE(canvas.Shapes().empty());
    click(20, 20);
    EXPECT_NE(canvas.DrawingPolyline(), nullptr);
}

TEST_F(CanvasInput, DeleteOnlyWhenEnabledAndOtherKeysGoToTheParent)
{
    const long a = canvas.DrawLine(0, 100, 200, 100, 0);
    canvas.ShapeSelect(a, false);
    key(Qt::Key_Delete);
    EXPECT_NE(canvas.FindShape(a), nullptr);
    EXPECT_FALSE(lastKeyAccepted);
    canvas.DeleteKeyEnabled = true;
    key(Qt::Key_Delete);
    EXPECT_EQ(canvas.FindShape(a), nullptr);
    key(Qt::Key_F2);
    EXPECT_FALSE(lastKeyAccepted);
}

TEST_F(CanvasInput, RightDragMeasuresBearingFromGridNorth)
{
    mouse(QEvent::MouseButtonPress, Qt::RightButton, 50, 100);
    EXPECT_EQ(events.front(), "down 2 0");
    EXPECT_TRUE(canvas.MeasureActive);
    mouse(QEvent::MouseMove, Qt::RightButton, 150, 100);
    EXPECT_DOUBLE_EQ(canvas.MeasureBearing, 90);
    EXPECT_DOUBLE_EQ(canvas.MeasureDistance, 100);
    mouse(QEvent::MouseButtonRelease, Qt::RightButton, 150, 100);
    EXPECT_FALSE(canvas.MeasureActive);
}

TEST_F(CanvasInput, ModeChangedDuringADrawingNeverReachesAMissingShape)
{
    canvas.CadMode = 1;
    click(10, 10);  // a rectangle's first corner: no vertex shape
    canvas.CadMode = 10;
    click(30, 30);
    ASSERT_NE(canvas.DrawingPolyline(), nullptr);
    click(60, 10);
    click(90, 30);  // third point: the arc is done
    EXPECT_EQ(shapeTypes(), std::vector<long>{10});
    EXPECT_EQ(canvas.DrawingPolyline(), nullptr);
    click(120, 40);  // starts the next arc
    EXPECT_NE(canvas.DrawingPolyline(), nullptr);
}

TEST_F(CanvasInput, DoubleClickRaisesTheEvent)
{
    int doubleClicks = 0;
    canvas.OnDblClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &canvas);
        ++doubleClicks;
    };
    mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, 10, 10);
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(CanvasInput, MouseMoveReportsDistanceAndAngleFromTheLastPress)
{
    double magnitude = -1, angle = -1;
    canvas.OnWorldMouseMove = [&](QObject*, short, double, double, double m, double a) {
        magnitude = m;
        angle = a;
    };
    click(100, 100);
    move(100, 50);  // 50 units north
    EXPECT_DOUBLE_EQ(magnitude, 50);
    EXPECT_DOUBLE_EQ(angle, 90);
}

// A failing event handler of the owner never passes through Qt's event loop:
// each input shows the error and the canvas goes on taking input.
TEST_F(CanvasInput, FailingEventHandlersAreReportedNotThrownThroughQt)
{
    std::vector<QString> errors;
    const skerra::MessageHandler old = skerra::setMessageHandler([&](const skerra::MessageRequest& r) {
        errors.push_back(r.text);
        return skerra::MbOk;
    });
    auto fail = [](auto&&...) { throw std::runtime_error("handler failed"); };
    canvas.OnWorldMouseDown = fail;
    canvas.OnWorldMouseMove = fail;
    canvas.OnDblClick = fail;
    canvas.OnDrawBegin = fail;
    canvas.OnDrawEnd = fail;
    struct Input {
        const char* name;
        std::function<void()> send;
    };
    const Input inputs[] = {
        {"press", [&] { mouse(QEvent::MouseButtonPress, Qt::LeftButton, 20, 20); }},
        {"move", [&] { move(30, 30); }},
        {"double click", [&] { mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, 40, 40); }},
        {"right click ending a drawing", [&] {
             canvas.OnWorldMouseDown = nullptr;
             canvas.CadMode = 3;
             click(10, 10);  // the drawing begins: OnDrawBegin fails
             click(50, 50, Qt::RightButton);  // the drawing ends: OnDrawEnd fails
         }},
    };
    for (const Input& input : inputs) {
        const std::size_t before = errors.size();
        EXPECT_NO_THROW(input.send()) << input.name;
        EXPECT_GT(errors.size(), before) << input.name;
    }
    skerra::setMessageHandler(old);
    ASSERT_FALSE(errors.empty());
    EXPECT_TRUE(errors.front().contains(QStringLiteral("handler failed")));
}

}  // namespace

namespace {

TEST(CanvasWidget, PaintsItsChartAndFollowsItsSize)
{
    THalvekCanvas canvas;
    EXPECT_EQ(canvas.size(), QSize(400, 300));
    canvas.resize(200, 100);
    canvas.show();
    QApplication::processEvents();
    EXPECT_EQ(canvas.ClientWidth(), 200);
    EXPECT_NEAR((canvas.WorldRight - canvas.WorldLeft) / (canvas.WorldTop - canvas.WorldBottom), 2.0, 1e-9)
        << "a world unit as long in x as in y";
    canvas.DrawLine(canvas.WorldLeft, 500, canvas.WorldRight, 500, 0);
    const QImage shot = canvas.grab().toImage();
    EXPECT_EQ(shot.pixel(20, 50) & 0xFFFFFF, 0u) << "the line across the middle";
    EXPECT_EQ(shot.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
}

}  // namespace
