#pragma once
// The "Runline Generator" window.

#include "platform/Form.h"

class TfRunline1 : public skerra::FormOf<TfRunline1> {
    Q_OBJECT
public:
    explicit TfRunline1(QWidget* parent = nullptr);
};

extern TfRunline1* fRunline1;
