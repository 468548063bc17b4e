#pragma once
// A three-point arc made by DrawThreePointArc (type 10): start, middle and end,
// shown as two straight segments. Hit anywhere in its bounding box.

#include "canvas/THShape.h"

class THArc final : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Arc;
    THArc() : THShape(kKind, ShapeTypeCode::Arc3) {}
    THArc(double x1, double y1, double x2, double y2, double x3, double y3) : THArc()
    {
        X1 = x1; Y1 = y1;
        X2 = x2; Y2 = y2;
        X3 = x3; Y3 = y3;
    }

    double X1 = 0.0, Y1 = 0.0;  // start
    double X2 = 0.0, Y2 = 0.0;  // middle
    double X3 = 0.0, Y3 = 0.0;  // end

    bool HitTest(double x, double y, double tolerance) const;
    // The box of the three points.
    skerra::canvas::ShapeBounds Bounds() const;
    void UpdateBounds() {}
    void Translate(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);
    void Rotate(double degrees, double cx, double cy);

private:
    template <class F>
    void mapPoints(F f);
};
