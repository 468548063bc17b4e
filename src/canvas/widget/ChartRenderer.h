#pragma once
// ChartRenderer: the chart's back buffer: background, grid and shapes.
//
// The picture is, pixel for pixel, that of one pass over the shapes in drawing
// order (background, grid under the shapes, the shapes except texts, the texts
// at most one per 60 x 60 pixel cell, grid over the shapes), with the culls of
// that pass: hidden shapes and layers, shapes outside the window, curves
// smaller than half a pixel, points within 2 pixels of the last point drawn,
// and at most 500,000 shapes.
//
// To keep the map timer's ticks cheap on a chart of a million shapes, the pass
// is split at a checkpoint: the picture of every shape up to the checkpoint is
// kept with the pass's running state (last point, count, claimed text cells).
// When only shapes after the checkpoint changed (appended, removed, restyled),
// the picture is rebuilt from there. After each rebuild the checkpoint moves up
// to just below the first shape on a layer that changes often (the vessel
// layer), so the part redrawn stays small while the tracks grow.

#include "canvas/ShapeRange.h"
#include "canvas/widget/PixelMapping.h"
#include "platform/Colour.h"

#include <QImage>

#include <cstdint>
#include <unordered_map>
#include <vector>

class THalvekCanvasModel;
class THShape;
class THText;

namespace skerra::canvas {

class GdiPainter;

class ChartRenderer {
public:
    static constexpr int kDrawLimit = 500000;
    static constexpr int kTextCell = 60;
    // At most this many shapes are left above the checkpoint after a rebuild.
    static constexpr std::size_t kMaxTail = 1024;

    // Rebuilds the whole picture.
    void renderAll(const THalvekCanvasModel& model);
    // Rebuilds from the checkpoint; the shapes below it must be unchanged since
    // the last rebuild, and so must the view (see viewUnchanged).
    void renderTail(const THalvekCanvasModel& model);

    bool valid() const { return valid_; }
    void invalidate() { valid_ = false; }
    // The window, client size, background, grid and layer visibility are those
    // of the last rebuild.
    bool viewUnchanged(const THalvekCanvasModel& model) const;
    // The shape lies above the checkpoint (so its removal or change can be
    // redrawn from there). Only for a shape of the model last rendered while
    // no shape below the checkpoint was removed.
    bool aboveCheckpoint(const THalvekCanvasModel& model, const THShape* shape) const;
    // Shapes on this layer are changed often: keep them above the checkpoint.
    void markVolatile(int layer);

    const QImage& image() const { return *result_; }

    // How the picture was made, for tests and benchmarks.
    struct Stats {
        long fullRebuilds = 0;
        long tailRebuilds = 0;
        std::size_t lastTailLength = 0;
    };
    const Stats& stats() const { return stats_; }

private:
    struct PassState {
        int lastPointX = -9999;
        int lastPointY = -9999;
        int count = 0;
        std::vector<char> cellTaken;
        std::vector<const THText*> claimedTexts;
    };
    struct ViewKey {
        double left = 0, right = 0, top = 0, bottom = 0;
        int width = 0, height = 0;
        TColor back = 0;
        bool gridVisible = false, gridAuto = false;
        double gridX = 0, gridY = 0;
        TColor gridColour = 0;
        int gridOnTop = 0;
        int nextLayerId = 0;
        std::vector<char> layerVisible;  // by id, 0 .. nextLayerId
        bool operator==(const ViewKey&) const = default;
    };
    static ViewKey keyOf(const THalvekCanvasModel& model);

    void startPicture(const THalvekCanvasModel& model);
    void passShapes(const THalvekCanvasModel& model, ShapeRange::iterator from, ShapeRange::iterator to,
                    QImage& target, PassState& state);
    void passShape(const THalvekCanvasModel& model, const THShape& s, GdiPainter& g, PassState& state);
    void finishPicture(const THalvekCanvasModel& model);
    bool isVolatile(int layer) const;

    ViewKey key_;
    PixelMapping map_;
    double unitsPerPixel_ = 1.0;
    int cellColumns_ = 0, cellRows_ = 0;
    bool valid_ = false;

    QImage checkpoint_;      // every shape up to lastCommitted_
    PassState checkpointState_;
    const THShape* lastCommitted_ = nullptr;  // null: nothing below the checkpoint
    QImage work_;            // checkpoint + the shapes above it (texts not yet)
    QImage final_;           // work + texts + grid on top, when there are any
    const QImage* result_ = &work_;

    std::unordered_map<int, long> volatileMarks_;  // layer -> rebuild number of the last mark
    long rebuildNumber_ = 0;
    Stats stats_;
};

}  // namespace skerra::canvas
