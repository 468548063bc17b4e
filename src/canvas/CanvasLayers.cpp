// THalvekCanvasModel: layers, their attributes and clearing by layer.

#include "canvas/THalvekCanvasModel.h"

#include <QByteArray>

namespace {

// A field of the layer with that id, or the fallback when there is none.
template <class T>
T fieldOf(const THLayer* layer, T THLayer::*field, T fallback)
{
    return layer ? layer->*field : fallback;
}

}  // namespace

int THalvekCanvasModel::LayerFindByName(const QString& name) const
{
    for (const auto& layer : layers_)
        if (layer->name == name)
            return layer->id;
    return -1;
}

int THalvekCanvasModel::LayerOpen(const QString& name)
{
    int id = LayerFindByName(name);
    if (id < 0) {
        auto layer = std::make_unique<THLayer>();
        layer->id = id = nextLayerId_++;
        layer->name = name;
        layers_.push_back(std::move(layer));
    }
    CurrentLayer = id;
    return id;
}

THLayer* THalvekCanvasModel::FindLayer(int id)
{
    return const_cast<THLayer*>(std::as_const(*this).FindLayer(id));
}

const THLayer* THalvekCanvasModel::FindLayer(int id) const
{
    // Layers are made in id order and never removed one by one, so a layer's id is its position.
    if (id >= 0 && static_cast<std::size_t>(id) < layers_.size() && layers_[id]->id == id)
        return layers_[id].get();
    for (const auto& layer : layers_)
        if (layer->id == id)
            return layer.get();
    return nullptr;
}

void THalvekCanvasModel::LayerCopy(int fromLayer, int toLayer, int mode)
{
    if (mode == 1)
        store_.moveLayer(fromLayer, toLayer);
    redraw();
}

void THalvekCanvasModel::LayerSelectShapes(int layer, bool add)
{
    if (!add)
        ClearSelection();
    for (THShape* s : store_.layerInDrawingOrder(layer))
        MarkSelected(s);
    redraw();
}

void THalvekCanvasModel::LayerDeselectShapes(int layer)
{
    for (THShape* s : store_.layerMembers(layer))
        store_.setSelected(s, false);
    std::erase_if(selectedShapes_, [&](long number) {
        const THShape* s = store_.find(number);
        return s && s->LayerId() == layer;
    });
    redraw();
}

void THalvekCanvasModel::LayerClear(int layer) { CadClearShapes(layer); }

void THalvekCanvasModel::CadClearShapes(int layer)
{
    if (layer == -1) {
        store_.clear();
        selectedShapes_.clear();
        nextShapeId_ = 1;
        renumberDrawingInProgress();
    } else {
        forgetSelected(store_.destroyLayer(layer));
    }
    redraw();
    Repaint();
}

void THalvekCanvasModel::CadClearShapesByLayerName(const QString& name)
{
    // Names are compared as 8-bit text, as the chart files store them.
    const QByteArray wanted = name.toLocal8Bit();
    std::vector<int> ids;
    for (const auto& layer : layers_)
        if (layer->name.toLocal8Bit() == wanted && std::find(ids.begin(), ids.end(), layer->id) == ids.end())
            ids.push_back(layer->id);
    for (int id : ids)
        forgetSelected(store_.destroyLayer(id));
    redraw();
    Repaint();
}

// ---- attributes ----

template <class T, class F>
bool THalvekCanvasModel::setLayerField(int layer, T THLayer::*field, T value, F&& afterChange)
{
    THLayer* l = FindLayer(layer);
    if (!l)
        return false;
    bool changed = l->*field != value;
    l->*field = value;
    changed |= afterChange();
    redrawIf(changed);
    return changed;
}

namespace {
constexpr auto nothingElse = [] { return false; };
}

int THalvekCanvasModel::GetLayerAction(int layer) const { return fieldOf(FindLayer(layer), &THLayer::action, 0); }

void THalvekCanvasModel::SetLayerAction(int layer, int action) { setLayerField(layer, &THLayer::action, action, nothingElse); }

TColor THalvekCanvasModel::GetLayerPenFg(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::penColor, TColor{0});
}

void THalvekCanvasModel::SetLayerPenFg(int layer, TColor colour)
{
    if (setLayerField(layer, &THLayer::penColor, colour, [&] { return store_.applyLayerPenFg(layer, colour); }))
        Invalidate();
}

int THalvekCanvasModel::GetLayerPenWidth(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::penWidth, 1);
}

void THalvekCanvasModel::SetLayerPenWidth(int layer, int width)
{
    if (setLayerField(layer, &THLayer::penWidth, width, [&] { return store_.applyLayerPenWidth(layer, width); }))
        Invalidate();
}

int THalvekCanvasModel::GetLayerPenStyle(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::penStyle, int{psSolid});
}

void THalvekCanvasModel::SetLayerPenStyle(int layer, int style) { setLayerField(layer, &THLayer::penStyle, style, nothingElse); }

TColor THalvekCanvasModel::GetLayerBrushFg(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::brushColor, TColor{0xFFFFFF});
}

void THalvekCanvasModel::SetLayerBrushFg(int layer, TColor colour)
{
    setLayerField(layer, &THLayer::brushColor, colour, nothingElse);
}

TColor THalvekCanvasModel::GetLayerBrushBg(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::brushBackColor, TColor{0xFFFFFF});
}

void THalvekCanvasModel::SetLayerBrushBg(int layer, TColor colour)
{
    setLayerField(layer, &THLayer::brushBackColor, colour, nothingElse);
}

TBrushStyle THalvekCanvasModel::GetLayerBrushStyle(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::brushStyle, TBrushStyle{bsClear});
}

void THalvekCanvasModel::SetLayerBrushStyle(int layer, TBrushStyle style)
{
    setLayerField(layer, &THLayer::brushStyle, style, nothingElse);
}

int THalvekCanvasModel::GetLayerBrushMode(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::brushMode, 0);
}

void THalvekCanvasModel::SetLayerBrushMode(int layer, int mode) { setLayerField(layer, &THLayer::brushMode, mode, nothingElse); }

bool THalvekCanvasModel::GetLayerVisible(int layer) const
{
    return fieldOf(FindLayer(layer), &THLayer::visible, false);
}

void THalvekCanvasModel::SetLayerVisible(int layer, bool visible)
{
    setLayerField(layer, &THLayer::visible, visible, nothingElse);
}
