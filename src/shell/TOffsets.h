#pragma once
// The "Offsets Essential for Post Processing / Recovery" window.

#include "platform/Form.h"

class TOffsets : public skerra::FormOf<TOffsets> {
    Q_OBJECT
public:
    explicit TOffsets(QWidget* parent = nullptr);
};

extern TOffsets* Offsets;
