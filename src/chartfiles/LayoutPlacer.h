#pragma once
// Puts the shapes of a layout on the chart as the text is read.
//
// The shapes are made straight into the chart through a ShapeBatch: a load
// that fails (or is dropped) leaves the chart as it was. Replace takes the
// place of every shape and layer on commit ("Default" comes back as layer 0).
// The file's LAYER lines are opened by name, reusing layers the chart has; a
// shape's layer id k is the k-th LAYER line's layer. A file without LAYER lines
// keeps its ids as they are, and an id that names no layer sends the shape to
// "Default". A shape read before the LAYER line its id names is put right on
// commit. A WORLD window applies when it is finite and not turned over
// (left < right, bottom < top). Commit ends by asking the view to repaint.

#include "canvas/ShapeBatch.h"
#include "canvas/THText.h"
#include "chartfiles/LayoutRecords.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

class THalvekCanvasModel;

namespace skerra::layout {

enum class LoadMode { Replace, Merge };

// Pen colour and width of a shape line: both given when the colour is.
struct Pen {
    bool given = false;
    int colour = 0;
    int width = 1;
};

class LayoutPlacer {
public:
    LayoutPlacer(THalvekCanvasModel& canvas, LoadMode mode);

    // A LAYER line.
    void layer(const QString& name);
    // The window the WORLD lines give.
    StagedWorld& world() { return world_; }
    // A WORLD, LAYER or shape line was read.
    void markLayoutLine() { layoutLineSeen_ = true; }
    bool layoutLineSeen() const { return layoutLineSeen_; }

    // A shape read whole (fields and bounds set) on the chart, on the layer the
    // file id names, with the line's pen (or the layer's; a text's pen is 1
    // wide). A shape whose box is not finite is left out: false.
    bool put(std::unique_ptr<THShape> shape, int fileLayer, const Pen& pen);
    // A text's alignment, and its font from the chart's table where the line named none.
    void fitText(THText& text, bool fontNameGiven) const;

    // Puts the layers, the numbering and the window on the chart.
    void commit();

private:
    // The layer a shape goes to, as far as the LAYER lines read so far tell.
    struct Target {
        const THLayer* layer = nullptr;
        bool settled = true;  // no later LAYER line can change it
    };
    // A shape whose layer may change with a later LAYER line.
    struct Unsettled {
        THShape* shape;
        int fileLayer;
        bool penFromLayer;
    };

    Target target(int fileLayer);
    const THLayer* chartLayer(int fileLayer, bool& usesDefault) const;
    const THLayer* defaultLayer() const;
    void placed(THShape& s, const Target& t, int fileLayer, const Pen& pen);
    void settle();
    void applyWorld();

    THalvekCanvasModel& canvas_;
    mutable ShapeBatch batch_;
    mutable const THLayer* default_ = nullptr;
    StagedWorld world_;
    bool layoutLineSeen_ = false;
    std::vector<int> ids_;  // file layer id -> chart layer id, one per LAYER line
    bool defaultUsed_ = false;
    std::vector<Unsettled> unsettled_;
    int lastFileLayer_ = 0;
    Target last_;
};

}  // namespace skerra::layout
