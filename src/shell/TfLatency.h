#pragma once
// The "Latency" window.

#include "platform/Form.h"

class TfLatency : public skerra::FormOf<TfLatency> {
    Q_OBJECT
public:
    explicit TfLatency(QWidget* parent = nullptr);
};

extern TfLatency* fLatency;
