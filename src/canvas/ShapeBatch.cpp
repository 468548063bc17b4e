#include "canvas/ShapeBatch.h"

#include "canvas/THalvekCanvasModel.h"

ShapeBatch::ShapeBatch(THalvekCanvasModel& chart, Mode mode) : chart_(chart), mode_(mode)
{
    if (mode_ == Mode::Replace) {
        own_ = std::make_unique<ShapeStore>();
        // After the reset the drawing in progress takes number 1, as ResetChart gives it.
        nextNumber_ = chart_.drawingPolyline_ ? 2 : 1;
        firstNewId_ = 0;
        OpenLayer(QStringLiteral("Default"));
        opened_.clear();  // opened by the reset itself
    } else {
        mark_ = chart_.store_.endMark();
        nextNumber_ = chart_.nextShapeId_;
        firstNewId_ = chart_.nextLayerId_;
    }
}

ShapeBatch::~ShapeBatch()
{
    if (!committed_ && mode_ == Mode::Append)
        chart_.store_.truncate(mark_);
}

ShapeStore& ShapeBatch::store() { return own_ ? *own_ : chart_.store_; }

int ShapeBatch::FindLayerByName(const QString& name) const
{
    if (mode_ == Mode::Append) {
        const int id = chart_.LayerFindByName(name);
        if (id >= 0)
            return id;
    }
    for (const auto& layer : new_)
        if (layer->name == name)
            return layer->id;
    return -1;
}

int ShapeBatch::OpenLayer(const QString& name)
{
    int id = FindLayerByName(name);
    if (id < 0) {
        auto layer = std::make_unique<THLayer>();
        layer->id = id = firstNewId_ + static_cast<int>(new_.size());
        layer->name = name;
        new_.push_back(std::move(layer));
    }
    opened_.push_back(name);
    return id;
}

const THLayer* ShapeBatch::pendingLayer(int id) const
{
    const long k = static_cast<long>(id) - firstNewId_;
    return k >= 0 && static_cast<std::size_t>(k) < new_.size() ? new_[static_cast<std::size_t>(k)].get() : nullptr;
}

const THLayer* ShapeBatch::FindLayer(int id) const
{
    if (mode_ == Mode::Append)
        if (const THLayer* layer = chart_.FindLayer(id))
            return layer;
    return pendingLayer(id);
}

void ShapeBatch::Adopt(std::unique_ptr<THShape> shape, int layer, TColor penFg, int penWidth)
{
    THShape* s = shape.get();
    store().addNew(s, nextNumber_, layer, penFg, penWidth);
    (void)shape.release();
    ++nextNumber_;
    ++count_;
}

void ShapeBatch::Commit()
{
    if (committed_)
        return;
    committed_ = true;
    if (mode_ == Mode::Replace) {
        chart_.store_.swap(*own_);
        own_.reset();  // the chart's former shapes
        chart_.selectedShapes_.clear();
        chart_.layers_.clear();
        chart_.nextLayerId_ = 0;
        chart_.nextShapeId_ = 1;
        chart_.renumberDrawingInProgress();
        chart_.LayerOpen(QStringLiteral("Default"));
    }
    chart_.nextShapeId_ = nextNumber_;
    for (const QString& name : opened_)
        chart_.LayerOpen(name);
    chart_.redraw();
}
