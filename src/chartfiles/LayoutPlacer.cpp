#include "chartfiles/LayoutPlacer.h"

#include "canvas/ShapeReadRules.h"
#include "canvas/StoredCode.h"
#include "canvas/THalvekCanvasModel.h"
#include "platform/NumberText.h"

#include <cmath>

namespace skerra::layout {
namespace {

// A coordinate as the file holds it: six decimals.
double asWritten(double v) { return tryParseDouble(FormatFixed(v, 6)).value_or(v); }

ShapeBatch::Mode batchMode(LoadMode mode)
{
    return mode == LoadMode::Replace ? ShapeBatch::Mode::Replace : ShapeBatch::Mode::Append;
}

const QString& defaultName()
{
    static const QString name = QStringLiteral("Default");
    return name;
}

}  // namespace

LayoutPlacer::LayoutPlacer(THalvekCanvasModel& canvas, LoadMode mode) : canvas_(canvas), batch_(canvas, batchMode(mode)) {}

void LayoutPlacer::layer(const QString& name)
{
    ids_.push_back(batch_.OpenLayer(name));
    layoutLineSeen_ = true;
    last_ = Target{};
}

// The layer of a file id once every LAYER line is known; "Default" when none.
const THLayer* LayoutPlacer::chartLayer(int fileLayer, bool& usesDefault) const
{
    int id = fileLayer;
    if (!ids_.empty())
        id = (fileLayer >= 0 && static_cast<std::size_t>(fileLayer) < ids_.size()) ? ids_[fileLayer] : -1;
    if (const THLayer* layer = batch_.FindLayer(id))
        return layer;
    usesDefault = true;
    return defaultLayer();
}

const THLayer* LayoutPlacer::defaultLayer() const
{
    if (!default_) {
        int id = batch_.FindLayerByName(defaultName());
        if (id < 0)
            id = batch_.OpenLayer(defaultName());  // a chart without it: opened as the load would open it
        default_ = batch_.FindLayer(id);
    }
    return default_;
}

LayoutPlacer::Target LayoutPlacer::target(int fileLayer)
{
    if (last_.layer && fileLayer == lastFileLayer_)
        return last_;
    Target t;
    bool usesDefault = false;
    t.layer = chartLayer(fileLayer, usesDefault);
    t.settled = fileLayer >= 0 && static_cast<std::size_t>(fileLayer) < ids_.size();
    if (t.settled && usesDefault)
        defaultUsed_ = true;
    lastFileLayer_ = fileLayer;
    last_ = t;
    return t;
}

void LayoutPlacer::placed(THShape& s, const Target& t, int fileLayer, const Pen& pen)
{
    if (s.Kind() == ShapeKind::Circle) {
        s.BrushFg = t.layer->brushColor;
        s.BrushStyle = t.layer->brushStyle;
    }
    if (!t.settled)
        unsettled_.push_back(Unsettled{&s, fileLayer, !pen.given});
    layoutLineSeen_ = true;
}

bool LayoutPlacer::put(std::unique_ptr<THShape> shape, int fileLayer, const Pen& pen)
{
    if (!skerra::canvas::hasFiniteBox(*shape))
        return false;
    const Target t = target(fileLayer);
    THShape& s = *shape;
    const bool text = s.Kind() == ShapeKind::Text;
    batch_.Adopt(std::move(shape), t.layer->id, pen.given ? pen.colour : t.layer->penColor,
                 text ? 1 : pen.given ? pen.width : t.layer->penWidth);
    placed(s, t, fileLayer, pen);
    return true;
}

void LayoutPlacer::fitText(THText& text, bool fontNameGiven) const
{
    text.Align = storedCode(canvas_.DefaultTextAlign(), 0);
    text.Justify = storedCode(canvas_.DefaultTextJustify(), 0);
    const auto& fonts = canvas_.Fonts();
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

// The shapes read before the LAYER line their id names go to their layer now.
void LayoutPlacer::settle()
{
    for (const Unsettled& u : unsettled_) {
        bool usesDefault = false;
        const THLayer& layer = *chartLayer(u.fileLayer, usesDefault);
        defaultUsed_ = defaultUsed_ || usesDefault;
        THShape& s = *u.shape;
        batch_.SetLayer(s, layer.id);
        if (u.penFromLayer) {
            batch_.SetPenFg(s, layer.penColor);
            if (s.Kind() != ShapeKind::Text)
                batch_.SetPenWidth(s, layer.penWidth);
        }
        if (s.Kind() == ShapeKind::Circle) {
            s.BrushFg = layer.brushColor;
            s.BrushStyle = layer.brushStyle;
        }
    }
    unsettled_.clear();
}

void LayoutPlacer::applyWorld()
{
    const double left = world_.left.value_or(canvas_.WorldLeft);
    const double right = world_.right.value_or(canvas_.WorldRight);
    const double bottom = world_.bottom.value_or(canvas_.WorldBottom);
    const double top = world_.top.value_or(canvas_.WorldTop);
    const bool finite = std::isfinite(left) && std::isfinite(right) && std::isfinite(bottom) && std::isfinite(top);
    // The widths must be finite too (1e308 - (-1e308) is not), and the window
    // must stay open at the file's six decimals, or it would not load again.
    if (!finite || !std::isfinite(right - left) || !std::isfinite(top - bottom) ||
        !(asWritten(left) < asWritten(right)) || !(asWritten(bottom) < asWritten(top)))
        return;
    canvas_.WorldLeft = left;
    canvas_.WorldRight = right;
    canvas_.WorldBottom = bottom;
    canvas_.WorldTop = top;
}

void LayoutPlacer::commit()
{
    settle();
    if (defaultUsed_)
        batch_.OpenLayer(defaultName());
    batch_.Commit();
    applyWorld();
    canvas_.RequestRepaint();
}

}  // namespace skerra::layout
