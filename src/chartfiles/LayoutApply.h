#pragma once
// Puts a layout read into memory on the chart.
//
// Replace clears the chart first (every shape and layer; "Default" comes back
// as layer 0). The file's LAYER lines are opened by name, reusing layers the
// chart has; a shape's layer id k is the k-th LAYER line's layer. A file without
// LAYER lines keeps its ids as they are, and an id that names no layer sends the
// shape to "Default". A WORLD window applies when it is finite and not turned
// over (left < right, bottom < top). Ends by asking the view to repaint.

#include "chartfiles/LayoutRecords.h"

class THalvekCanvasModel;

namespace skerra::layout {

enum class LoadMode { Replace, Merge };

void applyLayout(THalvekCanvasModel& canvas, StagedLayout&& staged, LoadMode mode);

}  // namespace skerra::layout
