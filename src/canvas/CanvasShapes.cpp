// THalvekCanvasModel: creating shapes, picking, colours and shape attributes.

#include "canvas/StoredCode.h"
#include "canvas/THalvekCanvasModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <type_traits>

// ---- creation ----

const THLayer& THalvekCanvasModel::layerForNewShape(int layer)
{
    if (const THLayer* l = FindLayer(layer))
        return *l;
    return *FindLayer(LayerOpen(QStringLiteral("Default")));
}

long THalvekCanvasModel::addNewShape(std::unique_ptr<THShape> shape, const THLayer& layer, bool withPenWidth)
{
    const long number = takeShapeNumber();
    store_.addNew(shape.get(), number, layer.id, layer.penColor, withPenWidth ? layer.penWidth : shape->PenWidth());
    (void)shape.release();
    redraw();
    return number;
}

namespace {

// The brush a new filled shape takes from its layer.
void takeLayerBrush(THShape& s, const THLayer& l)
{
    s.BrushFg = l.brushColor;
    s.BrushStyle = l.brushStyle;
}

}  // namespace

template <class S, class... Args>
long THalvekCanvasModel::drawGeometric(int layer, bool layerBrush, Args... geometry)
{
    const THLayer& l = layerForNewShape(layer);
    auto s = std::make_unique<S>(geometry...);
    s->UpdateBounds();
    if (layerBrush)
        takeLayerBrush(*s, l);
    return addNewShape(std::move(s), l);
}

long THalvekCanvasModel::DrawLine(double x1, double y1, double x2, double y2, int layer)
{
    return drawGeometric<THLine>(layer, false, x1, y1, x2, y2);
}

long THalvekCanvasModel::DrawCircle(double cx, double cy, double r, int layer)
{
    return drawGeometric<THCircle>(layer, true, cx, cy, r);
}

long THalvekCanvasModel::DrawRectangle(double x1, double y1, double x2, double y2, int layer)
{
    return drawGeometric<THRectangle>(layer, true, x1, y1, x2, y2);
}

long THalvekCanvasModel::DrawPoint(double x, double y, int layer) { return drawGeometric<THPoint>(layer, false, x, y); }

long THalvekCanvasModel::DrawTwoPointEllipse(double x1, double y1, double x2, double y2, int layer)
{
    return drawGeometric<THEllipse>(layer, false, x1, y1, x2, y2);
}

long THalvekCanvasModel::DrawThreePointArc(double x1, double y1, double x2, double y2, double x3, double y3, int layer)
{
    return drawGeometric<THArc>(layer, false, x1, y1, x2, y2, x3, y3);
}

long THalvekCanvasModel::TextAdd(int layer, const QString& text, double x, double y, int fontIndex)
{
    const THLayer& l = layerForNewShape(layer);
    auto s = std::make_unique<THText>();
    s->DisplayText = text;
    s->SetText(text);
    s->X = x;
    s->Y = y;
    s->FontIndex = fontIndex;
    s->Align = storedCode(defaultTextAlign_, 0);
    s->Justify = storedCode(defaultTextJustify_, 0);
    // The bounds follow the default height; a font entry replaces the look only.
    s->UpdateBounds();
    if (fontIndex >= 0 && static_cast<std::size_t>(fontIndex) < fonts_.size()) {
        const THFont& f = fonts_[fontIndex];
        s->FontName = f.name;
        s->Height = f.size;
        s->Bold = f.bold;
        s->Italic = f.italic;
    }
    return addNewShape(std::move(s), l, false);  // a text takes the layer's colour only
}

long THalvekCanvasModel::DrawPolyline(const std::vector<std::pair<double, double>>& points, int layer, bool closed)
{
    if (points.size() < 2)
        return -1;
    const THLayer& l = layerForNewShape(layer);
    auto s = std::make_unique<THPolyline>(closed ? ShapeTypeCode::Polygon : ShapeTypeCode::Polyline);
    s->Closed = closed;
    s->PenStyle = storedCode(l.penStyle, psSolid);
    takeLayerBrush(*s, l);
    s->Points.reserve(points.size());
    for (const auto& [x, y] : points)
        s->AddPoint(x, y);
    return addNewShape(std::move(s), l);
}

// ---- picking and colours ----

long THalvekCanvasModel::GetShapeAt(double x, double y) const
{
    const double width = clientWidth_ > 0 ? clientWidth_ : 1;
    const double perPixel = std::abs((WorldRight - WorldLeft) / width);
    const ShapeRange shapes = Shapes();
    for (auto it = shapes.rbegin(); it != shapes.rend(); ++it) {
        const THShape* s = *it;
        if (!s->Visible)
            continue;
        const double tolerance = perPixel * std::max(3, std::max(1, s->PenWidth()));
        if (s->HitTest(x, y, tolerance))
            return s->ShapeNumber();
    }
    return -1;
}

void THalvekCanvasModel::SetBackColor(TColor colour)
{
    if (colour == BackColor)
        return;
    BackColor = colour;
    redraw();
    Repaint();
}

TColor THalvekCanvasModel::GetContrastColor(TColor colour) const
{
    using skerra::colorBlue, skerra::colorGreen, skerra::colorRed;
    const auto luma = [](TColor c) { return (299 * colorRed(c) + 587 * colorGreen(c) + 114 * colorBlue(c)) / 1000; };
    const int lc = luma(colour);
    const int lb = luma(BackColor);
    if (lc < 50 && lb < 50)
        return 0xFFFFFF;
    if (lc > 200 && lb > 200)
        return 0;
    const int difference = std::abs(colorRed(colour) - colorRed(BackColor))
        + std::abs(colorGreen(colour) - colorGreen(BackColor)) + std::abs(colorBlue(colour) - colorBlue(BackColor));
    if (difference < 60)
        return lb > 128 ? 0 : 0xFFFFFF;
    return colour;
}

// ---- attributes ----

namespace {

template <class T>
bool assign(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Through an accessor pair.
template <class T>
bool assign(THShape& s, T (THShape::*get)() const, void (THShape::*set)(T), T value)
{
    if ((s.*get)() == value)
        return false;
    (s.*set)(value);
    return true;
}

// The type-bound accessors go by the type code.
template <class S>
constexpr int typeCodeOf();
template <>
constexpr int typeCodeOf<THText>() { return ShapeTypeCode::Text; }
template <>
constexpr int typeCodeOf<THPoint>() { return ShapeTypeCode::Point; }

// The shape an accessor of class S may touch: any shape for THShape.
template <class S, class Shape>
auto* shapeAs(Shape* s)
{
    if constexpr (std::is_same_v<S, THShape>)
        return s;
    else
        return s && s->ShapeType == typeCodeOf<S>() ? shape_cast<S>(s) : nullptr;
}

// The attribute get reads, or the fallback when there is no such shape (of class S).
template <class S = THShape, class Get, class T>
T attributeOf(const THalvekCanvasModel& model, long number, Get&& get, T fallback)
{
    const auto* s = shapeAs<S>(model.FindShape(number));
    return s ? static_cast<T>(std::invoke(get, *s)) : fallback;
}

}  // namespace

template <class S, class F>
void THalvekCanvasModel::changeShape(long number, F&& change)
{
    if (S* s = shapeAs<S>(store_.find(number)))
        redrawIf(change(*s));
}

short THalvekCanvasModel::GetShapeType(long number) const
{
    return attributeOf(*this, number, &THShape::ShapeType, short{0});
}

int THalvekCanvasModel::GetShapePenWidth(long number) const { return attributeOf(*this, number, &THShape::PenWidth, 1); }

void THalvekCanvasModel::SetShapePenWidth(long number, int width)
{
    changeShape<THShape>(number, [&](THShape& s) { return store_.setPenWidth(&s, width); });
}

TColor THalvekCanvasModel::GetShapePenFg(long number) const { return attributeOf(*this, number, &THShape::PenFg, 0); }

void THalvekCanvasModel::SetShapePenFg(long number, TColor colour)
{
    changeShape<THShape>(number, [&](THShape& s) { return store_.setPenFg(&s, colour); });
}

int THalvekCanvasModel::GetShapePenStyle(long number) const { return attributeOf(*this, number, &THShape::PenStyle, 0); }

void THalvekCanvasModel::SetShapePenStyle(long number, int style)
{
    changeShape<THShape>(number, [&](THShape& s) { return assign(s.PenStyle, storedCode(style, psSolid)); });
}

TColor THalvekCanvasModel::GetShapeBrushFg(long number) const
{
    return attributeOf(*this, number, &THShape::BrushFg, TColor{0xFFFFFF});
}

void THalvekCanvasModel::SetShapeBrushFg(long number, TColor colour)
{
    changeShape<THShape>(number, [&](THShape& s) { return assign(s.BrushFg, colour); });
}

int THalvekCanvasModel::GetShapeBrushStyle(long number) const
{
    return attributeOf(*this, number, &THShape::BrushStyle, 0);
}

void THalvekCanvasModel::SetShapeBrushStyle(long number, int style)
{
    const auto value = static_cast<TBrushStyle>(style & 0xFF);
    changeShape<THShape>(number, [&](THShape& s) { return assign(s.BrushStyle, value); });
}

int THalvekCanvasModel::GetShapeBrushMode(long number) const
{
    return attributeOf(*this, number, &THShape::BrushMode, 0);
}

void THalvekCanvasModel::SetShapeBrushMode(long number, int mode)
{
    changeShape<THShape>(number, [&](THShape& s) { return assign(s, &THShape::BrushMode, &THShape::SetBrushMode, mode); });
}

int THalvekCanvasModel::GetShapeOnLayer(long number) const { return attributeOf(*this, number, &THShape::LayerId, -1); }

bool THalvekCanvasModel::GetShapeIsSelected(long number) const
{
    return attributeOf(*this, number, &THShape::Selected, false);
}

QString THalvekCanvasModel::GetShapeText(long number) const
{
    return attributeOf(*this, number, &THShape::Text, QString());
}

void THalvekCanvasModel::SetShapeText(long number, const QString& text)
{
    changeShape<THShape>(number, [&](THShape& s) { return assign<const QString&>(s, &THShape::Text, &THShape::SetText, text); });
}

QString THalvekCanvasModel::GetShapeNotes(long number) const
{
    return attributeOf(*this, number, &THShape::Notes, QString());
}

void THalvekCanvasModel::SetShapeNotes(long number, const QString& notes)
{
    if (THShape* s = store_.find(number))
        s->SetNotes(notes);  // notes are never drawn
}

long THalvekCanvasModel::GetShapeZOrder(long number) const { return attributeOf(*this, number, &THShape::ZOrder, 0L); }

void THalvekCanvasModel::SetShapeZOrder(long number, long z)
{
    const auto value = static_cast<std::int32_t>(z);
    changeShape<THShape>(number, [&](THShape& s) { return assign(s, &THShape::ZOrder, &THShape::SetZOrder, value); });
}

int THalvekCanvasModel::GetShapeTextAlign(long number) const
{
    return attributeOf<THText>(*this, number, &THText::Align, 0);
}

void THalvekCanvasModel::SetShapeTextAlign(long number, int align)
{
    changeShape<THText>(number, [&](THText& t) { return assign(t.Align, storedCode(align, 0)); });
}

int THalvekCanvasModel::GetShapeTextJustify(long number) const
{
    return attributeOf<THText>(*this, number, &THText::Justify, 0);
}

void THalvekCanvasModel::SetShapeTextJustify(long number, int justify)
{
    changeShape<THText>(number, [&](THText& t) { return assign(t.Justify, storedCode(justify, 0)); });
}

int THalvekCanvasModel::GetShapePointSize(long number) const
{
    return attributeOf<THPoint>(*this, number, &THPoint::PointSize, 0);
}

void THalvekCanvasModel::SetShapePointSize(long number, int size)
{
    changeShape<THPoint>(number, [&](THPoint& p) { return assign(p.PointSize, size); });
}
