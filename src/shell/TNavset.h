#pragma once
// The "Navigation Settings" window.

#include "platform/Form.h"

class TNavset : public skerra::FormOf<TNavset> {
    Q_OBJECT
public:
    explicit TNavset(QWidget* parent = nullptr);
};

extern TNavset* Navset;
