#pragma once
// A layout file read into memory, not yet on any chart: what the parser makes
// and what applying puts on the chart.
//
// The shapes are built already, detached: their geometry, bounds, pen (when the
// file gives one) and the layer id as the file writes it. Applying maps that id
// through the file's LAYER lines and numbers the shapes.

#include "canvas/THShape.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace skerra::layout {

struct StagedShape {
    enum Flags : std::uint8_t {
        PenFromLayer = 1,   // the line gave no colour: the layer's pen applies
        FontNameGiven = 2,  // a text whose font name is its own (not empty, not "0")
    };
    std::unique_ptr<THShape> shape;
    std::uint8_t flags = 0;
};

// The world window as the WORLD lines give it: each side its last value read.
struct StagedWorld {
    std::optional<double> left, right, bottom, top;
};

struct StagedLayout {
    StagedWorld world;
    std::vector<QString> layers;  // the LAYER lines in order: file layer id k is layers[k]
    std::vector<StagedShape> shapes;
    bool layoutLineSeen = false;  // a WORLD, LAYER or shape line was read
};

}  // namespace skerra::layout
