#pragma once
// The "About Skerra" window.

#include "platform/Form.h"

class TformAbout : public skerra::FormOf<TformAbout> {
    Q_OBJECT
public:
    explicit TformAbout(QWidget* parent = nullptr);
};

extern TformAbout* formAbout;
