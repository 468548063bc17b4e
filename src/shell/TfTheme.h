#pragma once
// The "Theme Selection" window.

#include "platform/Form.h"

class TfTheme : public skerra::FormOf<TfTheme> {
    Q_OBJECT
public:
    explicit TfTheme(QWidget* parent = nullptr);
};

extern TfTheme* fTheme;
