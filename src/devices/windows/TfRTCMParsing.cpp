#include "TfRTCMParsing.h"

TfRTCMParsing* fRTCMParsing = nullptr;

TfRTCMParsing::TfRTCMParsing(QWidget* parent) : FormOf(fRTCMParsing, QStringLiteral("fRTCMParsing"), QStringLiteral("RTCM Message Parser"), parent) {}
