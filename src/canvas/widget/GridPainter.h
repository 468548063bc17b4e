#pragma once
// The chart grid (lines, labels along the bottom and left edges, the axes
// through the world origin) and its automatic step.

#include "canvas/widget/GdiPainter.h"

#include <string>
#include <vector>

class QPaintDevice;

class THalvekCanvasModel;

namespace skerra::canvas {

// A round step (1, 2, 5 or 10 times a power of ten) near range / parts; 1 when
// either is not above 0.
double NiceGridStep(double range, int parts);

// The grid labels' number text: at most `decimals` decimals, trailing zeros and
// a trailing "." dropped ("0.#" with 1, "0.###" with 3).
std::string formatGridLabel(double value, int decimals);

// Draws the grid of the model's settings over its world window and client size.
// A step so fine that there would be more lines than pixels is coarsened by
// tens; a window without width or height draws nothing.
void DrawGrid(GdiPainter& painter, const THalvekCanvasModel& model);

// What of the grid DrawGrid would draw over another world window (the model's
// settings and client size) that does not move with the world when the window
// pans: the labels along the bottom (rows labelRowsFrom and below, full width)
// and the left edge (columns up to labelColumnsTo, full height; -1: none), and
// the lines, whose dots count from the client's edge and whose ends lie on it
// (columns of the vertical lines and the axis, rows of the horizontal ones).
struct GridFixedParts {
    bool shown = false;
    bool axes = false;
    double stepX = 0, stepY = 0;
    int labelRowsFrom = 0;
    int labelColumnsTo = -1;
    std::vector<int> columns, rows;
};
GridFixedParts gridFixedParts(const THalvekCanvasModel& model, double left, double right, double top,
                              double bottom, QPaintDevice* device);

}  // namespace skerra::canvas
