// Creating shapes, their attribute accessors, picking, and the colour rules.

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class StyledLayer : public ::testing::Test {
protected:
    RecordingCanvas c;
    int layer = -1;
    void SetUp() override
    {
        layer = c.LayerOpen("styled");
        c.SetLayerPenFg(layer, 0x0000FF);
        c.SetLayerPenWidth(layer, 4);
        c.SetLayerPenStyle(layer, psDot);
        c.SetLayerBrushFg(layer, 0x00FF00);
        c.SetLayerBrushStyle(layer, bsSolid);
        c.painted();
    }
};

struct CreationCase {
    const char* name;
    std::function<long(THalvekCanvasModel&, int)> make;
    int type;
    ShapeKind kind;
    int penWidth;      // from the layer (4) or the class default (1)
    bool brushCopied;  // brush colour and style from the layer
    int penStyle;
};

TEST_F(StyledLayer, EachCreationMethodCopiesItsLayerAttributes)
{
    const CreationCase cases[] = {
        {"line", [](auto& m, int l) { return m.DrawLine(0, 0, 1, 1, l); }, 3, ShapeKind::Line, 4, false, 0},
        {"circle", [](auto& m, int l) { return m.DrawCircle(0, 0, 1, l); }, 19, ShapeKind::Circle, 4, true, 0},
        {"rectangle", [](auto& m, int l) { return m.DrawRectangle(0, 0, 1, 1, l); }, 1, ShapeKind::Rectangle, 4, true, 0},
        {"point", [](auto& m, int l) { return m.DrawPoint(0, 0, l); }, 17, ShapeKind::Point, 4, false, 0},
        {"ellipse", [](auto& m, int l) { return m.DrawTwoPointEllipse(0, 0, 1, 1, l); }, 20, ShapeKind::Ellipse, 4, false, 0},
        {"arc", [](auto& m, int l) { return m.DrawThreePointArc(0, 0, 1, 1, 2, 0, l); }, 10, ShapeKind::Arc, 4, false, 0},
        {"text: pen colour only", [](auto& m, int l) { return m.TextAdd(l, "t", 0, 0, 0); }, 11, ShapeKind::Text, 1, false, 0},
        {"polyline", [](auto& m, int l) { return m.DrawPolyline({{0, 0}, {1, 1}}, l, false); }, 5, ShapeKind::Polyline, 4, true, psDot},
        {"polygon", [](auto& m, int l) { return m.DrawPolyline({{0, 0}, {1, 1}, {1, 0}}, l, true); }, 6, ShapeKind::Polyline, 4, true, psDot},
    };
    for (const auto& k : cases) {
        c.painted();
        const long n = k.make(c, layer);
        const THShape* s = c.FindShape(n);
        ASSERT_NE(s, nullptr) << k.name;
        EXPECT_EQ(s->ShapeType, k.type) << k.name;
        EXPECT_EQ(s->Kind(), k.kind) << k.name;
        EXPECT_EQ(s->LayerId(), layer) << k.name;
        EXPECT_EQ(s->PenFg(), 0x0000FF) << k.name;
        EXPECT_EQ(s->PenWidth(), k.penWidth) << k.name;
        EXPECT_EQ(s->PenStyle, k.penStyle) << k.name;
        EXPECT_EQ(s->BrushFg, k.brushCopied ? 0x00FF00 : 0xFFFFFF) << k.name;
        EXPECT_EQ(s->BrushStyle, k.brushCopied ? bsSolid : bsClear) << k.name;
        EXPECT_TRUE(s->Visible) << k.name;
        EXPECT_FALSE(s->Selected()) << k.name;
        EXPECT_EQ(c.Shapes().back(), s) << k.name << ": drawn on top";
        EXPECT_TRUE(c.NeedsRedraw) << k.name;
        EXPECT_EQ(c.invalidates + c.repaints, 0) << k.name << ": no paint requested";
    }
    EXPECT_EQ(c.ShapeCount(), 9);
}

TEST(ShapeCreation, MissingLayerFallsBackToDefaultAndMakesItCurrent)
{
    THalvekCanvasModel c;
    c.LayerOpen("other");
    c.CurrentLayer = 5;
    const long n = c.DrawLine(0, 0, 1, 1, 99);
    EXPECT_EQ(c.GetShapeOnLayer(n), 0);
    EXPECT_EQ(c.CurrentLayer, 0);
}

TEST(ShapeCreation, PolylineNeedsTwoPoints)
{
    THalvekCanvasModel c;
    c.CurrentLayer = 3;
    EXPECT_EQ(c.DrawPolyline({{1, 1}}, 99, false), -1);
    EXPECT_EQ(c.NextShapeId(), 1);
    EXPECT_EQ(c.CurrentLayer, 3);  // nothing looked at, nothing opened
    EXPECT_EQ(c.ShapeAdd(1, 2), -1);
    const long n = c.DrawPolyline({{1, 1}, {5, -2}, {3, 4}}, 0, false);
    const THShape* s = c.FindShape(n);
    EXPECT_EQ(s->MinX(), 1);
    EXPECT_EQ(s->MinY(), -2);
    EXPECT_EQ(s->MaxX(), 5);
    EXPECT_EQ(s->MaxY(), 4);
    EXPECT_EQ(c.ShapePointCount(n), 3);
}

TEST(ShapeCreation, TextTakesFontEntryAndItsBoundsFollowTheHeight)
{
    THalvekCanvasModel c;
    const int tahoma = c.FontOpen("Tahoma,14,B");
    const long n = c.TextAdd(0, "abc", 10, 20, tahoma);
    const auto* t = shape_cast<THText>(c.FindShape(n));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->FontName, "Tahoma");
    EXPECT_EQ(t->Height, 14);
    EXPECT_TRUE(t->Bold);
    EXPECT_EQ(t->DisplayText, "abc");
    EXPECT_EQ(t->Text(), "abc");
    // The box is that of the height the text has, not of the default 10.
    EXPECT_DOUBLE_EQ(t->MaxY(), 20 + 14);
    EXPECT_DOUBLE_EQ(t->MaxX(), 10 + 3 * 0.6 * 14 + 14);
    const auto* fallback = shape_cast<THText>(c.FindShape(c.TextAdd(0, "x", 0, 0, 7)));
    EXPECT_EQ(fallback->FontIndex, 7);
    EXPECT_EQ(fallback->FontName, "Arial");
    EXPECT_EQ(fallback->Height, 10);
    // SetShapeText changes the free text, not what is displayed.
    c.SetShapeText(n, "new");
    EXPECT_EQ(c.GetShapeText(n), "new");
    EXPECT_EQ(t->DisplayText, "abc");
}

// A text's alignment and justification are stored in a byte each: a code
// outside 0..255 is stored as 0 (left, top), what the drawing does with any
// code it does not know, never as another code.
TEST(ShapeAccessors, TextAlignmentCodesOutsideAByteReadAsZero)
{
    const struct {
        int code, stored;
    } cases[] = {{0, 0}, {2, 2}, {7, 7}, {255, 255}, {256, 0}, {0x102, 0}, {-1, 0}};
    THalvekCanvasModel c;
    const long n = c.TextAdd(0, "abc", 10, 20, 0);
    for (const auto& k : cases) {
        c.SetShapeTextAlign(n, k.code);
        c.SetShapeTextJustify(n, k.code);
        EXPECT_EQ(c.GetShapeTextAlign(n), k.stored) << k.code;
        EXPECT_EQ(c.GetShapeTextJustify(n), k.stored) << k.code;
    }
}

TEST(ShapeAccessors, MissingNumberGivesDefaultsAndSettersChangeNothing)
{
    RecordingCanvas c;
    c.DrawLine(0, 0, 1, 1, 0);
    const long missing = 42;
    EXPECT_EQ(c.GetShapeType(missing), 0);
    EXPECT_EQ(c.GetShapePenWidth(missing), 1);
    EXPECT_EQ(c.GetShapePenFg(missing), 0);
    EXPECT_EQ(c.GetShapePenStyle(missing), 0);
    EXPECT_EQ(c.GetShapeBrushFg(missing), 0xFFFFFF);
    EXPECT_EQ(c.GetShapeBrushStyle(missing), 0);
    EXPECT_EQ(c.GetShapeBrushMode(missing), 0);
    EXPECT_EQ(c.GetShapeOnLayer(missing), -1);
    EXPECT_FALSE(c.GetShapeIsSelected(missing));
    EXPECT_EQ(c.GetShapeText(missing), "");
    EXPECT_EQ(c.GetShapeNotes(missing), "");
    EXPECT_EQ(c.GetShapeZOrder(missing), 0);
    EXPECT_EQ(c.GetShapeTextAlign(missing), 0);
    EXPECT_EQ(c.GetShapeTextJustify(missing), 0);
    EXPECT_EQ(c.GetShapePointSize(missing), 0);
    EXPECT_EQ(c.FindShape(missing), nullptr);
    EXPECT_EQ(c.FindShape(-1), nullptr);
    EXPECT_EQ(c.ShapePointGetX(missing, 0), 0);
    EXPECT_EQ(c.ShapePointCount(missing), 0);
    c.painted();
    c.SetShapePenWidth(missing, 3);
    c.SetShapePenFg(missing, 3);
    c.SetShapePenStyle(missing, 3);
    c.SetShapeBrushFg(missing, 3);
    c.SetShapeBrushStyle(missing, 3);
    c.SetShapeBrushMode(missing, 3);
    c.SetShapeText(missing, "x");
    c.SetShapeNotes(missing, "x");
    c.SetShapeZOrder(missing, 3);
    c.SetShapeTextAlign(missing, 1);
    c.SetShapeTextJustify(missing, 1);
    c.SetShapePointSize(missing, 1);
    c.ShapeToLayer(missing, 1);
    c.ShapeTranslate(missing, 1, 1);
    c.ShapeScale(missing, 0, 0, 2, 2);
    c.ShapeRotate(missing, 90, 0, 0);
    c.ShapeReflect(missing, 0, 0, 0);
    c.ShapePointSet(missing, 0, 1, 1);
    c.ShapePointInsert(missing, 0, 1, 1);
    c.ShapePointDelete(missing, 0);
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(c.ShapeCount(), 1);
}

struct ShapeSetterCase {
    const char* name;
    std::function<void(THalvekCanvasModel&, long)> set;
    std::function<bool(const THalvekCanvasModel&, long)> stored;
    bool marksRedraw;
};

TEST(ShapeAccessors, SettersStoreAndMarkRedrawOnlyOnChange)
{
    const ShapeSetterCase cases[] = {
        {"pen width", [](auto& c, long n) { c.SetShapePenWidth(n, 5); }, [](auto& c, long n) { return c.GetShapePenWidth(n) == 5; }, true},
        {"pen colour", [](auto& c, long n) { c.SetShapePenFg(n, 0xAB); }, [](auto& c, long n) { return c.GetShapePenFg(n) == 0xAB; }, true},
        {"pen style", [](auto& c, long n) { c.SetShapePenStyle(n, 2); }, [](auto& c, long n) { return c.GetShapePenStyle(n) == 2; }, true},
        {"pen style no shape can carry reads as solid", [](auto& c, long n) { c.SetShapePenStyle(n, 0x102); }, [](auto& c, long n) { return c.GetShapePenStyle(n) == psSolid; }, false},
        {"brush colour", [](auto& c, long n) { c.SetShapeBrushFg(n, 1); }, [](auto& c, long n) { return c.GetShapeBrushFg(n) == 1; }, true},
        {"brush style in one byte", [](auto& c, long n) { c.SetShapeBrushStyle(n, 0x106); }, [](auto& c, long n) { return c.GetShapeBrushStyle(n) == 6; }, true},
        {"brush mode", [](auto& c, long n) { c.SetShapeBrushMode(n, 9); }, [](auto& c, long n) { return c.GetShapeBrushMode(n) == 9; }, true},
        {"text", [](auto& c, long n) { c.SetShapeText(n, "t"); }, [](auto& c, long n) { return c.GetShapeText(n) == "t"; }, true},
        {"notes are never drawn", [](auto& c, long n) { c.SetShapeNotes(n, "n"); }, [](auto& c, long n) { return c.GetShapeNotes(n) == "n"; }, false},
        {"z-order value", [](auto& c, long n) { c.SetShapeZOrder(n, -4); }, [](auto& c, long n) { return c.GetShapeZOrder(n) == -4; }, true},
    };
    for (const auto& k : cases) {
        RecordingCanvas c;
        const long n = c.DrawPoint(0, 0, 0);
        c.painted();
        k.set(c, n);
        EXPECT_TRUE(k.stored(c, n)) << k.name;
        EXPECT_EQ(c.NeedsRedraw, k.marksRedraw) << k.name;
        c.painted();
        k.set(c, n);
        EXPECT_FALSE(c.NeedsRedraw) << k.name << ": same value again";
        EXPECT_EQ(c.invalidates + c.repaints, 0) << k.name;
    }
}

TEST(ShapeAccessors, TypeBoundAccessorsGoByTypeCode)
{
    THalvekCanvasModel c;
    const long point = c.DrawPoint(0, 0, 0), text = c.TextAdd(0, "t", 0, 0, 0), line = c.DrawLine(0, 0, 1, 1, 0);
    c.SetShapeTextAlign(point, 2);
    c.SetShapePointSize(text, 9);
    EXPECT_EQ(c.GetShapeTextAlign(point), 0);
    EXPECT_EQ(c.GetShapePointSize(text), 0);
    EXPECT_EQ(c.GetShapePointSize(line), 0);
    c.SetShapeTextAlign(text, 1);
    c.SetShapeTextJustify(text, 2);
    c.SetShapePointSize(point, 7);
    EXPECT_EQ(c.GetShapeTextAlign(text), 1);
    EXPECT_EQ(c.GetShapeTextJustify(text), 2);
    EXPECT_EQ(c.GetShapePointSize(point), 7);
    EXPECT_EQ(c.GetShapeType(text), 11);
}

TEST(ShapePick, TopmostVisibleShapeWithinThreePixels)
{
    THalvekCanvasModel c;  // 1000 world units over 400 pixels: 2.5 units per pixel
    const long under = c.DrawCircle(500, 500, 100, 0);
    const long over = c.DrawLine(300, 500, 700, 500, 0);
    EXPECT_EQ(c.GetShapeAt(600, 502), over);  // the circle's outline is there too
    EXPECT_EQ(c.GetShapeAt(550, 508), -1);    // 8 units > 3 px * 2.5
    EXPECT_EQ(c.GetShapeAt(550, 507), over);
    c.FindShape(over)->Visible = false;
    EXPECT_EQ(c.GetShapeAt(600, 500), under);
    c.FindShape(over)->Visible = true;
    const int hidden = c.LayerOpen("hidden");
    c.SetLayerVisible(hidden, false);
    const long onHidden = c.DrawLine(300, 500, 700, 500, hidden);
    EXPECT_EQ(c.GetShapeAt(600, 500), onHidden);  // the layer's flag plays no part
    c.SetShapePenWidth(onHidden, 10);
    EXPECT_EQ(c.GetShapeAt(550, 524), onHidden);  // 10 px * 2.5
    EXPECT_EQ(c.ShapeHitTest(550, 524), onHidden);
    c.ShapeToBack(onHidden);
    EXPECT_EQ(c.GetShapeAt(600, 500), over);
}

struct ContrastCase {
    TColor back, colour, expected;
};

TEST(ContrastColor, KeepsShapesVisibleOnTheBackground)
{
    const ContrastCase cases[] = {
        {0xFFFFFF, 0x000000, 0x000000}, {0xFFFFFF, 0xFFFFFF, 0x000000}, {0xFFFFFF, 0xF0F0F0, 0x000000},
        {0xFFFFFF, 0x0000FF, 0x0000FF}, {0x000000, 0x000000, 0xFFFFFF}, {0x000000, 0x101010, 0xFFFFFF},
        {0x808080, 0x8A8A8A, 0xFFFFFF}, {0x909090, 0x9A9A9A, 0x000000}, {0x808080, 0x00FF00, 0x00FF00},
        {0xFFFFFF, 0x1000000, 0x1000000},  // the top byte is ignored
    };
    for (const auto& k : cases) {
        THalvekCanvasModel c;
        c.BackColor = k.back;
        EXPECT_EQ(c.GetContrastColor(k.colour), k.expected) << std::hex << k.back << " " << k.colour;
    }
}

TEST(BackColor, RepaintsOnlyOnChange)
{
    RecordingCanvas c;
    c.painted();
    c.SetBackColor(0xFFFFFF);
    EXPECT_EQ(c.repaints, 0);
    EXPECT_FALSE(c.NeedsRedraw);
    c.SetBackColor(0x0000FF);
    EXPECT_EQ(c.BackColor, 0x0000FF);
    EXPECT_EQ(c.repaints, 1);
    EXPECT_TRUE(c.NeedsRedraw);
}

}  // namespace
