#include "DrawEndRouting.h"

namespace {

constexpr int kLine = 3, kPolyline = 5, kPolygon = 6;

}  // namespace

DrawEndAction RouteDrawEnd(const DrawEndContext& c)
{
    if (c.selectTracksMode && c.shapeType == kPolygon) return DrawEndAction::SelectTracks;
    if (c.selectShapesMode && c.shapeType == kPolygon) return DrawEndAction::SelectShapes;
    const bool routeShape = c.shapeType == kLine || c.shapeType == kPolyline || c.shapeType == kPolygon;
    if (c.runlineWindowVisible && routeShape && c.routeVertexCount > 1) return DrawEndAction::TakeRoute;
    return DrawEndAction::None;
}

bool PolygonSelects(int vertexCount, int layerCount) { return vertexCount > 2 && layerCount > 0; }

std::optional<QString> SelectionPanelText(DrawEndAction selection, bool selected, int selectedCount)
{
    if (!selected) return std::nullopt;
    if (selectedCount < 1) return QString();
    const char* what = selection == DrawEndAction::SelectTracks ? " track(s)" : " shape(s)";
    return QString::number(selectedCount) + QLatin1String(what) + QStringLiteral(" selected. Press Delete to remove.");
}
