#pragma once
// An axis-aligned ellipse inside the rectangle of two opposite corners (type 20).
// Hit only near its outline; a flat ellipse (no width or no height) is never hit.

#include "canvas/THShape.h"

class THEllipse : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Ellipse;
    THEllipse() : THShape(kKind, ShapeTypeCode::Ellipse) {}
    THEllipse(double x1, double y1, double x2, double y2) : THEllipse()
    {
        X1 = x1; Y1 = y1; X2 = x2; Y2 = y2;
    }

    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;

    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    // The ellipse stays axis-aligned: its corners do not move.
    void Rotate(double degrees, double cx, double cy) override;

private:
    void setCorners(double x1, double y1, double x2, double y2);
};
