#include "TfLatency.h"

TfLatency* fLatency = nullptr;

TfLatency::TfLatency(QWidget* parent) : FormOf(fLatency, QStringLiteral("fLatency"), QStringLiteral("Latency"), parent) {}
