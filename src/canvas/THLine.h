#pragma once
// A straight line between two ends (type 3): track segments, vessel symbol, DXF lines.

#include "canvas/THTwoCorner.h"

class THLine final : public THTwoCorner {
public:
    static constexpr ShapeKind kKind = ShapeKind::Line;
    THLine() : THLine(0.0, 0.0, 0.0, 0.0) {}
    THLine(double x1, double y1, double x2, double y2) : THTwoCorner(kKind, ShapeTypeCode::Line, x1, y1, x2, y2) {}

    bool HitTest(double x, double y, double tolerance) const;
    // Turns both ends about (cx, cy).
    void Rotate(double degrees, double cx, double cy);
};
