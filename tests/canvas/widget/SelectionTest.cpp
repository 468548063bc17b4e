// Polygon and layer selection.

#include "CanvasPixels.h"

#include <gtest/gtest.h>

namespace {

const std::vector<QPointF> kSquare{{0, 0}, {100, 0}, {100, 100}, {0, 100}};

class Selection : public testing::Test {
protected:
    PixelCanvas c;
    int track = c.LayerOpen(QStringLiteral("track_fix"));
    std::vector<long> selected() const { return c.SelectedShapes(); }
};

TEST_F(Selection, PointInPolygonIsEvenOdd)
{
    EXPECT_TRUE(THalvekCanvasCore::PointInPolygon(50, 50, kSquare));
    EXPECT_FALSE(THalvekCanvasCore::PointInPolygon(150, 50, kSquare));
    EXPECT_FALSE(THalvekCanvasCore::PointInPolygon(50, 50, {}));
}

TEST_F(Selection, TooFewVerticesOrNoLayersClearAndStop)
{
    const long a = c.DrawPoint(50, 50, track);
    c.ShapeSelect(a, false);
    const int before = c.invalidates;
    c.SelectShapesInPolygon({{0, 0}, {100, 100}}, {track});
    EXPECT_TRUE(selected().empty());
    c.SelectShapesInPolygon(kSquare, {});
    EXPECT_TRUE(selected().empty());
    c.SelectAllShapesInPolygon({{0, 0}, {100, 100}});
    EXPECT_EQ(c.invalidates, before);
    EXPECT_EQ(c.SelectedShapeCount(), 0);
}

TEST_F(Selection, TrackSelectionTestsEndsVerticesAndBoxCentres)
{
    const long crossing = c.DrawLine(-50, 50, 150, 50, track);  // both ends outside
    const long endInside = c.DrawLine(50, 50, 150, 150, track);
    const long poly = c.DrawPolyline({{-10, -10}, {50, 50}, {200, 200}}, track, false);
    const long other = c.DrawPoint(50, 50, 0);  // not on the track layer
    const long text = c.TextAdd(track, QStringLiteral("a longer label"), -20, 50, 0);  // box centre inside
    c.SelectShapesInPolygon(kSquare, {track});
    EXPECT_EQ(selected(), (std::vector<long>{endInside, poly, text}));
    (void)crossing;
    (void)other;
    EXPECT_EQ(c.SelectedShapeCount(), 3);
}

TEST_F(Selection, ShapeSelectionUsesCornersCentresAndAnchors)
{
    const long bigRect = c.DrawRectangle(-1000, -1000, 1200, 1200, 0);  // centre (100, 100): outside
    const long centred = c.DrawRectangle(-1000, -1000, 1100, 1100, 0);  // centre (50, 50): inside
    const long text = c.TextAdd(0, QStringLiteral("label"), -20, 50, 0);  // anchor outside
    const long circle = c.DrawCircle(50, 50, 500, 0);
    const int polyLayer = c.LayerOpen(QStringLiteral("Halvek_SelectPoly"));
    c.DrawPolyline({{0, 0}, {100, 0}, {100, 100}}, polyLayer, true);
    c.SelectAllShapesInPolygon(kSquare);
    EXPECT_EQ(selected(), (std::vector<long>{centred, circle}));
    (void)bigRect;
    (void)text;
}

TEST_F(Selection, LayersAndDeletion)
{
    const long a = c.DrawPoint(1, 1, track);
    c.DrawPoint(2, 2, 0);
    const long b = c.DrawLine(0, 0, 5, 5, track);
    c.SelectShapesOnLayers({track});
    EXPECT_EQ(selected(), (std::vector<long>{a, b}));
    c.DeleteSelectedShapes();
    EXPECT_EQ(c.ShapeCount(), 1);
    EXPECT_TRUE(selected().empty());
    EXPECT_TRUE(c.NeedsRedraw);
}

TEST_F(Selection, LastPolylineComesFromTheRouteOrSelectionLayer)
{
    EXPECT_TRUE(c.GetLastPolylinePoints().empty());
    c.DrawPolyline({{1, 1}, {2, 2}}, 0, false);
    c.DrawPolyline({{3, 3}, {4, 4}}, track, false);
    EXPECT_EQ(c.GetLastPolylinePoints(), (std::vector<std::pair<double, double>>{{3, 3}, {4, 4}}))
        << "neither layer: the last polyline of the chart";
    const int route = c.LayerOpen(QStringLiteral("Halvek_Route"));
    EXPECT_TRUE(c.GetLastPolylinePoints().empty());
    c.DrawPolyline({{5, 5}, {6, 6}, {7, 7}}, route, false);
    c.DrawPolyline({{8, 8}, {9, 9}}, track, false);
    EXPECT_EQ(c.GetLastPolylinePoints().size(), 3u);
}

TEST_F(Selection, SelectionShowsAtTheNextPaint)
{
    c.DrawLine(0, 100, 200, 100, track);
    c.paint();
    c.SelectShapesOnLayers({track});
    EXPECT_EQ(rgbAt(c.paint(), 50, 100), kRedRgb);
    c.ClearSelection();
    c.Refresh();
    EXPECT_EQ(rgbAt(c.paint(), 50, 100), kBlackRgb);
}

}  // namespace
