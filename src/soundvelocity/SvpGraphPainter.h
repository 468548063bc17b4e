#pragma once
// Drawing the profile graph: white background, dotted grid with labels and axes, the
// profile as a blue polyline with a marker per point (red when selected, green while
// dragged), and the lasso path.

class QPainter;

namespace skerra::svp {

class SvpGraphModel;

void DrawGrid(QPainter& painter, const SvpGraphModel& model);
void DrawProfile(QPainter& painter, const SvpGraphModel& model);
void DrawLasso(QPainter& painter, const SvpGraphModel& model);

// All of it, in this order, over the model's plot size.
void PaintGraph(QPainter& painter, const SvpGraphModel& model);

}  // namespace skerra::svp
