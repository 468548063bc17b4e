#include "TfSVP.h"

TfSVP* fSVP = nullptr;

TfSVP::TfSVP(QWidget* parent) : FormOf(fSVP, QStringLiteral("fSVP"), QStringLiteral("Sound Velocity"), parent) {}
