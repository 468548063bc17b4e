#pragma once
// What a finished drawing on the chart means: the polygon of an armed selection
// command, a route for the runline generator, or just a shape the user drew.

#include <QString>

#include <optional>

enum class DrawEndAction {
    None,          // an ordinary shape
    SelectTracks,  // the polygon selects track marks
    SelectShapes,  // the polygon selects shapes of every layer
    TakeRoute,     // the newest route polyline goes to the runline generator
};

struct DrawEndContext {
    bool selectTracksMode = false;
    bool selectShapesMode = false;
    int shapeType = 0;                  // the finished shape's type code
    bool runlineWindowVisible = false;
    int routeVertexCount = 0;           // vertices of the newest route or selection polyline
};

// Track selection goes first, then shape selection; an armed mode is used (and
// disarmed) only by a polygon (type 6). A line (3), polyline (5) or polygon (6) is a
// route while the runline window is shown and the polyline has 2 vertices or more.
DrawEndAction RouteDrawEnd(const DrawEndContext& context);

// A selection polygon selects only with 3 vertices or more and at least one layer to
// search.
bool PolygonSelects(int vertexCount, int layerCount);

// The prompt panel after a selection polygon: "<n> track(s) selected. Press Delete to
// remove." or "<n> shape(s) selected. ...", empty when nothing was selected; nothing
// (the prompt stays) when the polygon did not select.
std::optional<QString> SelectionPanelText(DrawEndAction selection, bool selected, int selectedCount);
