#pragma once
// A canvas model that records the repaint and cursor requests it makes.

#include "canvas/THalvekCanvasModel.h"

struct RecordingCanvas : THalvekCanvasModel {
    int invalidates = 0;
    int repaints = 0;
    int cursorResets = 0;

    // Clears the redraw flag and the counters, as a paint would.
    void painted()
    {
        NeedsRedraw = false;
        invalidates = repaints = cursorResets = 0;
    }

protected:
    void Invalidate() override { ++invalidates; }
    void Repaint() override { ++repaints; }
    void ResetCursor() override { ++cursorResets; }
};

// Numbers of the shapes in drawing order.
inline std::vector<long> drawingOrder(const THalvekCanvasModel& c)
{
    std::vector<long> numbers;
    for (const THShape* s : c.Shapes())
        numbers.push_back(s->ShapeNumber());
    return numbers;
}
