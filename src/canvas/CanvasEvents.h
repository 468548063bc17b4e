#pragma once
// The chart canvas's published events. Each is called only when assigned.
// Button codes: 1 left, 2 right, 4 middle. Shift bits: 1 Shift, 2 Ctrl, 4 Alt.
// X and Y are world coordinates.

#include <functional>

class QObject;

using THShapeSelectedEvent = std::function<void(QObject* Sender, short ShapeType, long ShapeNumber)>;
using THWorldMouseMoveEvent =
    std::function<void(QObject* Sender, short Shift, double X, double Y, double Magnitude, double Angle)>;
using THWorldMouseDownEvent =
    std::function<void(QObject* Sender, short Button, short Shift, short Action, double X, double Y)>;
using THDrawBeginEvent = std::function<void(QObject* Sender, short ShapeType, double X, double Y)>;
