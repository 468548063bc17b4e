#pragma once
// WideLineStamp: the pixels Qt paints for a short line with a wide, round-capped
// pen, kept per vector and width, so that drawing one is filling a few spans.
//
// A survey's track is thousands of segments a pixel or two long, drawn with a
// 2-pixel pen: Qt strokes each through its round caps (Bézier arcs, flattened,
// then filled), which costs far more than the few pixels it paints. Without
// antialiasing, what it paints for a line between whole pixels depends on the
// vector and the pen alone and moves along with the line by whole pixels (the
// chart's scrolling relies on that too): it is taken once from Qt, in a
// picture of its own, and laid down again wherever such a line is drawn. The
// stamp is whole: at a picture's edge it is cut pixel by pixel, where Qt would
// cut the line itself.

#include <QPoint>

#include <vector>

namespace skerra::canvas {

struct StampRun {
    int dy, x0, x1;  // a run of pixels in one row, from the line's first end (inclusive)
};

class WideLineStamp {
public:
    // Lines up to this long each way, pens from 2 up to this wide.
    static constexpr int kReach = 16;
    static constexpr int kMaxWidth = 8;

    static bool covers(int dx, int dy, int width)
    {
        return width >= 2 && width <= kMaxWidth && dx >= -kReach && dx <= kReach && dy >= -kReach && dy <= kReach;
    }
    // The runs Qt paints for a line from (0, 0) to (dx, dy) with a round-capped
    // pen of this width; only for vectors and widths covers() holds for.
    static const std::vector<StampRun>& runs(int dx, int dy, int width);
};

}  // namespace skerra::canvas
