// THalvekCanvasModel: construction, numbering and the chart-file access path.

#include "canvas/THalvekCanvasModel.h"

THalvekCanvasModel::THalvekCanvasModel()
{
    LayerOpen(QStringLiteral("Default"));
    fonts_.push_back(THFont{});
}

THalvekCanvasModel::~THalvekCanvasModel() = default;

void THalvekCanvasModel::renumberDrawingInProgress()
{
    // The shape being drawn keeps a number that no other shape can take.
    if (drawingPolyline_)
        ShapeStore::assignNumber(*drawingPolyline_, takeShapeNumber());
}

long THalvekCanvasModel::AppendShape(std::unique_ptr<THShape> shape)
{
    if (!shape)
        return -1;
    if (shape->IsOnCanvas()) {
        (void)shape.release();  // owned by a canvas already: not ours to free
        return -1;
    }
    const long number = takeShapeNumber();
    ShapeStore::assignNumber(*shape, number);
    store_.add(std::move(shape));
    redraw();
    return number;
}

void THalvekCanvasModel::ResetChart()
{
    store_.clear();
    selectedShapes_.clear();
    layers_.clear();
    nextLayerId_ = 0;
    nextShapeId_ = 1;
    renumberDrawingInProgress();
    LayerOpen(QStringLiteral("Default"));
    redraw();
}

void THalvekCanvasModel::AddBlock(std::unique_ptr<THBlock> block)
{
    if (block)
        blocks_.push_back(std::move(block));
}

const THBlock* THalvekCanvasModel::FindBlock(const QString& name) const
{
    for (const auto& b : blocks_)
        if (b->name == name)
            return b.get();
    return nullptr;
}

THPolyline* THalvekCanvasModel::BeginDrawingPolyline(int typeCode, double x, double y)
{
    auto shape = std::make_unique<THPolyline>(typeCode);
    shape->Closed = typeCode == ShapeTypeCode::Polygon;
    shape->SetLayerId(CurrentLayer);
    ShapeStore::assignNumber(*shape, takeShapeNumber());
    if (const THLayer* layer = FindLayer(CurrentLayer)) {
        shape->SetPenFg(layer->penColor);
        shape->SetPenWidth(layer->penWidth);
        if (shape->Closed) {
            shape->BrushFg = layer->brushColor;
            shape->BrushStyle = layer->brushStyle;
        }
    }
    shape->AddPoint(x, y);
    drawingPolyline_ = std::move(shape);
    return drawingPolyline_.get();
}

long THalvekCanvasModel::FinishDrawingPolyline()
{
    std::unique_ptr<THPolyline> shape = std::move(drawingPolyline_);
    if (!shape || shape->PointCount() < 2)
        return -1;
    shape->UpdateBounds();
    const long number = shape->ShapeNumber();
    store_.add(std::move(shape));
    redraw();
    return number;
}

void THalvekCanvasModel::ClearDrawingState()
{
    DrawingActive = false;
    FirstPointPlaced = false;
    SwallowNextClick = false;
    drawingPolyline_.reset();
    ResetCursor();
}
