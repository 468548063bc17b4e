#pragma once
// A DXF block definition: a named list of shapes with a base point. The canvas
// keeps the blocks for the chart-file code; the block owns its shapes, which
// are never on the canvas themselves.

#include "canvas/THShape.h"

#include <QString>

#include <memory>
#include <vector>

struct THBlock {
    QString name;
    double baseX = 0.0;
    double baseY = 0.0;
    std::vector<std::unique_ptr<THShape>> shapes;
};
