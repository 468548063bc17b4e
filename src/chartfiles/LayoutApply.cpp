#include "chartfiles/LayoutApply.h"

#include "canvas/THalvekCanvasModel.h"
#include "platform/NumberText.h"

#include <cmath>

namespace skerra::layout {
namespace {

// A coordinate as the file holds it: six decimals.
double asWritten(double v) { return tryParseDouble(FormatFixed(v, 6)).value_or(v); }

void applyWorld(THalvekCanvasModel& canvas, const StagedWorld& world)
{
    const double left = world.left.value_or(canvas.WorldLeft);
    const double right = world.right.value_or(canvas.WorldRight);
    const double bottom = world.bottom.value_or(canvas.WorldBottom);
    const double top = world.top.value_or(canvas.WorldTop);
    const bool finite = std::isfinite(left) && std::isfinite(right) && std::isfinite(bottom) && std::isfinite(top);
    // The widths must be finite too (1e308 - (-1e308) is not), and the window
    // must stay open at the file's six decimals, or it would not load again.
    if (!finite || !std::isfinite(right - left) || !std::isfinite(top - bottom) ||
        !(asWritten(left) < asWritten(right)) || !(asWritten(bottom) < asWritten(top)))
        return;
    canvas.WorldLeft = left;
    canvas.WorldRight = right;
    canvas.WorldBottom = bottom;
    canvas.WorldTop = top;
}

// File layer id -> chart layer id.
class LayerMap {
public:
    LayerMap(THalvekCanvasModel& canvas, const std::vector<QString>& names) : canvas_(canvas)
    {
        ids_.reserve(names.size());
        for (const QString& name : names)
            ids_.push_back(canvas.LayerOpen(name));
        mapped_ = !names.empty();
    }

    const THLayer& layerFor(int fileId)
    {
        int id = fileId;
        if (mapped_)
            id = (fileId >= 0 && static_cast<std::size_t>(fileId) < ids_.size()) ? ids_[fileId] : -1;
        if (id == lastId_ && last_)
            return *last_;
        const THLayer* layer = canvas_.FindLayer(id);
        if (!layer)
            layer = defaultLayer();
        lastId_ = id;
        last_ = layer;
        return *layer;
    }

private:
    const THLayer* defaultLayer()
    {
        if (!default_)
            default_ = canvas_.FindLayer(canvas_.LayerOpen(QStringLiteral("Default")));
        return default_;
    }

    THalvekCanvasModel& canvas_;
    std::vector<int> ids_;
    bool mapped_ = false;
    int lastId_ = -1;
    const THLayer* last_ = nullptr;
    const THLayer* default_ = nullptr;
};

void fitText(const THalvekCanvasModel& canvas, THText& text, bool fontNameGiven)
{
    text.Align = canvas.DefaultTextAlign();
    text.Justify = canvas.DefaultTextJustify();
    const auto& fonts = canvas.Fonts();
    if (text.FontIndex >= 0 && static_cast<std::size_t>(text.FontIndex) < fonts.size()) {
        const THFont& font = fonts[static_cast<std::size_t>(text.FontIndex)];
        if (!fontNameGiven)
            text.FontName = font.name;
        text.Bold = text.Bold || font.bold;
        text.Italic = text.Italic || font.italic;
    } else if (!fontNameGiven) {
        text.FontName = QStringLiteral("Arial");
    }
}

}  // namespace

void applyLayout(THalvekCanvasModel& canvas, StagedLayout&& staged, LoadMode mode)
{
    if (mode == LoadMode::Replace)
        canvas.ResetChart();
    LayerMap layers(canvas, staged.layers);
    applyWorld(canvas, staged.world);
    for (StagedShape& item : staged.shapes) {
        THShape& s = *item.shape;
        const THLayer& layer = layers.layerFor(s.LayerId());
        s.SetLayerId(layer.id);
        if (item.flags & StagedShape::PenFromLayer) {
            s.SetPenFg(layer.penColor);
            if (s.Kind() != ShapeKind::Text)
                s.SetPenWidth(layer.penWidth);
        }
        if (s.Kind() == ShapeKind::Circle) {
            s.BrushFg = layer.brushColor;
            s.BrushStyle = layer.brushStyle;
        } else if (auto* text = shape_cast<THText>(&s)) {
            fitText(canvas, *text, item.flags & StagedShape::FontNameGiven);
        }
        canvas.AppendShape(std::move(item.shape));
    }
    staged.shapes.clear();
    canvas.RequestRepaint();
}

}  // namespace skerra::layout
