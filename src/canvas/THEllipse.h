#pragma once
// An axis-aligned ellipse inside the rectangle of two opposite corners (type 20).
// Hit only near its outline; a flat ellipse (no width or no height) is never
// hit. Rotating leaves it as it is.

#include "canvas/THTwoCorner.h"

class THEllipse final : public THTwoCorner {
public:
    static constexpr ShapeKind kKind = ShapeKind::Ellipse;
    THEllipse() : THEllipse(0.0, 0.0, 0.0, 0.0) {}
    THEllipse(double x1, double y1, double x2, double y2) : THTwoCorner(kKind, ShapeTypeCode::Ellipse, x1, y1, x2, y2)
    {
    }

    bool HitTest(double x, double y, double tolerance) const;
};
