#pragma once
// The "RTCM Message Parser" window.

#include "platform/Form.h"

class TfRTCMParsing : public skerra::FormOf<TfRTCMParsing> {
    Q_OBJECT
public:
    explicit TfRTCMParsing(QWidget* parent = nullptr);
};

extern TfRTCMParsing* fRTCMParsing;
