// A reader's shapes made straight into the chart: all on commit, none when the
// batch goes without one.

#include "canvas/ShapeBatch.h"
#include "canvas/THalvekCanvasModel.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Layers, current layer, next number, and every shape in drawing order.
std::string describe(const THalvekCanvasModel& c)
{
    std::string d = "layers";
    for (const auto& l : c.Layers())
        d += " " + std::to_string(l->id) + ":" + l->name.toStdString();
    d += " current " + std::to_string(c.CurrentLayer) + " next " + std::to_string(c.NextShapeId()) + "\n";
    for (const THShape* s : c.Shapes()) {
        d += std::to_string(s->ShapeNumber()) + "@" + std::to_string(s->LayerId()) + " pen" +
             std::to_string(s->PenFg()) + "/" + std::to_string(s->PenWidth()) + " x" + std::to_string(int(s->MinX())) +
             (s->Selected() ? " selected" : "") + "\n";
        if (c.FindShape(s->ShapeNumber()) != s)
            d += "not found by number\n";
    }
    for (const auto& l : c.Layers())
        d += std::to_string(l->id) + " holds " + std::to_string(c.ShapesOnLayer(l->id).size()) + "\n";
    return d;
}

// A chart with a layer, shapes on both layers, a selection and a gap in its numbering.
void fill(THalvekCanvasModel& c)
{
    const int mine = c.LayerOpen("mine");
    c.SetLayerPenFg(mine, 255);
    c.DrawLine(1, 1, 2, 2, mine);
    c.DrawPoint(3, 3, 0);
    c.DrawPoint(4, 4, mine);
    c.ShapeDelete(3);
    c.ShapeSelect(1, false);
    c.CurrentLayer = 0;
}

// The batch's shapes: one on an existing layer (by name), two on a new one.
void makeSome(ShapeBatch& batch)
{
    const int mine = batch.OpenLayer("mine");
    const int fresh = batch.OpenLayer("fresh");
    batch.Reserve(3);
    THPoint& p = batch.Make<THPoint>(mine, batch.FindLayer(mine)->penColor, 3, 10.0, 10.0);
    p.UpdateBounds();
    batch.Make<THLine>(fresh, 7, 1, 20.0, 20.0, 21.0, 21.0).UpdateBounds();
    auto line = std::make_unique<THLine>(30.0, 30.0, 31.0, 31.0);
    line->UpdateBounds();
    batch.Adopt(std::move(line), fresh, 8, 2);
    EXPECT_EQ(batch.Count(), 3u);
}

TEST(ShapeBatchTest, WithoutCommitTheChartStaysAsItWas)
{
    for (const auto mode : {ShapeBatch::Mode::Append, ShapeBatch::Mode::Replace}) {
        THalvekCanvasModel c;
        fill(c);
        const std::string before = describe(c);
        {
            ShapeBatch batch(c, mode);
            makeSome(batch);
        }
        EXPECT_EQ(describe(c), before) << int(mode);
        EXPECT_EQ(c.DrawPoint(0, 0, 0), 4) << int(mode);  // numbering goes on as before
    }
}

TEST(ShapeBatchTest, AppendPutsTheShapesOnTopAndOpensTheLayersInOrder)
{
    THalvekCanvasModel c;
    fill(c);
    {
        ShapeBatch batch(c, ShapeBatch::Mode::Append);
        EXPECT_EQ(batch.FindLayerByName("fresh"), -1);
        makeSome(batch);
        EXPECT_EQ(batch.FindLayerByName("fresh"), 2);
        batch.Commit();
    }
    EXPECT_EQ(describe(c), "layers 0:Default 1:mine 2:fresh current 2 next 7\n"
                           "1@1 pen255/1 x1 selected\n2@0 pen0/1 x0\n"
                           "4@1 pen255/3 x7\n5@2 pen7/1 x20\n6@2 pen8/2 x30\n"
                           "0 holds 1\n1 holds 2\n2 holds 2\n");
}

// Replace ends as ResetChart followed by the same shapes would: layers anew from
// "Default", numbers from 1 (after the drawing in progress), no selection.
TEST(ShapeBatchTest, ReplaceTakesThePlaceOfEveryShapeAndLayer)
{
    for (const bool drawing : {false, true}) {
        THalvekCanvasModel c;
        fill(c);
        if (drawing)
            c.BeginDrawingPolyline(ShapeTypeCode::Polyline, 0, 0);
        {
            ShapeBatch batch(c, ShapeBatch::Mode::Replace);
            EXPECT_EQ(batch.FindLayerByName("Default"), 0);
            EXPECT_EQ(batch.FindLayerByName("mine"), -1);
            makeSome(batch);
            EXPECT_EQ(batch.FindLayer(1)->penColor, 0u);  // a new layer's pen, not the old "mine"'s
            batch.Commit();
        }
        const std::string first = drawing ? "2" : "1";
        EXPECT_EQ(describe(c), "layers 0:Default 1:mine 2:fresh current 2 next " + std::string(drawing ? "5" : "4") +
                                   "\n" + first + "@1 pen0/3 x7\n" + std::to_string(std::stoi(first) + 1) +
                                   "@2 pen7/1 x20\n" + std::to_string(std::stoi(first) + 2) +
                                   "@2 pen8/2 x30\n0 holds 0\n1 holds 1\n2 holds 2\n")
            << drawing;
        EXPECT_EQ(c.SelectedShapeCount(), 0);
        EXPECT_TRUE(c.SelectedShapes().empty());
        if (drawing) {
            ASSERT_NE(c.DrawingPolyline(), nullptr);
            EXPECT_EQ(c.DrawingPolyline()->ShapeNumber(), 1);
        }
    }
}

}  // namespace
