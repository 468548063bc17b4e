#pragma once
// A point mark (type 17): a track mark, an XYZ sounding, a DXF point.

#include "canvas/THAnchored.h"

class THPoint final : public THAnchored {
public:
    static constexpr ShapeKind kKind = ShapeKind::Point;
    THPoint() : THPoint(0.0, 0.0) {}
    THPoint(double x, double y) : THAnchored(kKind, ShapeTypeCode::Point, x, y) {}

    double Z = 0.0;     // elevation of an imported sounding
    int PointSize = 3;  // half-size of the bounding box, in world units

    bool HitTest(double x, double y, double tolerance) const;
    // A square of PointSize either side of the point.
    skerra::canvas::ShapeBounds Bounds() const;
    void UpdateBounds() {}
    // Turns the point about (cx, cy).
    void Rotate(double degrees, double cx, double cy);
};
