#pragma once
// Selecting shapes inside a polygon or on given layers, and reading back the
// last drawn polyline (the polygon of a selection, a route).

#include <QPointF>

#include <utility>
#include <vector>

class THalvekCanvasModel;
class THShape;

namespace skerra::canvas {

// Even-odd rule with strict comparisons; an empty polygon contains nothing.
bool PointInPolygon(double x, double y, const std::vector<QPointF>& polygon);

// The reference points a track selection tests: a point's position, a line's
// ends, a vertex shape's vertices, the centre of the bounding box of the others.
bool trackReferenceInside(const THShape& shape, const std::vector<QPointF>& polygon);
// The reference points a shape selection tests: corners and centre of a
// rectangle, centre of a circle or an ellipse, a text's anchor, an arc's points.
bool shapeReferenceInside(const THShape& shape, const std::vector<QPointF>& polygon);

// Each starts by clearing the selection. The polygon selections return false
// when they stop early (fewer than 3 vertices, no layers).
void selectShapesOnLayers(THalvekCanvasModel& model, const std::vector<long>& layerIds);
bool selectShapesInPolygon(THalvekCanvasModel& model, const std::vector<QPointF>& polygon,
                           const std::vector<long>& layerIds);
bool selectAllShapesInPolygon(THalvekCanvasModel& model, const std::vector<QPointF>& polygon);

// The vertices of the last polyline (2 or more vertices) on "Halvek_Route" or
// "Halvek_SelectPoly", or on any layer when neither exists; empty when none.
std::vector<std::pair<double, double>> lastPolylinePoints(const THalvekCanvasModel& model);

}  // namespace skerra::canvas
