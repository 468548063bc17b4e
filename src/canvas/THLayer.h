#pragma once
// A layer record: its name, visibility and the pen and brush that new shapes
// on it take. The canvas owns the records; layer ids count from 0 in creation
// order ("Default" is 0) and are never reused while the chart lives.

#include "canvas/BrushStyle.h"
#include "platform/Colour.h"

#include <QString>

struct THLayer {
    int id = 0;
    QString name;
    bool visible = true;
    bool locked = false;      // set by the DXF import; the canvas does not read it
    int action = 0;           // a number the owner attaches; the canvas only keeps it
    TColor penColor = 0;      // given to new shapes on the layer
    int penWidth = 1;
    int penStyle = psSolid;
    TColor brushColor = 0xFFFFFF;
    TColor brushBackColor = 0xFFFFFF;  // kept and returned only
    TBrushStyle brushStyle = bsClear;
    int brushMode = 0;                 // kept and returned only
};
