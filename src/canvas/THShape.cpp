#include "canvas/THShape.h"

#include <stdexcept>
#include <string>

namespace {
const QString& emptyText()
{
    static const QString empty;
    return empty;
}
}  // namespace

THShape::THShape(ShapeKind kind, int typeCode) : ShapeType(typeCode), kind_(kind) {}

THShape::~THShape() = default;

void THShape::requireDetached(const char* what) const
{
    if (IsOnCanvas())
        throw std::logic_error(std::string(what) + " of a shape on a canvas: use the canvas's method");
}

void THShape::SetLayerId(int layer)
{
    requireDetached("SetLayerId");
    layer_ = layer;
}

void THShape::SetPenFg(TColor colour)
{
    requireDetached("SetPenFg");
    penFg_ = colour;
}

void THShape::SetPenWidth(int width)
{
    requireDetached("SetPenWidth");
    penWidth_ = width;
}

THShape::Texts& THShape::texts()
{
    if (!texts_)
        texts_ = std::make_unique<Texts>();
    return *texts_;
}

const QString& THShape::Notes() const { return texts_ ? texts_->notes : emptyText(); }

void THShape::SetNotes(const QString& notes)
{
    if (notes.isEmpty() && !texts_)
        return;
    texts().notes = notes;
}

const QString& THShape::Text() const { return texts_ ? texts_->text : emptyText(); }

void THShape::SetText(const QString& text)
{
    if (text.isEmpty() && !texts_)
        return;
    texts().text = text;
}

void THShape::setBounds(double minX, double minY, double maxX, double maxY)
{
    MinX = minX;
    MinY = minY;
    MaxX = maxX;
    MaxY = maxY;
}
