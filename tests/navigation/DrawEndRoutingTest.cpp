#include "navigation/DrawEndRouting.h"

#include <gtest/gtest.h>

namespace {

using A = DrawEndAction;

TEST(RouteDrawEnd, ArmedModeShapeVerticesAndRunlineWindow)
{
    const struct { bool tracks, shapes; int type; int vertices; bool runline; A expected; } cases[] = {
        // A polygon serves an armed selection first, track selection before shapes,
        // whatever its vertex count and whether the runline window is shown.
        {true, false, 6, 4, false, A::SelectTracks},
        {true, false, 6, 2, true, A::SelectTracks},
        {true, true, 6, 5, true, A::SelectTracks},
        {false, true, 6, 0, false, A::SelectShapes},
        {false, true, 6, 3, true, A::SelectShapes},
        // Other shapes leave an armed mode alone; a route needs the window.
        {true, false, 5, 4, false, A::None},
        {false, true, 3, 2, false, A::None},
        {true, false, 5, 4, true, A::TakeRoute},
        {false, true, 3, 2, true, A::TakeRoute},
        // Routes: lines, polylines and polygons with two vertices or more.
        {false, false, 3, 2, true, A::TakeRoute},
        {false, false, 5, 7, true, A::TakeRoute},
        {false, false, 6, 3, true, A::TakeRoute},
        {false, false, 5, 1, true, A::None},
        {false, false, 5, 0, true, A::None},
        {false, false, 5, 7, false, A::None},
        {false, false, 6, 3, false, A::None},
        {false, false, 8, 5, true, A::None},
        {false, false, 10, 3, true, A::None},
        {false, false, 17, 1, true, A::None},
        {false, false, 1, 2, true, A::None},
        {false, false, 19, 2, true, A::None},
    };
    for (const auto& c : cases) {
        DrawEndContext context;
        context.selectTracksMode = c.tracks;
        context.selectShapesMode = c.shapes;
        context.shapeType = c.type;
        context.routeVertexCount = c.vertices;
        context.runlineWindowVisible = c.runline;
        EXPECT_EQ(RouteDrawEnd(context), c.expected)
            << c.tracks << c.shapes << " type " << c.type << " vertices " << c.vertices << " runline " << c.runline;
    }
}

TEST(SelectionPanelText, CountPromptOrNothing)
{
    const struct { A selection; int vertices, layers, selected; std::optional<QString> expected; } cases[] = {
        {A::SelectTracks, 4, 3, 12, QStringLiteral("12 track(s) selected. Press Delete to remove.")},
        {A::SelectShapes, 3, 1, 1, QStringLiteral("1 shape(s) selected. Press Delete to remove.")},
        {A::SelectTracks, 5, 1, 0, QString()},   // nothing inside: the prompt goes
        {A::SelectTracks, 2, 3, 9, std::nullopt},  // too few vertices: the prompt stays
        {A::SelectShapes, 0, 1, 0, std::nullopt},
        {A::SelectTracks, 6, 0, 4, std::nullopt},  // no track layer to search
    };
    for (const auto& c : cases) {
        const bool selects = PolygonSelects(c.vertices, c.layers);
        EXPECT_EQ(SelectionPanelText(c.selection, selects, c.selected), c.expected)
            << c.vertices << " vertices, " << c.layers << " layers, " << c.selected << " selected";
    }
}

}  // namespace
