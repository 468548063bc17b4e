#include "canvas/THShape.h"

#include "canvas/ShapeAllocator.h"

#include <stdexcept>
#include <string>

namespace {
const QString& emptyText()
{
    static const QString empty;
    return empty;
}
}  // namespace

THShape::THShape(ShapeKind kind, int typeCode)
    : ShapeType(static_cast<std::uint8_t>(typeCode)), kind_(static_cast<std::uint8_t>(kind))
{
}

THShape::~THShape() = default;

void* THShape::operator new(std::size_t size) { return skerra::canvas::ShapeAllocator::allocate(size); }

void THShape::operator delete(void* p, std::size_t size) noexcept
{
    skerra::canvas::ShapeAllocator::release(p, size);
}

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

THShape::Extra& THShape::extra()
{
    if (!extra_)
        extra_ = std::make_unique<Extra>();
    return *extra_;
}

// The block stays unallocated while it would hold only defaults.
template <class T>
void THShape::storeExtra(T Extra::*field, const T& value)
{
    static const Extra defaults;
    if (!extra_ && value == defaults.*field)
        return;
    extra().*field = value;
}

const QString& THShape::Notes() const { return extra_ ? extra_->notes : emptyText(); }
void THShape::SetNotes(const QString& notes) { storeExtra(&Extra::notes, notes); }

const QString& THShape::Text() const { return extra_ ? extra_->text : emptyText(); }
void THShape::SetText(const QString& text) { storeExtra(&Extra::text, text); }

void THShape::SetZOrder(std::int32_t z) { storeExtra(&Extra::zOrder, z); }
void THShape::SetBrushBg(TColor colour) { storeExtra(&Extra::brushBg, colour); }
void THShape::SetBrushMode(int mode) { storeExtra(&Extra::brushMode, mode); }

void THShape::setBounds(double minX, double minY, double maxX, double maxY)
{
    MinX = minX;
    MinY = minY;
    MaxX = maxX;
    MaxY = maxY;
}
