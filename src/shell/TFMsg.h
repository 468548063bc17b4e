#pragma once
// The "Message Window" window.

#include "platform/Form.h"

class TFMsg : public skerra::FormOf<TFMsg> {
    Q_OBJECT
public:
    explicit TFMsg(QWidget* parent = nullptr);
};

extern TFMsg* FMsg;
