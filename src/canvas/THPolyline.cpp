#include "canvas/THPolyline.h"

#include "canvas/ShapeGeometry.h"

#include <algorithm>

using namespace skerra::canvas;

bool THPolyline::HitTest(double x, double y, double tolerance) const
{
    for (std::size_t i = 0; i + 1 < Points.size(); ++i) {
        const WorldPoint a = Points[i];
        const WorldPoint b = Points[i + 1];
        if (a == b)
            continue;
        if (distanceToSegment(x, y, a, b) <= tolerance)
            return true;
    }
    return false;
}

void THPolyline::UpdateBounds()
{
    if (Points.empty())
        return;
    double minX = Points[0].x, maxX = Points[0].x, minY = Points[0].y, maxY = Points[0].y;
    for (const WorldPoint& p : Points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    bounds_ = {minX, minY, maxX, maxY};
}

void THPolyline::AddPoint(double x, double y)
{
    Points.push_back({x, y});
    if (Points.size() == 1)
        bounds_ = {x, y, x, y};
    else
        bounds_ = {std::min(bounds_.minX, x), std::min(bounds_.minY, y), std::max(bounds_.maxX, x),
                   std::max(bounds_.maxY, y)};
}

double THPolyline::GetPointX(int i) const { return validIndex(i) ? Points[i].x : 0.0; }

double THPolyline::GetPointY(int i) const { return validIndex(i) ? Points[i].y : 0.0; }

bool THPolyline::SetPoint(int i, double x, double y)
{
    if (!validIndex(i))
        return false;
    Points[i] = {x, y};
    UpdateBounds();
    return true;
}

bool THPolyline::InsertPoint(int i, double x, double y)
{
    if (i < 0 || i > PointCount())
        return false;
    Points.insert(Points.begin() + i, WorldPoint{x, y});
    UpdateBounds();
    return true;
}

bool THPolyline::DeletePoint(int i)
{
    if (!validIndex(i))
        return false;
    Points.erase(Points.begin() + i);
    UpdateBounds();
    return true;
}

template <class F>
void THPolyline::mapPoints(F f)
{
    PointList moved;
    moved.reserve(Points.size());
    for (const WorldPoint& p : Points) {
        const WorldPoint q = f(p);
        if (!allFinite({q.x, q.y}))
            return;
        moved.push_back(q);
    }
    Points = std::move(moved);
    UpdateBounds();
}

void THPolyline::Translate(double dx, double dy) { mapPoints(Translation{dx, dy}); }

void THPolyline::Scale(double sx, double sy, double cx, double cy) { mapPoints(Scaling{sx, sy, cx, cy}); }

void THPolyline::Rotate(double degrees, double cx, double cy) { mapPoints(Rotation(degrees, cx, cy)); }
