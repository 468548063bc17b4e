#pragma once
// The chart grid (lines, labels along the bottom and left edges, the axes
// through the world origin) and its automatic step.

#include "canvas/widget/GdiPainter.h"

#include <string>

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

}  // namespace skerra::canvas
