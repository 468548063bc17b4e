#pragma once
// The "Sound Velocity" window.

#include "platform/Form.h"

class TfSVP : public skerra::FormOf<TfSVP> {
    Q_OBJECT
public:
    explicit TfSVP(QWidget* parent = nullptr);
};

extern TfSVP* fSVP;
