#pragma once
// A window moved by whole pixels: its picture is the old one moved, but for what
// comes in at the edges.

#include <QPoint>

#include <optional>

namespace skerra::canvas {

struct WorldWindow {
    double left, right, top, bottom;
};

// The pixels (right, down) by which the picture of window `from` moves to become
// that of window `to`, both over a client of width x height: when the window moved
// by whole pixels (less than the client) at the same scale, over everything within
// `reach` pixels of the client. The window's coordinates carry their own rounding:
// a pan of a window at 6,000,000 m is whole only to about 1e-6 pixel at 1 cm a
// pixel; that much is taken as whole.
std::optional<QPoint> wholePixelPan(const WorldWindow& from, const WorldWindow& to, int width, int height,
                                    double reach);

}  // namespace skerra::canvas
