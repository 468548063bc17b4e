#pragma once
// The axis-aligned box around a shape, in world coordinates.

namespace skerra::canvas {

struct ShapeBounds {
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;
};

}  // namespace skerra::canvas
