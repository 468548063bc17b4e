#pragma once
// What a layout file gives besides its shapes and layers.

#include <optional>

namespace skerra::layout {

// The world window as the WORLD lines give it: each side its last value read.
struct StagedWorld {
    std::optional<double> left, right, bottom, top;
};

}  // namespace skerra::layout
