#pragma once
// THShape: the base of everything drawn on the chart canvas.
//
// A shape knows its geometry in world coordinates, gives its axis-aligned
// bounding box (Bounds, MinX()..MaxY()), answers hit tests and
// moves, scales and rotates itself about a point. It knows nothing of layers'
// records, numbering or selection lists: those belong to the canvas model.
//
// Most attributes are plain public fields. The few that the model indexes
// (number, layer, pen colour and width, selected flag) are reached through
// accessors: their setters here work only while the shape is not on a canvas
// (a reader filling a new shape, a block's line list); once the shape belongs
// to a canvas, change them through the canvas (SetShapePenFg, ShapeToLayer,
// ShapeSelect, ...), which keeps its indexes in step. Calling them on a shape
// that belongs to a canvas throws std::logic_error. The attributes that are
// only stored and read back (ZOrder, BrushBg, BrushMode, Notes, Text) are
// accessors too: they live in ShapeExtras from the moment one of them is first
// set to something other than its default (a text shape keeps its Text itself).
//
// Drawing is not part of the model: the renderer dispatches on Kind().

#include "canvas/BrushStyle.h"
#include "canvas/ShapeBounds.h"
#include "canvas/ShapeExtras.h"
#include "platform/Colour.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <new>

class ShapeStore;

// The class of a shape object (the type code alone cannot tell: code 10 is
// shared by THPolyline and THArc).
enum class ShapeKind : std::uint8_t { Point, Line, Circle, Rectangle, Ellipse, Arc, Text, Polyline };

// Type codes (also the canvas's drawing modes).
namespace ShapeTypeCode {
constexpr int Rectangle = 1;
constexpr int Line = 3;
constexpr int Polyline = 5;
constexpr int Polygon = 6;
constexpr int Spline = 8;
constexpr int Arc3 = 10;
constexpr int Text = 11;
constexpr int Point = 17;
constexpr int Circle = 19;
constexpr int Ellipse = 20;
}  // namespace ShapeTypeCode

class alignas(8) THShape {
    // Thirty-two bytes, in an order that leaves no padding: a chart holds a
    // million shapes. Bounds are not stored where the geometry gives them
    // (every kind but the polyline works them out when asked), and the
    // attributes that are only stored and read back live in ShapeExtras.
    friend class ShapeStore;
    static constexpr std::uint32_t kDetached = 0xFFFFFFFFu;
    std::uint32_t number_ = 0;
    int layer_ = 0;
    TColor penFg_ = 0;
    int penWidth_ = 1;
    std::uint32_t slot_ = kDetached;  // position in the drawing order
    std::uint32_t layerPos_ = 0;      // position in its layer's member list

public:
    TColor BrushFg = 0xFFFFFF;
    std::uint8_t ShapeType = 0;  // the type codes below
    TBrushStyle BrushStyle = bsClear;
    std::uint8_t PenStyle = psSolid;  // a TPenStyleCode
    bool Visible : 1 = true;

private:
    std::uint8_t kind_ : 4;  // a ShapeKind
    bool selected_ : 1 = false;
    bool hasExtra_ : 1 = false;  // has an entry in ShapeExtras

public:
    // The highest number a shape can carry.
    static constexpr long kMaxNumber = 0xFFFFFFFEL;

    THShape(const THShape&) = delete;
    THShape& operator=(const THShape&) = delete;
    ~THShape();

    ShapeKind Kind() const { return static_cast<ShapeKind>(kind_); }

    // Identity, assigned by the canvas.
    long ShapeNumber() const { return static_cast<long>(number_); }
    int LayerId() const { return layer_; }
    void SetLayerId(int layer);

    TColor PenFg() const { return penFg_; }
    void SetPenFg(TColor colour);
    int PenWidth() const { return penWidth_; }
    void SetPenWidth(int width);

    bool Selected() const { return selected_; }

    // Free texts of any shape; not what a text shape displays (THText::DisplayText).
    const QString& Notes() const;
    void SetNotes(const QString& notes);
    const QString& Text() const;
    void SetText(const QString& text);

    // Stored and returned only: the drawing order is the canvas's list order,
    // and no shape is drawn with its brush back colour or brush mode.
    std::int32_t ZOrder() const;
    void SetZOrder(std::int32_t z);
    TColor BrushBg() const;
    void SetBrushBg(TColor colour);
    int BrushMode() const;
    void SetBrushMode(int mode);

    // The box around the shape, always in step with its geometry (a polyline
    // keeps it up to date as its vertices change; see THPolyline).
    skerra::canvas::ShapeBounds Bounds() const;
    double MinX() const { return Bounds().minX; }
    double MinY() const { return Bounds().minY; }
    double MaxX() const { return Bounds().maxX; }
    double MaxY() const { return Bounds().maxY; }

    // Shapes take their memory from ShapeAllocator: no per-object heap header,
    // and a chart's shapes lie close together.
    // Deleting a shape through a THShape pointer destroys it as its own class.
    static void* operator new(std::size_t size);
    static void operator delete(THShape* shape, std::destroying_delete_t);
    static void operator delete(void* p, std::size_t size) noexcept;  // a constructor that threw

    // The operations of every kind. They are not virtual: each goes by Kind()
    // to the shape's class, which defines it or takes it from THTwoCorner or
    // THAnchored, so a shape carries no vtable pointer (8 bytes a shape).
    // True when (x, y) hits the shape within the world tolerance.
    bool HitTest(double x, double y, double tolerance) const;
    // Brings stored bounds in step with the geometry (only a polyline stores them).
    void UpdateBounds();
    // The transforms end with UpdateBounds. One that would produce a coordinate
    // that is not finite leaves the shape unchanged.
    void Translate(double dx, double dy);
    void Scale(double sx, double sy, double cx, double cy);
    void Rotate(double degrees, double cx, double cy);

    bool IsOnCanvas() const { return slot_ != kDetached; }

protected:
    THShape(ShapeKind kind, int typeCode);

private:
    void requireDetached(const char* what) const;
    template <class T>
    T extraOr(T ShapeExtra::*field, T fallback) const;
    template <class T>
    void storeExtra(T ShapeExtra::*field, const T& value);
};

// Downcast by kind: null when the shape is of another class.
template <class T>
T* shape_cast(THShape* s)
{
    return (s && s->Kind() == T::kKind) ? static_cast<T*>(s) : nullptr;
}
template <class T>
const T* shape_cast(const THShape* s)
{
    return (s && s->Kind() == T::kKind) ? static_cast<const T*>(s) : nullptr;
}
