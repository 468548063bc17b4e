#pragma once
// The "Realtime Data" window.

#include "platform/Form.h"

class TfRealtime : public skerra::FormOf<TfRealtime> {
    Q_OBJECT
public:
    explicit TfRealtime(QWidget* parent = nullptr);
};

extern TfRealtime* fRealtime;
