#pragma once
// The "Battery" window.

#include "platform/Form.h"

class TfJoystick : public skerra::FormOf<TfJoystick> {
    Q_OBJECT
public:
    explicit TfJoystick(QWidget* parent = nullptr);
};

extern TfJoystick* fJoystick;
