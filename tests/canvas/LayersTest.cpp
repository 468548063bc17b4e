// Layers: opening and lookup, attribute accessors, pushing pens into shapes,
// clearing by id and by name, moving shapes between layers.

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(LayerOpen, FindsOrMakesAndAlwaysMakesCurrent)
{
    RecordingCanvas c;
    c.painted();
    EXPECT_EQ(c.LayerOpen("Default"), 0);
    EXPECT_EQ(c.Layers().size(), 1u);
    EXPECT_EQ(c.LayerOpen("track_fix"), 1);
    EXPECT_EQ(c.CurrentLayer, 1);
    EXPECT_EQ(c.LayerOpen("Default"), 0);
    EXPECT_EQ(c.CurrentLayer, 0);
    EXPECT_EQ(c.LayerOpen(""), 2);  // an empty name is a name like any other
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(c.LayerFindByName("default"), -1);  // exact, case-sensitive
    EXPECT_EQ(c.LayerFindByName("track_fix"), 1);
    EXPECT_EQ(c.FindLayer(1)->name, "track_fix");
    EXPECT_EQ(c.FindLayer(3), nullptr);
    EXPECT_EQ(c.FindLayer(-1), nullptr);
}

TEST(LayerAccessors, MissingLayerGivesDefaultsAndSettersDoNothing)
{
    RecordingCanvas c;
    const int missing = 7;
    EXPECT_EQ(c.GetLayerAction(missing), 0);
    EXPECT_EQ(c.GetLayerPenFg(missing), 0);
    EXPECT_EQ(c.GetLayerPenWidth(missing), 1);
    EXPECT_EQ(c.GetLayerPenStyle(missing), 0);
    EXPECT_EQ(c.GetLayerBrushFg(missing), 0xFFFFFF);
    EXPECT_EQ(c.GetLayerBrushBg(missing), 0xFFFFFF);
    EXPECT_EQ(c.GetLayerBrushStyle(missing), bsClear);
    EXPECT_EQ(c.GetLayerBrushMode(missing), 0);
    EXPECT_FALSE(c.GetLayerVisible(missing));
    c.painted();
    c.SetLayerAction(missing, 3);
    c.SetLayerPenFg(missing, 5);
    c.SetLayerPenWidth(missing, 5);
    c.SetLayerPenStyle(missing, 2);
    c.SetLayerBrushFg(missing, 5);
    c.SetLayerBrushBg(missing, 5);
    c.SetLayerBrushStyle(missing, bsSolid);
    c.SetLayerBrushMode(missing, 5);
    c.SetLayerVisible(missing, true);
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(c.invalidates, 0);
    EXPECT_EQ(c.Layers().size(), 1u);
}

struct LayerAttributeCase {
    const char* name;
    std::function<void(THalvekCanvasModel&, int)> set;
    std::function<bool(const THalvekCanvasModel&, int)> stored;
};

TEST(LayerAccessors, SettersStoreAndMarkRedrawOnlyOnChange)
{
    const LayerAttributeCase cases[] = {
        {"action", [](auto& c, int l) { c.SetLayerAction(l, 15); }, [](auto& c, int l) { return c.GetLayerAction(l) == 15; }},
        {"pen style", [](auto& c, int l) { c.SetLayerPenStyle(l, 2); }, [](auto& c, int l) { return c.GetLayerPenStyle(l) == 2; }},
        {"brush colour", [](auto& c, int l) { c.SetLayerBrushFg(l, 0xFF); }, [](auto& c, int l) { return c.GetLayerBrushFg(l) == 0xFF; }},
        {"brush back", [](auto& c, int l) { c.SetLayerBrushBg(l, 0xFF); }, [](auto& c, int l) { return c.GetLayerBrushBg(l) == 0xFF; }},
        {"brush style", [](auto& c, int l) { c.SetLayerBrushStyle(l, bsCross); }, [](auto& c, int l) { return c.GetLayerBrushStyle(l) == bsCross; }},
        {"brush mode", [](auto& c, int l) { c.SetLayerBrushMode(l, 4); }, [](auto& c, int l) { return c.GetLayerBrushMode(l) == 4; }},
        {"visible", [](auto& c, int l) { c.SetLayerVisible(l, false); }, [](auto& c, int l) { return !c.GetLayerVisible(l); }},
        {"pen colour", [](auto& c, int l) { c.SetLayerPenFg(l, 0xFF); }, [](auto& c, int l) { return c.GetLayerPenFg(l) == 0xFF; }},
        {"pen width", [](auto& c, int l) { c.SetLayerPenWidth(l, 3); }, [](auto& c, int l) { return c.GetLayerPenWidth(l) == 3; }},
    };
    for (const auto& k : cases) {
        RecordingCanvas c;
        const int l = c.LayerOpen("L");
        c.painted();
        k.set(c, l);
        EXPECT_TRUE(k.stored(c, l)) << k.name;
        EXPECT_TRUE(c.NeedsRedraw) << k.name;
        c.painted();
        k.set(c, l);
        EXPECT_FALSE(c.NeedsRedraw) << k.name << ": repeating the same value";
        EXPECT_EQ(c.invalidates, 0) << k.name;
    }
}

TEST(LayerPen, PushedIntoEveryShapeOfTheLayerOnly)
{
    RecordingCanvas c;
    const int l = c.LayerOpen("vessel");
    const long a = c.DrawLine(0, 0, 1, 1, l), b = c.DrawCircle(0, 0, 1, l), d = c.DrawPoint(0, 0, l);
    const long other = c.DrawLine(0, 0, 1, 1, 0);
    c.painted();
    c.SetLayerPenFg(l, 0x0000FF);
    c.SetLayerPenWidth(l, 3);
    for (long n : {a, b, d}) {
        EXPECT_EQ(c.GetShapePenFg(n), 0x0000FF);
        EXPECT_EQ(c.GetShapePenWidth(n), 3);
    }
    EXPECT_EQ(c.GetShapePenFg(other), 0);
    EXPECT_EQ(c.invalidates, 2);
    c.SetLayerBrushFg(l, 0x00FF00);
    EXPECT_EQ(c.GetShapeBrushFg(b), 0xFFFFFF);  // the brush is not pushed
}

TEST(LayerPen, SameColourStillReachesAShapeThatWasChangedOnItsOwn)
{
    RecordingCanvas c;
    const int l = c.LayerOpen("track");
    for (int i = 0; i < 3; ++i)
        c.DrawPoint(i, i, l);
    c.SetLayerPenFg(l, 0xAA);
    c.SetShapePenFg(2, 0xBB);
    c.painted();
    c.SetLayerPenFg(l, 0xAA);  // the layer already has it, shape 2 does not
    EXPECT_EQ(c.GetShapePenFg(2), 0xAA);
    EXPECT_TRUE(c.NeedsRedraw);
    c.painted();
    c.SetLayerPenFg(l, 0xAA);
    EXPECT_FALSE(c.NeedsRedraw);
    // A layer record changed directly (as the DXF import does) does not fool the push.
    c.FindLayer(l)->penColor = 0xCC;
    c.SetLayerPenFg(l, 0xCC);
    EXPECT_EQ(c.GetShapePenFg(1), 0xCC);
}

TEST(LayerClear, ById_KeepsOthersInOrderAndNumbering)
{
    RecordingCanvas c;
    const int l = c.LayerOpen("L");
    c.DrawPoint(0, 0, 0);  // 1
    c.DrawPoint(0, 0, l);  // 2
    c.DrawPoint(0, 0, 0);  // 3
    c.DrawPoint(0, 0, l);  // 4
    c.DrawPoint(0, 0, 0);  // 5
    c.ShapeSelect(2, true);
    c.ShapeSelect(3, true);
    c.ShapeSelect(2, true);
    c.painted();
    c.CadClearShapes(l);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{1, 3, 5}));
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{3}));
    EXPECT_EQ(c.SelectedShapeCount(), 1);
    EXPECT_EQ(c.ShapeCount(), 3);
    EXPECT_EQ(c.NextShapeId(), 6);
    EXPECT_EQ(c.Layers().size(), 2u);
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.repaints, 1);
    c.LayerClear(0);
    EXPECT_EQ(c.ShapeCount(), 0);
    c.painted();
    c.CadClearShapes(99);  // nothing on it: still a repaint
    EXPECT_EQ(c.repaints, 1);
}

TEST(LayerClear, ByNameClearsEveryLayerOfThatNameAndSparesUnlistedIds)
{
    RecordingCanvas c;
    const int a = c.LayerOpen("dup");
    c.DrawPoint(0, 0, a);
    const long stray = c.DrawPoint(0, 0, 0);
    c.ShapeToLayer(stray, 55);  // a layer id without a record
    c.DrawPoint(0, 0, 0);
    c.painted();
    c.CadClearShapesByLayerName("dup");
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{2, 3}));
    c.CadClearShapesByLayerName("nothing");
    EXPECT_EQ(c.ShapeCount(), 2);
    EXPECT_EQ(c.repaints, 2);
}

TEST(LayerCopy, ModeOneMovesShapesOtherModesOnlyMarkRedraw)
{
    RecordingCanvas c;
    const int from = c.LayerOpen("from"), to = c.LayerOpen("to");
    const long s1 = c.DrawPoint(0, 0, from), s2 = c.DrawPoint(0, 0, from);
    c.painted();
    c.LayerCopy(from, to, 0);
    EXPECT_EQ(c.GetShapeOnLayer(s1), from);
    EXPECT_TRUE(c.NeedsRedraw);
    c.LayerCopy(from, to, 1);
    EXPECT_EQ(c.GetShapeOnLayer(s1), to);
    EXPECT_EQ(c.GetShapeOnLayer(s2), to);
    EXPECT_TRUE(c.ShapesOnLayer(from).empty());
    c.LayerCopy(to, 77, 1);  // to an id without a layer: the shapes stay listed
    EXPECT_EQ(c.ShapeCount(), 2);
    EXPECT_EQ(c.GetShapeOnLayer(s2), 77);
    // They are cleared with their new id, not the old one.
    c.CadClearShapes(to);
    EXPECT_EQ(c.ShapeCount(), 2);
    c.CadClearShapes(77);
    EXPECT_EQ(c.ShapeCount(), 0);
}

TEST(LayerSelection, SelectInDrawingOrderAndDeselect)
{
    RecordingCanvas c;
    const int l = c.LayerOpen("L");
    c.DrawPoint(0, 0, l);  // 1
    c.DrawPoint(0, 0, 0);  // 2
    c.DrawPoint(0, 0, l);  // 3
    c.ShapeToBack(3);
    c.ShapeSelect(2, false);
    c.LayerSelectShapes(l, true);
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{2, 3, 1}));
    c.LayerSelectShapes(l, true);  // listed twice
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{2, 3, 1, 3, 1}));
    EXPECT_EQ(c.SelectedShapeCount(), 3);
    c.LayerDeselectShapes(l);
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{2}));
    EXPECT_FALSE(c.GetShapeIsSelected(1));
    c.LayerSelectShapes(l, false);
    EXPECT_EQ(c.SelectedShapes(), (std::vector<long>{3, 1}));
    EXPECT_FALSE(c.GetShapeIsSelected(2));
}

}  // namespace
