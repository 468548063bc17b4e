#pragma once
// The latency window's verdict: the current latency against the user's tolerance,
// both in milliseconds as the window's edits hold them.

#include "platform/Colour.h"

#include <QString>
#include <optional>

namespace skerra {

// Lime when the current latency is below the tolerance, red otherwise. Both texts are
// read as integers (decimal, or hexadecimal after "0x"); when either is not one, for
// instance while the user has emptied the tolerance edit, there is no verdict and the
// window keeps its colour.
std::optional<TColor> latencyColour(const QString& current, const QString& tolerance);

}  // namespace skerra
