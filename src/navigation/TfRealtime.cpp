#include "TfRealtime.h"

TfRealtime* fRealtime = nullptr;

TfRealtime::TfRealtime(QWidget* parent) : FormOf(fRealtime, QStringLiteral("fRealtime"), QStringLiteral("Realtime Data"), parent) {}
