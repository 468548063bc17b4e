#pragma once
// A circle (type 19): range rings, DXF circles. Hit only near its outline.

#include "canvas/THShape.h"

class THCircle final : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Circle;
    THCircle() : THShape(kKind, ShapeTypeCode::Circle) {}
    THCircle(double cx, double cy, double r) : THCircle() { CX = cx; CY = cy; Radius = r; }

    double CX = 0.0;
    double CY = 0.0;
    double Radius = 0.0;

    bool HitTest(double x, double y, double tolerance) const;
    skerra::canvas::ShapeBounds Bounds() const;
    void UpdateBounds() {}
    void Translate(double dx, double dy);
    // The radius grows by the mean of the factors' magnitudes, so a mirror
    // (a factor of -1) keeps it.
    void Scale(double sx, double sy, double cx, double cy);
    // Moves the centre only.
    void Rotate(double degrees, double cx, double cy);

private:
    void set(double cx, double cy, double r);
};
