#pragma once
// A vertex list: open polyline (type 5), polygon (6, Closed), spline (8) or a
// three-point arc drawn as one curve (10). Vertices are kept in double precision.

#include "canvas/PointList.h"
#include "canvas/THShape.h"

class THPolyline final : public THShape {
public:
    static constexpr ShapeKind kKind = ShapeKind::Polyline;
    explicit THPolyline(int typeCode = ShapeTypeCode::Polyline) : THShape(kKind, typeCode) {}

    skerra::canvas::PointList Points;
    bool Closed = false;

    // Segments between consecutive vertices; zero-length segments and the
    // closing edge are not tested; fewer than 2 vertices never hit.
    bool HitTest(double x, double y, double tolerance) const;
    // The box of the vertices, as of the last UpdateBounds or vertex change
    // made through the methods below (Points may also be changed directly:
    // UpdateBounds then brings the box in step).
    skerra::canvas::ShapeBounds Bounds() const { return bounds_; }
    // Without vertices the bounds stay as they were.
    void UpdateBounds();
    void Translate(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);
    void Rotate(double degrees, double cx, double cy);

    int PointCount() const { return static_cast<int>(Points.size()); }
    // Appends a vertex and widens the bounds to it.
    void AddPoint(double x, double y);
    // 0 when the index is outside 0 .. count - 1.
    double GetPointX(int i) const;
    double GetPointY(int i) const;
    // Replaces vertex i when it exists; returns whether it did.
    bool SetPoint(int i, double x, double y);
    // Inserts before position i (i = count appends); returns whether it did.
    bool InsertPoint(int i, double x, double y);
    // Removes vertex i when it exists; returns whether it did.
    bool DeletePoint(int i);

private:
    skerra::canvas::ShapeBounds bounds_;
    bool validIndex(int i) const { return i >= 0 && i < PointCount(); }
    template <class F>
    void mapPoints(F f);
};
