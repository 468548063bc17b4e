#include "canvas/widget/PolygonSelection.h"

#include "canvas/THalvekCanvasModel.h"

#include <algorithm>
#include <initializer_list>

namespace skerra::canvas {

bool PointInPolygon(double x, double y, const std::vector<QPointF>& polygon)
{
    bool inside = false;
    const std::size_t n = polygon.size();
    if (n == 0)
        return false;
    std::size_t j = n - 1;
    for (std::size_t i = 0; i < n; ++i) {
        const double xi = polygon[i].x(), yi = polygon[i].y();
        const double xj = polygon[j].x(), yj = polygon[j].y();
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
            inside = !inside;
        j = i;
    }
    return inside;
}

namespace {

bool anyInside(std::initializer_list<std::pair<double, double>> points, const std::vector<QPointF>& polygon)
{
    for (const auto& [x, y] : points)
        if (PointInPolygon(x, y, polygon))
            return true;
    return false;
}

bool anyVertexInside(const THPolyline& p, const std::vector<QPointF>& polygon)
{
    for (const auto& v : p.Points)
        if (PointInPolygon(v.x, v.y, polygon))
            return true;
    return false;
}

bool boxCentreInside(const THShape& s, const std::vector<QPointF>& polygon)
{
    return PointInPolygon((s.MinX() + s.MaxX()) / 2.0, (s.MinY() + s.MaxY()) / 2.0, polygon);
}

bool onLayers(const THShape& s, const std::vector<long>& layerIds)
{
    return std::find(layerIds.begin(), layerIds.end(), static_cast<long>(s.LayerId())) != layerIds.end();
}

}  // namespace

bool trackReferenceInside(const THShape& s, const std::vector<QPointF>& polygon)
{
    if (const auto* p = shape_cast<THPoint>(&s))
        return PointInPolygon(p->X, p->Y, polygon);
    if (const auto* l = shape_cast<THLine>(&s))
        return anyInside({{l->X1, l->Y1}, {l->X2, l->Y2}}, polygon);
    if (const auto* p = shape_cast<THPolyline>(&s))
        return anyVertexInside(*p, polygon);
    return boxCentreInside(s, polygon);
}

bool shapeReferenceInside(const THShape& s, const std::vector<QPointF>& polygon)
{
    switch (s.Kind()) {
    case ShapeKind::Point: {
        const auto& p = static_cast<const THPoint&>(s);
        return PointInPolygon(p.X, p.Y, polygon);
    }
    case ShapeKind::Line: {
        const auto& l = static_cast<const THLine&>(s);
        return anyInside({{l.X1, l.Y1}, {l.X2, l.Y2}}, polygon);
    }
    case ShapeKind::Polyline: return anyVertexInside(static_cast<const THPolyline&>(s), polygon);
    case ShapeKind::Rectangle: {
        const auto& r = static_cast<const THRectangle&>(s);
        return anyInside({{r.X1, r.Y1}, {r.X2, r.Y2}, {r.X1, r.Y2}, {r.X2, r.Y1},
                          {(r.X1 + r.X2) / 2.0, (r.Y1 + r.Y2) / 2.0}},
                         polygon);
    }
    case ShapeKind::Circle: {
        const auto& c = static_cast<const THCircle&>(s);
        return PointInPolygon(c.CX, c.CY, polygon);
    }
    case ShapeKind::Ellipse: {
        const auto& e = static_cast<const THEllipse&>(s);
        return PointInPolygon((e.X1 + e.X2) / 2.0, (e.Y1 + e.Y2) / 2.0, polygon);
    }
    case ShapeKind::Text: {
        const auto& t = static_cast<const THText&>(s);
        return PointInPolygon(t.X, t.Y, polygon);
    }
    case ShapeKind::Arc: {
        const auto& a = static_cast<const THArc&>(s);
        return anyInside({{a.X1, a.Y1}, {a.X2, a.Y2}, {a.X3, a.Y3}}, polygon);
    }
    }
    return false;
}

void selectShapesOnLayers(THalvekCanvasModel& model, const std::vector<long>& layerIds)
{
    model.ClearSelection();
    for (THShape* s : model.Shapes())
        if (onLayers(*s, layerIds))
            model.MarkSelected(s);
}

bool selectShapesInPolygon(THalvekCanvasModel& model, const std::vector<QPointF>& polygon,
                           const std::vector<long>& layerIds)
{
    model.ClearSelection();
    if (polygon.size() < 3 || layerIds.empty())
        return false;
    try {
        for (THShape* s : model.Shapes())
            if (onLayers(*s, layerIds) && trackReferenceInside(*s, polygon))
                model.MarkSelected(s);
    } catch (...) {
        // What was selected before the failure stays selected.
    }
    return true;
}

bool selectAllShapesInPolygon(THalvekCanvasModel& model, const std::vector<QPointF>& polygon)
{
    model.ClearSelection();
    if (polygon.size() < 3)
        return false;
    const int selectPolyLayer = model.LayerFindByName(QStringLiteral("Halvek_SelectPoly"));
    for (THShape* s : model.Shapes())
        if (s->LayerId() != selectPolyLayer && shapeReferenceInside(*s, polygon))
            model.MarkSelected(s);
    return true;
}

std::vector<std::pair<double, double>> lastPolylinePoints(const THalvekCanvasModel& model)
{
    const int route = model.LayerFindByName(QStringLiteral("Halvek_Route"));
    const int selectPoly = model.LayerFindByName(QStringLiteral("Halvek_SelectPoly"));
    const bool anyLayer = route == -1 && selectPoly == -1;
    const ShapeRange shapes = model.Shapes();
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
        const auto* p = shape_cast<THPolyline>(*it);
        if (!p || p->PointCount() < 2)
            continue;
        if (!anyLayer && p->LayerId() != route && p->LayerId() != selectPoly)
            continue;
        std::vector<std::pair<double, double>> points;
        points.reserve(p->Points.size());
        for (const auto& v : p->Points)
            points.emplace_back(v.x, v.y);
        return points;
    }
    return {};
}

}  // namespace skerra::canvas
