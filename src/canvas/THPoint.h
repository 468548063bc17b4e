#pragma once
// A point mark (type 17): a track mark, an XYZ sounding, a DXF point.

#include "canvas/THShape.h"

class THPoint : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Point;
    THPoint() : THShape(kKind, ShapeTypeCode::Point) {}
    THPoint(double x, double y) : THPoint() { X = x; Y = y; }

    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;     // elevation of an imported sounding
    int PointSize = 3;  // half-size of the bounding box, in world units

    bool HitTest(double x, double y, double tolerance) const override;
    void UpdateBounds() override;
    void Translate(double dx, double dy) override;
    void Scale(double sx, double sy, double cx, double cy) override;
    void Rotate(double degrees, double cx, double cy) override;

private:
    void moveTo(double x, double y);
};
