#pragma once
// The "Settings" window.

#include "platform/Form.h"

class TFGPS : public skerra::FormOf<TFGPS> {
    Q_OBJECT
public:
    explicit TFGPS(QWidget* parent = nullptr);

private:
    void FormCreate();
};

extern TFGPS* FGPS;
