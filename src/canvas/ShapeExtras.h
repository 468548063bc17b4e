#pragma once
// The attributes of a shape that are only stored and read back (notes, free
// text, z order, brush back colour and mode). Few shapes have any of them, so
// they live in a table beside the shapes, found by the shape's address, and a
// shape carries only a flag saying it has an entry. Shapes never move, so the
// address names a shape for its whole life. The table is shared by every
// thread and locked for each call; the entry handed out stays valid until the
// shape's entry is erased, and is read and written only by whoever owns the shape.

#include "platform/Colour.h"

#include <QString>

#include <cstdint>

class THShape;

struct ShapeExtra {
    QString notes;
    QString text;
    std::int32_t zOrder = 0;
    int brushMode = 0;
    TColor brushBg = 0xFFFFFF;
};

namespace ShapeExtras {
// The shape's entry, made with the defaults when it has none.
ShapeExtra& obtain(const THShape* shape);
// The shape's entry, or null.
const ShapeExtra* find(const THShape* shape);
void erase(const THShape* shape);
}  // namespace ShapeExtras
