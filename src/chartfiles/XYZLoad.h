#pragma once
// The chart's reader of XYZ grids: a text file of x y z triples onto one layer,
// coloured by z (DepthToColor). Points that form a regular grid become filled cells
// one grid step wide around each point; other points become small points.

#include "chartfiles/XyzLines.h"

#include <QString>

#include <vector>

class THalvekCanvasModel;

// zMin = zMax = 0: the colour range is taken from the data. Returns 1 when at least
// one shape was made (the view then fits the visible shapes), else 0. Never throws:
// a failure part-way keeps the shapes made so far and returns 0.
int XYZLoad(THalvekCanvasModel& chart, const QString& fileName, int layerId, double zMin, double zMax);

namespace skerra::chartfiles {

struct GridSteps {
    double cellX = 0.0, cellY = 0.0;
};

// The grid steps when the points (in file order) form a regular grid; nothing when
// they do not. Looks at no more than the first 1000 points.
bool FindGridSteps(const std::vector<XyzPoint>& points, GridSteps& steps);

}  // namespace skerra::chartfiles
