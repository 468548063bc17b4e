#include "canvas/THShape.h"

#include "canvas/ShapeAllocator.h"
#include "canvas/THArc.h"
#include "canvas/THCircle.h"
#include "canvas/THEllipse.h"
#include "canvas/THLine.h"
#include "canvas/THPoint.h"
#include "canvas/THPolyline.h"
#include "canvas/THRectangle.h"
#include "canvas/THText.h"

#include <stdexcept>
#include <string>
#include <type_traits>

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

static_assert(sizeof(THShape) == 32, "a chart holds a million shapes: keep THShape small");

THShape::~THShape()
{
    if (hasExtra_)
        ShapeExtras::erase(this);
}

// ---- the operations, by kind ----

namespace {

// A class that left one of the operations to THShape would call itself forever.
template <class T>
constexpr bool definesEveryOperation = !std::is_same_v<decltype(&T::HitTest), decltype(&THShape::HitTest)>
    && !std::is_same_v<decltype(&T::UpdateBounds), decltype(&THShape::UpdateBounds)>
    && !std::is_same_v<decltype(&T::Bounds), decltype(&THShape::Bounds)>
    && !std::is_same_v<decltype(&T::Translate), decltype(&THShape::Translate)>
    && !std::is_same_v<decltype(&T::Scale), decltype(&THShape::Scale)>
    && !std::is_same_v<decltype(&T::Rotate), decltype(&THShape::Rotate)>;

template <class T, class Shape>
using LikeShape = std::conditional_t<std::is_const_v<Shape>, const T, T>;

template <class T, class Shape, class F>
decltype(auto) asKind(Shape& s, F& f)
{
    static_assert(definesEveryOperation<T>);
    // A shape is destroyed and released as the class of its kind: a class
    // derived from that one would lose its own destructor and part of its size.
    static_assert(std::is_final_v<T>);
    return f(static_cast<LikeShape<T, Shape>&>(s));
}

// Calls f with the shape as its own class.
template <class Shape, class F>
decltype(auto) visitKind(Shape& s, F&& f)
{
    switch (s.Kind()) {
    case ShapeKind::Point: return asKind<THPoint>(s, f);
    case ShapeKind::Line: return asKind<THLine>(s, f);
    case ShapeKind::Circle: return asKind<THCircle>(s, f);
    case ShapeKind::Rectangle: return asKind<THRectangle>(s, f);
    case ShapeKind::Ellipse: return asKind<THEllipse>(s, f);
    case ShapeKind::Arc: return asKind<THArc>(s, f);
    case ShapeKind::Text: return asKind<THText>(s, f);
    case ShapeKind::Polyline: break;
    }
    return asKind<THPolyline>(s, f);
}

}  // namespace

bool THShape::HitTest(double x, double y, double tolerance) const
{
    return visitKind(*this, [&](const auto& s) { return s.HitTest(x, y, tolerance); });
}

skerra::canvas::ShapeBounds THShape::Bounds() const
{
    return visitKind(*this, [](const auto& s) { return s.Bounds(); });
}

void THShape::UpdateBounds()
{
    visitKind(*this, [](auto& s) { s.UpdateBounds(); });
}

void THShape::Translate(double dx, double dy)
{
    visitKind(*this, [&](auto& s) { s.Translate(dx, dy); });
}

void THShape::Scale(double sx, double sy, double cx, double cy)
{
    visitKind(*this, [&](auto& s) { s.Scale(sx, sy, cx, cy); });
}

void THShape::Rotate(double degrees, double cx, double cy)
{
    visitKind(*this, [&](auto& s) { s.Rotate(degrees, cx, cy); });
}

// ---- memory ----

void* THShape::operator new(std::size_t size) { return skerra::canvas::ShapeAllocator::allocate(size); }

void THShape::operator delete(THShape* shape, std::destroying_delete_t)
{
    visitKind(*shape, [](auto& s) {
        using T = std::remove_reference_t<decltype(s)>;
        s.~T();
        skerra::canvas::ShapeAllocator::release(&s, sizeof(T));
    });
}

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

template <class T>
T THShape::extraOr(T ShapeExtra::*field, T fallback) const
{
    if (!hasExtra_)
        return fallback;
    const ShapeExtra* extra = ShapeExtras::find(this);
    return extra ? extra->*field : fallback;
}

// No entry is made while it would hold only defaults.
template <class T>
void THShape::storeExtra(T ShapeExtra::*field, const T& value)
{
    static const ShapeExtra defaults;
    if (!hasExtra_ && value == defaults.*field)
        return;
    ShapeExtras::obtain(this).*field = value;
    hasExtra_ = true;
}

const QString& THShape::Notes() const
{
    const ShapeExtra* extra = hasExtra_ ? ShapeExtras::find(this) : nullptr;
    return extra ? extra->notes : emptyText();
}
void THShape::SetNotes(const QString& notes) { storeExtra(&ShapeExtra::notes, notes); }

const QString& THShape::Text() const
{
    if (const THText* text = shape_cast<THText>(this))
        return text->ownText();
    const ShapeExtra* extra = hasExtra_ ? ShapeExtras::find(this) : nullptr;
    return extra ? extra->text : emptyText();
}
void THShape::SetText(const QString& text)
{
    if (THText* shape = shape_cast<THText>(this))
        shape->setOwnText(text);
    else
        storeExtra(&ShapeExtra::text, text);
}

std::int32_t THShape::ZOrder() const { return extraOr(&ShapeExtra::zOrder, 0); }
void THShape::SetZOrder(std::int32_t z) { storeExtra(&ShapeExtra::zOrder, z); }
TColor THShape::BrushBg() const { return extraOr(&ShapeExtra::brushBg, TColor{0xFFFFFF}); }
void THShape::SetBrushBg(TColor colour) { storeExtra(&ShapeExtra::brushBg, colour); }
int THShape::BrushMode() const { return extraOr(&ShapeExtra::brushMode, 0); }
void THShape::SetBrushMode(int mode) { storeExtra(&ShapeExtra::brushMode, mode); }
