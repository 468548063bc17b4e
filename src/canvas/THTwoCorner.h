#pragma once
// THTwoCorner: the base of the shapes given by two points, X1/Y1 and X2/Y2:
// the ends of a line, or two opposite corners of an axis-aligned rectangle or
// of the box an ellipse fills. Their bounds are the box of the two points, and
// translating or scaling moves both points. Rotating keeps an axis-aligned
// shape as it is (its corners do not move); a line turns its ends instead.

#include "canvas/ShapeGeometry.h"
#include "canvas/THShape.h"

class THTwoCorner : public THShape {
public:
    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;

    skerra::canvas::ShapeBounds Bounds() const;
    void UpdateBounds() {}
    void Translate(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);
    void Rotate(double degrees, double cx, double cy);

protected:
    THTwoCorner(ShapeKind kind, int typeCode, double x1, double y1, double x2, double y2)
        : THShape(kind, typeCode), X1(x1), Y1(y1), X2(x2), Y2(y2)
    {
    }
    // Moves both points by f (nothing when a result is not finite), then the bounds.
    template <class F>
    void mapCorners(F&& f)
    {
        if (skerra::canvas::mapPointsIfFinite({{X1, Y1}, {X2, Y2}}, f))
            UpdateBounds();
    }
};
