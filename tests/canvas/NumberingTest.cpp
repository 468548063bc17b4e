// Construction, numbering of shapes and layers, the chart-file access path and
// the shape being drawn interactively.

#include "RecordingCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(CanvasConstruction, StartsWithDefaultLayerFontAndView)
{
    THalvekCanvasModel c;
    ASSERT_EQ(c.Layers().size(), 1u);
    EXPECT_EQ(c.Layers()[0]->name, "Default");
    EXPECT_EQ(c.Layers()[0]->id, 0);
    EXPECT_EQ(c.CurrentLayer, 0);
    EXPECT_EQ(c.NextLayerId(), 1);
    ASSERT_EQ(c.Fonts().size(), 1u);
    EXPECT_EQ(c.Fonts()[0], (THFont{"Arial", 10, false, false}));
    EXPECT_EQ(c.ShapeCount(), 0);
    EXPECT_EQ(c.NextShapeId(), 1);
    EXPECT_EQ(c.WorldLeft, 0);
    EXPECT_EQ(c.WorldRight, 1000);
    EXPECT_EQ(c.WorldBottom, 0);
    EXPECT_EQ(c.WorldTop, 1000);
    EXPECT_EQ(c.ClientWidth(), 400);
    EXPECT_EQ(c.ClientHeight(), 300);
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.BackColor, 0xFFFFFF);
    EXPECT_EQ(c.GridColor, 0xC0C0C0);
}

TEST(ShapeNumbering, DeletionNeverFreesANumber)
{
    THalvekCanvasModel c;
    for (int i = 0; i < 5; ++i)
        c.DrawPoint(i, i, 0);
    c.ShapeDelete(3);
    EXPECT_EQ(c.DrawPoint(9, 9, 0), 6);
    c.ShapeDelete(6);
    EXPECT_EQ(c.DrawPoint(9, 9, 0), 7);
}

TEST(ShapeNumbering, OnlyClearingEverythingRestarts)
{
    THalvekCanvasModel c;
    const int track = c.LayerOpen("track_fix");
    c.DrawLine(0, 0, 1, 1, track);
    c.DrawLine(0, 0, 1, 1, 0);
    c.CadClearShapes(track);
    EXPECT_EQ(c.DrawPoint(0, 0, 0), 3);
    c.CadClearShapesByLayerName("Default");
    EXPECT_EQ(c.DrawPoint(0, 0, 0), 4);
    c.CadClearSelectedShapes();
    c.CadClearShapes(-1);
    EXPECT_EQ(c.ShapeCount(), 0);
    EXPECT_EQ(c.DrawPoint(0, 0, 0), 1);
}

TEST(ShapeNumbering, DrawingInProgressKeepsAUniqueNumberWhenNumberingRestarts)
{
    RecordingCanvas c;
    c.DrawPoint(0, 0, 0);
    THPolyline* pending = c.BeginDrawingPolyline(ShapeTypeCode::Polyline, 0, 0);
    EXPECT_EQ(pending->ShapeNumber(), 2);
    EXPECT_EQ(c.NextShapeId(), 3);
    c.CadClearShapes(-1);
    const long renumbered = c.DrawingPolyline()->ShapeNumber();
    const long next = c.DrawPoint(5, 5, 0);
    EXPECT_NE(renumbered, next);
    c.DrawingPolyline()->AddPoint(1, 1);
    EXPECT_EQ(c.FinishDrawingPolyline(), renumbered);
    EXPECT_NE(c.FindShape(renumbered), c.FindShape(next));
    EXPECT_EQ(c.ShapeCount(), 2);
}

TEST(ShapeNumbering, DiscardedDrawingLeavesAGap)
{
    RecordingCanvas c;
    c.BeginDrawingPolyline(ShapeTypeCode::Spline, 0, 0);
    EXPECT_EQ(c.FinishDrawingPolyline(), -1);  // one vertex: dropped
    EXPECT_EQ(c.ShapeCount(), 0);
    EXPECT_EQ(c.DrawPoint(0, 0, 0), 2);
}

TEST(DrawingState, ClearDrawingStateFreesThePendingShape)
{
    RecordingCanvas c;
    c.DrawingActive = c.FirstPointPlaced = c.SwallowNextClick = true;
    c.BeginDrawingPolyline(ShapeTypeCode::Polygon, 0, 0);
    c.painted();
    c.ClearDrawingState();
    EXPECT_EQ(c.DrawingPolyline(), nullptr);
    EXPECT_FALSE(c.DrawingActive || c.FirstPointPlaced || c.SwallowNextClick);
    EXPECT_EQ(c.cursorResets, 1);
    EXPECT_FALSE(c.NeedsRedraw);
    EXPECT_EQ(c.ShapeCount(), 0);
}

TEST(DrawingState, BeginCopiesLayerPenAndPolygonBrush)
{
    THalvekCanvasModel c;
    const int l = c.LayerOpen("user");
    c.SetLayerPenFg(l, 0x123456);
    c.SetLayerPenWidth(l, 4);
    c.SetLayerBrushFg(l, 0x00FF00);
    c.SetLayerBrushStyle(l, bsSolid);
    const THPolyline* polygon = c.BeginDrawingPolyline(ShapeTypeCode::Polygon, 1, 2);
    EXPECT_TRUE(polygon->Closed);
    EXPECT_EQ(polygon->LayerId(), l);
    EXPECT_EQ(polygon->PenFg(), 0x123456);
    EXPECT_EQ(polygon->PenWidth(), 4);
    EXPECT_EQ(polygon->BrushFg, 0x00FF00);
    const THPolyline* line = c.BeginDrawingPolyline(ShapeTypeCode::Polyline, 1, 2);
    EXPECT_FALSE(line->Closed);
    EXPECT_EQ(line->BrushFg, 0xFFFFFF);
    EXPECT_EQ(line->BrushStyle, bsClear);
}

TEST(ChartFileAccess, AppendShapeNumbersAndPutsOnTopWithoutCheckingLayer)
{
    THalvekCanvasModel c;
    c.DrawPoint(0, 0, 0);
    auto line = std::make_unique<THLine>(0, 0, 10, 10);
    line->SetLayerId(42);  // no such layer: kept as given
    line->SetPenFg(0xFF);
    line->UpdateBounds();
    c.NeedsRedraw = false;
    const long n = c.AppendShape(std::move(line));
    EXPECT_EQ(n, 2);
    EXPECT_TRUE(c.NeedsRedraw);
    EXPECT_EQ(c.GetShapeOnLayer(n), 42);
    EXPECT_EQ(c.GetShapePenFg(n), 0xFF);
    EXPECT_EQ(drawingOrder(c), (std::vector<long>{1, 2}));
    EXPECT_EQ(c.AppendShape(nullptr), -1);
}

TEST(ChartFileAccess, ResetChartRestartsLayersAndNumbers)
{
    THalvekCanvasModel c;
    c.LayerOpen("a");
    c.LayerOpen("b");
    c.DrawPoint(0, 0, 2);
    c.ShapeSelect(1, false);
    c.FontOpen("Tahoma,14");
    auto block = std::make_unique<THBlock>();
    block->name = "B1";
    block->shapes.push_back(std::make_unique<THLine>(0, 0, 1, 1));
    c.AddBlock(std::move(block));
    c.ResetChart();
    ASSERT_EQ(c.Layers().size(), 1u);
    EXPECT_EQ(c.Layers()[0]->name, "Default");
    EXPECT_EQ(c.NextLayerId(), 1);
    EXPECT_EQ(c.CurrentLayer, 0);
    EXPECT_EQ(c.ShapeCount(), 0);
    EXPECT_TRUE(c.SelectedShapes().empty());
    EXPECT_EQ(c.SelectedShapeCount(), 0);
    EXPECT_EQ(c.Fonts().size(), 2u);
    ASSERT_NE(c.FindBlock("B1"), nullptr);
    EXPECT_EQ(c.FindBlock("b1"), nullptr);
    EXPECT_EQ(c.LayerOpen("x"), 1);
    EXPECT_EQ(c.DrawPoint(0, 0, 1), 1);
}

TEST(ChartFileAccess, FindBlockReturnsTheEarliestOfAName)
{
    THalvekCanvasModel c;
    for (double base : {1.0, 2.0}) {
        auto b = std::make_unique<THBlock>();
        b->name = "DUP";
        b->baseX = base;
        c.AddBlock(std::move(b));
    }
    EXPECT_EQ(c.FindBlock("DUP")->baseX, 1.0);
    EXPECT_EQ(c.Blocks().size(), 2u);
}

TEST(CanvasLifetime, DestroysShapesBlocksLayersAndPendingDrawing)
{
    // Run under AddressSanitizer (SKERRA_CANVAS_ASAN) this proves every record is freed once.
    auto c = std::make_unique<THalvekCanvasModel>();
    for (int i = 0; i < 100; ++i)
        c->DrawLine(i, 0, i, 1, c->LayerOpen(QString::number(i % 7)));
    c->TextAdd(0, "label", 0, 0, 0);
    c->DrawPolyline({{0, 0}, {1, 1}}, 0, false);
    auto b = std::make_unique<THBlock>();
    b->shapes.push_back(std::make_unique<THCircle>(0, 0, 1));
    c->AddBlock(std::move(b));
    c->SetShapeNotes(1, "note");
    c->BeginDrawingPolyline(ShapeTypeCode::Polyline, 0, 0);
    c.reset();
    SUCCEED();
}

}  // namespace
