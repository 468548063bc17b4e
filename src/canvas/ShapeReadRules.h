#pragma once
// What a chart takes of a shape read from a file: the same rules for every
// reader (layout files, DXF drawings, imports, the settings' pen widths), so
// that a value the chart's numbers or its painter cannot hold never gets in.

#include "canvas/THShape.h"

#include <algorithm>
#include <cmath>

namespace skerra::canvas {

// The widest pen a read width gives, in pixels (far wider than any window).
inline constexpr int kMaxPenWidth = 1000;

// A pen width as read: below 0 it is 0, beyond kMaxPenWidth it is kMaxPenWidth
// (a width near the int limit would overflow the painter's arithmetic).
constexpr int penWidthAsRead(int width) { return std::clamp(width, 0, kMaxPenWidth); }

// A text height as read: its size whatever its sign (a negative one would turn
// the text's box over, its minimum beyond its maximum).
inline double textHeightAsRead(double height) { return std::abs(height); }

// False for a shape whose box the chart's numbers cannot hold (a text 1e308
// high, a circle of radius 1e308 at 1e308): readers leave such a shape out.
inline bool hasFiniteBox(const THShape& shape)
{
    const ShapeBounds b = shape.Bounds();
    return std::isfinite(b.minX) && std::isfinite(b.minY) && std::isfinite(b.maxX) && std::isfinite(b.maxY);
}

}  // namespace skerra::canvas
