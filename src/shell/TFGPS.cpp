#include "TFGPS.h"

TFGPS* FGPS = nullptr;

TFGPS::TFGPS(QWidget* parent) : FormOf(FGPS, QStringLiteral("FGPS"), QStringLiteral("Settings"), parent) {}
