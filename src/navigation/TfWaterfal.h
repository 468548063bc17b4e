#pragma once
// The "Echogram" window.

#include "platform/Form.h"

class TfWaterfal : public skerra::FormOf<TfWaterfal> {
    Q_OBJECT
public:
    explicit TfWaterfal(QWidget* parent = nullptr);
};

extern TfWaterfal* fWaterfal;
