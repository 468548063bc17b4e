#pragma once
// Draws one chart shape with the drawing rules of its class (the renderer
// decides which shapes are drawn and in what colour; this is how).

#include "canvas/widget/GdiPainter.h"
#include "canvas/widget/PixelMapping.h"

#include <QPoint>

#include <optional>

class THLine;
class THShape;

namespace skerra::canvas {

// Draws the shape in the window `map`, with penFg as its pen colour (the
// renderer passes the contrast colour here; a selected shape is red whatever it is).
void drawShape(GdiPainter& painter, const THShape& shape, const PixelMapping& map, TColor penFg);

// A line whose ends fall on one pixel or on two neighbouring ones: with a
// one-pixel pen it paints the pixel of its first end alone; with a wider pen,
// nothing when both ends are on one pixel (see GdiPainter::line).
struct ShortLine {
    QPoint first;
    bool withoutLength;
};
std::optional<ShortLine> shortLine(const THLine& line, const PixelMapping& map);

// A line between pixel points (in double), clipped to the guard box first when
// an end lies far outside.
void drawClippedLine(GdiPainter& painter, double x1, double y1, double x2, double y2, const GuardBox& box);

}  // namespace skerra::canvas
