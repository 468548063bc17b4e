#include "TFShape.h"

TFShape* FShape = nullptr;

TFShape::TFShape(QWidget* parent) : FormOf(FShape, QStringLiteral("FShape"), QStringLiteral("Vessel Geometry"), parent) {}
