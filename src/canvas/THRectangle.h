#pragma once
// An axis-aligned rectangle given by two opposite corners (type 1): user
// rectangles, XYZ grid cells. Its whole inside hits. Rotating leaves it as it is.

#include "canvas/THTwoCorner.h"

class THRectangle final : public THTwoCorner {
public:
    static constexpr ShapeKind kKind = ShapeKind::Rectangle;
    THRectangle() : THRectangle(0.0, 0.0, 0.0, 0.0) {}
    THRectangle(double x1, double y1, double x2, double y2)
        : THTwoCorner(kKind, ShapeTypeCode::Rectangle, x1, y1, x2, y2)
    {
    }

    double Z = 0.0;  // elevation of an XYZ grid cell
    bool Rounded = false;
    double CornerRadius = 10.0;  // world units

    bool HitTest(double x, double y, double tolerance) const;
};
