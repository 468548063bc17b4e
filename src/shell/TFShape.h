#pragma once
// The "Vessel Geometry" window.

#include "platform/Form.h"

class TFShape : public skerra::FormOf<TFShape> {
    Q_OBJECT
public:
    explicit TFShape(QWidget* parent = nullptr);
};

extern TFShape* FShape;
