// Deleting, selecting, reordering, transforming shapes and editing vertices
// through the canvas.

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

class FiveShapes : public ::testing::Test {
protected:
    RecordingCanvas c;
    void SetUp() override
    {
        for (int i = 1; i <= 5; ++i)
            c.DrawPoint(i * 10.0, 0, 0);
        c.painted();
    }
};

TEST_F(FiveShapes, SelectionListKeepsOrderAndDuplicates)
{
    c.ShapeSelect(4, true);
    c.ShapeSelect(2, true);
    EXPECT_EQ(c.GetShapeSelectNumbers(), (std::vector<std::int32_t>{4, 2}));
    c.ShapeSelect(4, true);
    EXPECT_EQ(c.GetShapeSelectNumbers(), (std::vector<std::int32_t>{4, 2, 4}));
    EXPECT_EQ(c.SelectedShapeCount(), 2);
    c.ShapeDeselect(4);
    EXPECT_EQ(c.GetShapeSelectNumbers(), (std::vector<std::int32_t>{2}));
    EXPECT_FALSE(c.GetShapeIsSelected(4));
    c.ShapeSelect(3, false);
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{3}));
    EXPECT_FALSE(c.GetShapeIsSelected(2));
    c.painted();
    c.ShapeSelect(99, false);  // clears, selects nothing, still marks redraw
    EXPECT_TRUE(c.SelectedShapes().empty());
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_TRUE(c.GetShapeSelectNumbers().empty());
}

TEST_F(FiveShapes, SelectAllTwiceListsEveryNumberTwice)
{
    c.CadSelectShapes();
    c.CadSelectShapes();
    EXPECT_EQ(c.SelectedShapes().size(), 10u);
    EXPECT_EQ(c.SelectedShapeCount(), 5);
    c.CadDeselectShapes();
    EXPECT_TRUE(c.SelectedShapes().empty());
    EXPECT_EQ(c.SelectedShapeCount(), 0);
    EXPECT_FALSE(c.GetShapeIsSelected(1));
}

TEST_F(FiveShapes, DeleteOneShapeAndItsSelectionEntries)
{
    c.ShapeSelect(3, true);
    c.ShapeSelect(3, true);
    c.ShapeSelect(1, true);
    c.painted();
    c.ShapeDelete(3);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{1, 2, 4, 5}));
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{1}));
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.repaints + c.invalidates, 0);
    c.painted();
    c.ShapeDelete(3);  // gone already: still marks redraw
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.ShapeCount(), 4);
}

TEST_F(FiveShapes, DeleteSelectionKeepsOthersInOrder)
{
    c.ShapeSelect(2, true);
    c.ShapeSelect(4, true);
    c.ShapeSelect(2, true);
    c.CadClearSelectedShapes();
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{1, 3, 5}));
    EXPECT_TRUE(c.SelectedShapes().empty());
    EXPECT_EQ(c.repaints, 1);
    c.ShapeSelect(5, true);
    c.painted();
    c.ShapeSelectDelete();
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{1, 3}));
    EXPECT_EQ(c.invalidates, 1);
    EXPECT_EQ(c.SelectedShapeCount(), 0);
}

TEST(SelectionDeletion, OnEmptyCanvas)
{
    RecordingCanvas c;
    c.painted();
    c.ShapeSelectDelete();
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(c.invalidates, 0);
    c.CadClearSelectedShapes();
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.repaints, 1);
}

TEST_F(FiveShapes, FrontBackAndJump)
{
    c.ShapeToBack(5);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{5, 1, 2, 3, 4}));
    c.ShapeToFront(1);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{5, 2, 3, 4, 1}));
    c.ShapeZOrderJump(3, -2);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{3, 5, 2, 4, 1}));
    c.ShapeZOrderJump(5, 7);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{3, 2, 4, 1, 5}));
    c.painted();
    c.ShapeZOrderJump(2, 0);
    EXPECT_FALSE(c.NeedsRedraw);
    c.ShapeToFront(99);  // missing: order unchanged, redraw marked
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{3, 2, 4, 1, 5}));
    EXPECT_TRUE(c.DrawnBefore(c.FindShape(3), c.FindShape(5)));
}

TEST_F(FiveShapes, ManyMovesToTheBackStayConsistent)
{
    for (int round = 0; round < 200; ++round)
        c.ShapeToBack(1 + round % 5);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{5, 4, 3, 2, 1}));
    c.DrawPoint(0, 0, 0);
    EXPECT_EQ(drawingOrder(c).back(), 6);
}

TEST_F(FiveShapes, MoveSelectionTranslatesEachSelectedShapeOnce)
{
    c.ShapeSelect(2, true);
    c.ShapeSelect(2, true);
    c.ShapeSelect(4, true);
    c.ShapeSelectMoveDelta(1, 2);
    EXPECT_EQ(shape_cast<THPoint>(c.FindShape(2))->X, 21);
    EXPECT_EQ(shape_cast<THPoint>(c.FindShape(2))->Y, 2);
    EXPECT_EQ(shape_cast<THPoint>(c.FindShape(4))->X, 41);
    EXPECT_EQ(shape_cast<THPoint>(c.FindShape(1))->X, 10);
    c.CadDeselectShapes();
    c.painted();
    c.ShapeSelectMoveDelta(1, 1);
    EXPECT_TRUE(c.NeedsRedraw);
}

TEST_F(FiveShapes, ShapeToLayerDoesNotCheckTheId)
{
    c.ShapeToLayer(2, 33);
    EXPECT_EQ(c.GetShapeOnLayer(2), 33);
    EXPECT_EQ(c.ShapesOnLayer(33).size(), 1u);
    EXPECT_EQ(c.ShapesOnLayer(0).size(), 4u);
}

struct CanvasTransformCase {
    const char* name;
    std::function<void(THalvekCanvasModel&, long)> apply;
    double x, y;
};

TEST(CanvasTransforms, PointExamples)
{
    const CanvasTransformCase cases[] = {
        {"scale about the origin", [](auto& c, long n) { c.ShapeScale(n, 0, 0, 2, 1); }, 20, 5},
        {"reflect x about 4", [](auto& c, long n) { c.ShapeReflect(n, 0, 4, 0); }, -2, 5},
        {"reflect y about 1", [](auto& c, long n) { c.ShapeReflect(n, 1, 0, 1); }, 10, -3},
        {"other axis stays", [](auto& c, long n) { c.ShapeReflect(n, 2, 4, 1); }, 10, 5},
        {"rotate 90 about (10, 0)", [](auto& c, long n) { c.ShapeRotate(n, 90, 10, 0); }, 5, 0},
        {"translate", [](auto& c, long n) { c.ShapeTranslate(n, -1, 1); }, 9, 6},
    };
    for (const auto& k : cases) {
        RecordingCanvas c;
        const long n = c.DrawPoint(10, 5, 0);
        c.painted();
        k.apply(c, n);
        const auto* p = shape_cast<THPoint>(c.FindShape(n));
        EXPECT_NEAR(p->X, k.x, 1e-9) << k.name;
        EXPECT_NEAR(p->Y, k.y, 1e-9) << k.name;
        EXPECT_NEAR(p->MinX(), k.x - 3, 1e-9) << k.name;
        EXPECT_TRUE(c.NeedsRedraw) << k.name;
    }
}

TEST(CanvasTransforms, ReflectedCircleKeepsItsRadius)
{
    THalvekCanvasModel c;
    const long n = c.DrawCircle(10, 10, 4, 0);
    c.ShapeReflect(n, 0, 0, 0);
    c.ShapeReflect(n, 1, 0, 0);
    const auto* circle = shape_cast<THCircle>(c.FindShape(n));
    EXPECT_EQ(circle->Radius, 4);
    EXPECT_EQ(circle->CX, -10);
    EXPECT_EQ(circle->CY, -10);
}

TEST(VertexEditing, IndexRulesThroughTheCanvas)
{
    RecordingCanvas c;
    const long n = c.DrawPolyline({{0, 0}, {1, 1}, {2, 0}}, 0, false);
    const long arc = c.DrawThreePointArc(0, 0, 1, 1, 2, 0, 0);
    c.painted();
    c.ShapePointInsert(n, 4, 9, 9);
    EXPECT_FALSE(c.NeedsRedraw);
    c.ShapePointDelete(n, 3);
    EXPECT_FALSE(c.NeedsRedraw);
    c.ShapePointInsert(n, 3, 3, 5);
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.ShapePointCount(n), 4);
    EXPECT_EQ(c.FindShape(n)->MaxY(), 5);
    EXPECT_EQ(c.ShapePointGetX(n, -1), 0);
    EXPECT_EQ(c.ShapePointGetY(n, 3), 5);
    c.painted();
    c.ShapePointSet(n, 9, 1, 1);  // out of range on a vertex shape still marks redraw
    EXPECT_TRUE(c.NeedsRedraw);
    c.ShapePointSet(n, 0, -7, 0);
    EXPECT_EQ(c.FindShape(n)->MinX(), -7);
    c.ShapePointDelete(n, 0);
    EXPECT_EQ(c.ShapePointCount(n), 3);
    EXPECT_EQ(c.FindShape(n)->MinX(), 1);
    // An arc made by DrawThreePointArc has no vertex list.
    c.painted();
    EXPECT_EQ(c.ShapePointCount(arc), 0);
    c.ShapePointSet(arc, 0, 5, 5);
    c.ShapePointInsert(arc, 0, 5, 5);
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(shape_cast<THArc>(c.FindShape(arc))->X1, 0);
}

}  // namespace
