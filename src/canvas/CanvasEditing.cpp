// THalvekCanvasModel: deleting, selecting, reordering and transforming shapes,
// and editing the vertices of vertex shapes.
//
// The selection list and the shapes' selected flags are kept in step: a shape
// is flagged exactly when its number is listed (once or more).

#include "canvas/THalvekCanvasModel.h"

#include <unordered_set>

// ---- selection list ----

void THalvekCanvasModel::forgetSelected(long number) { std::erase(selectedShapes_, number); }

void THalvekCanvasModel::forgetSelected(const std::vector<long>& numbers)
{
    if (numbers.empty())
        return;
    if (numbers.size() == 1) {
        forgetSelected(numbers.front());
        return;
    }
    const std::unordered_set<long> gone(numbers.begin(), numbers.end());
    std::erase_if(selectedShapes_, [&](long n) { return gone.count(n) != 0; });
}

std::vector<THShape*> THalvekCanvasModel::selectedShapesOnce() const
{
    std::vector<THShape*> shapes;
    shapes.reserve(store_.selectedCount());
    const bool listedOnce = selectedShapes_.size() == store_.selectedCount();
    std::unordered_set<long> seen;
    for (long n : selectedShapes_) {
        if (!listedOnce && !seen.insert(n).second)
            continue;
        if (THShape* s = store_.find(n))
            shapes.push_back(s);
    }
    return shapes;
}

void THalvekCanvasModel::MarkSelected(THShape* shape)
{
    store_.setSelected(shape, true);
    selectedShapes_.push_back(shape->ShapeNumber());
}

void THalvekCanvasModel::ClearSelection()
{
    for (THShape* s : selectedShapesOnce())
        store_.setSelected(s, false);
    selectedShapes_.clear();
}

// ---- deleting ----

void THalvekCanvasModel::ShapeDelete(long number)
{
    THShape* s = store_.find(number);
    if (!s || s->Selected())
        forgetSelected(number);
    if (s)
        store_.remove(s);
    redraw();
}

void THalvekCanvasModel::deleteSelected()
{
    for (THShape* s : selectedShapesOnce())
        store_.remove(s);
    selectedShapes_.clear();
    redraw();
}

void THalvekCanvasModel::CadClearSelectedShapes()
{
    deleteSelected();
    Repaint();
}

void THalvekCanvasModel::ShapeSelectDelete()
{
    if (store_.size() == 0)
        return;
    deleteSelected();
    Invalidate();
}

// ---- selecting ----

void THalvekCanvasModel::ShapeSelect(long number, bool add)
{
    if (!add)
        ClearSelection();
    if (THShape* s = store_.find(number))
        MarkSelected(s);
    redraw();
}

void THalvekCanvasModel::ShapeDeselect(long number)
{
    if (THShape* s = store_.find(number))
        store_.setSelected(s, false);
    forgetSelected(number);
    redraw();
}

void THalvekCanvasModel::CadSelectShapes()
{
    selectedShapes_.reserve(selectedShapes_.size() + store_.size());
    for (THShape* s : Shapes())
        MarkSelected(s);
    redraw();
}

void THalvekCanvasModel::CadDeselectShapes()
{
    ClearSelection();
    redraw();
}

std::vector<std::int32_t> THalvekCanvasModel::GetShapeSelectNumbers() const
{
    return std::vector<std::int32_t>(selectedShapes_.begin(), selectedShapes_.end());
}

// ---- moving, layers and drawing order ----

void THalvekCanvasModel::ShapeSelectMoveDelta(double dx, double dy)
{
    for (THShape* s : selectedShapesOnce())
        s->Translate(dx, dy);
    redraw();
}

void THalvekCanvasModel::ShapeToLayer(long number, int layer)
{
    if (THShape* s = store_.find(number)) {
        store_.setLayer(s, layer);
        redraw();
    }
}

void THalvekCanvasModel::ShapeToFront(long number)
{
    if (THShape* s = store_.find(number))
        store_.moveToFront(s);
    redraw();
}

void THalvekCanvasModel::ShapeToBack(long number)
{
    if (THShape* s = store_.find(number))
        store_.moveToBack(s);
    redraw();
}

void THalvekCanvasModel::ShapeZOrderJump(long number, long jump)
{
    if (jump > 0)
        ShapeToFront(number);
    else if (jump < 0)
        ShapeToBack(number);
}

// ---- transforms ----

template <class F>
void THalvekCanvasModel::transformShape(long number, F&& f)
{
    if (THShape* s = store_.find(number)) {
        f(*s);
        redraw();
    }
}

void THalvekCanvasModel::ShapeTranslate(long number, double dx, double dy)
{
    transformShape(number, [&](THShape& s) { s.Translate(dx, dy); });
}

void THalvekCanvasModel::ShapeScale(long number, double cx, double cy, double sx, double sy)
{
    transformShape(number, [&](THShape& s) { s.Scale(sx, sy, cx, cy); });
}

void THalvekCanvasModel::ShapeRotate(long number, double degrees, double cx, double cy)
{
    transformShape(number, [&](THShape& s) { s.Rotate(degrees, cx, cy); });
}

void THalvekCanvasModel::ShapeReflect(long number, int axis, double cx, double cy)
{
    const double sx = axis == 0 ? -1.0 : 1.0;
    const double sy = axis == 1 ? -1.0 : 1.0;
    transformShape(number, [&](THShape& s) { s.Scale(sx, sy, cx, cy); });
}

// ---- vertices ----

double THalvekCanvasModel::ShapePointGetX(long number, int index) const
{
    const THPolyline* p = shape_cast<THPolyline>(FindShape(number));
    return p ? p->GetPointX(index) : 0.0;
}

double THalvekCanvasModel::ShapePointGetY(long number, int index) const
{
    const THPolyline* p = shape_cast<THPolyline>(FindShape(number));
    return p ? p->GetPointY(index) : 0.0;
}

void THalvekCanvasModel::ShapePointSet(long number, int index, double x, double y)
{
    if (THPolyline* p = shape_cast<THPolyline>(store_.find(number))) {
        p->SetPoint(index, x, y);
        redraw();
    }
}

void THalvekCanvasModel::ShapePointInsert(long number, int index, double x, double y)
{
    if (THPolyline* p = shape_cast<THPolyline>(store_.find(number)))
        redrawIf(p->InsertPoint(index, x, y));
}

void THalvekCanvasModel::ShapePointDelete(long number, int index)
{
    if (THPolyline* p = shape_cast<THPolyline>(store_.find(number)))
        redrawIf(p->DeletePoint(index));
}

int THalvekCanvasModel::ShapePointCount(long number) const
{
    const THPolyline* p = shape_cast<THPolyline>(FindShape(number));
    return p ? p->PointCount() : 0;
}
