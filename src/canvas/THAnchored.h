#pragma once
// THAnchored: the base of the shapes placed at one point, X/Y: a point mark
// and a text label. Translating or scaling moves that point (a scale changes
// nothing else about them).

#include "canvas/ShapeGeometry.h"
#include "canvas/THShape.h"

class THAnchored : public THShape {
public:
    double X = 0.0;
    double Y = 0.0;

    void Translate(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);

protected:
    THAnchored(ShapeKind kind, int typeCode, double x, double y) : THShape(kind, typeCode), X(x), Y(y) {}
    // Moves the point by f (not when the result is not finite), then the bounds.
    template <class F>
    void mapAnchor(F&& f)
    {
        if (skerra::canvas::mapPointsIfFinite({{X, Y}}, f))
            UpdateBounds();
    }
};
