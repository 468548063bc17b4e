#pragma once
// A straight line between two ends (type 3): track segments, vessel symbol, DXF lines.

#include "canvas/THShape.h"

class THLine : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Line;
    THLine() : THShape(kKind, ShapeTypeCode::Line) {}
    THLine(double x1, double y1, double x2, double y2) : THLine()
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
    void Rotate(double degrees, double cx, double cy) override;

private:
    void setEnds(double x1, double y1, double x2, double y2);
};
