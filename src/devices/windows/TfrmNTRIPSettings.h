#pragma once
// The "Halvek NTRIP Client" window.

#include "platform/Form.h"

class TfrmNTRIPSettings : public skerra::FormOf<TfrmNTRIPSettings> {
    Q_OBJECT
public:
    explicit TfrmNTRIPSettings(QWidget* parent = nullptr);
};

extern TfrmNTRIPSettings* frmNTRIPSettings;
