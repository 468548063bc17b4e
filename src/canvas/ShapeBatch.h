#pragma once
// Shapes a reader makes straight into a chart, all or nothing.
//
// A reader opens a batch on the chart, makes its shapes in it in drawing order
// (each constructed in place in the chart's memory and given its number, layer
// and pen at once) and commits it at the end. Until then the chart is as it
// was: a batch that is destroyed without being committed takes its shapes away
// again and opens no layer. Append puts the shapes on top of the chart's own;
// Replace takes the place of every shape and layer on commit, as ResetChart
// followed by the reader's shapes would (fonts, blocks and the view stay).
//
// Layers are opened through the batch: it tells the ids they will have, and
// opens them on the chart, in the same order, when it commits. While the batch
// is open, nothing else may change the chart.

#include "canvas/ShapeStore.h"
#include "canvas/THLayer.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class THalvekCanvasModel;

class ShapeBatch {
public:
    enum class Mode { Append, Replace };

    ShapeBatch(THalvekCanvasModel& chart, Mode mode);
    ShapeBatch(const ShapeBatch&) = delete;
    ShapeBatch& operator=(const ShapeBatch&) = delete;
    ~ShapeBatch();

    // ---- layers as they will be once committed ----
    // The id the layer of that name will have; opened on commit.
    int OpenLayer(const QString& name);
    // The id of the layer of that name, or -1.
    int FindLayerByName(const QString& name) const;
    // The record new shapes on that layer take their pen from, or null when no such layer will exist.
    const THLayer* FindLayer(int id) const;

    // ---- shapes ----
    // Room for count more shapes.
    void Reserve(std::size_t count) { store().reserve(count); }
    // A new shape of class S on top, built from geometry, with its number, layer id (not
    // checked) and pen. The caller sets the rest and its bounds.
    template <class S, class... Args>
    S& Make(int layer, TColor penFg, int penWidth, Args&&... geometry)
    {
        auto shape = std::make_unique<S>(std::forward<Args>(geometry)...);
        S& made = *shape;
        store().addNew(shape.get(), nextNumber_, layer, penFg, penWidth);
        (void)shape.release();
        ++nextNumber_;
        ++count_;
        return made;
    }
    // A shape built detached (geometry and bounds set), put on top with that identity.
    void Adopt(std::unique_ptr<THShape> shape, int layer, TColor penFg, int penWidth);
    // Identity changes of a shape made in this batch.
    void SetLayer(THShape& shape, int layer) { store().setLayer(&shape, layer); }
    void SetPenFg(THShape& shape, TColor colour) { store().setPenFg(&shape, colour); }
    void SetPenWidth(THShape& shape, int width) { store().setPenWidth(&shape, width); }
    // Shapes made so far.
    std::size_t Count() const { return count_; }

    // Puts everything on the chart (once); the chart is to be redrawn.
    void Commit();

private:
    ShapeStore& store();
    const THLayer* pendingLayer(int id) const;

    THalvekCanvasModel& chart_;
    const Mode mode_;
    bool committed_ = false;
    std::size_t mark_ = 0;            // Append: where this batch's shapes start in the chart's order
    std::unique_ptr<ShapeStore> own_;  // Replace: the shapes that take the chart's place
    long nextNumber_ = 1;
    std::size_t count_ = 0;
    std::vector<QString> opened_;                 // names given to OpenLayer, in order
    std::vector<std::unique_ptr<THLayer>> new_;   // layers that do not exist yet, in id order
    int firstNewId_ = 0;
};
