#pragma once
// An axis-aligned rectangle given by two opposite corners (type 1): user
// rectangles, XYZ grid cells. Its whole inside hits.

#include "canvas/THShape.h"

class THRectangle : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Rectangle;
    THRectangle() : THShape(kKind, ShapeTypeCode::Rectangle) {}
    THRectangle(double x1, double y1, double x2, double y2) : THRectangle()
    {
        X1 = x1; Y1 = y1; X2 = x2; Y2 = y2;
    }

    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;
    double Z = 0.0;  // elevation of an XYZ grid cell
    bool Rounded = false;
    double CornerRadius = 10.0;  // world units

    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    // The rectangle stays axis-aligned: its corners do not move.
    void Rotate(double degrees, double cx, double cy) override;

private:
    void setCorners(double x1, double y1, double x2, double y2);
};
