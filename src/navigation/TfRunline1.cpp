#include "TfRunline1.h"

TfRunline1* fRunline1 = nullptr;

TfRunline1::TfRunline1(QWidget* parent) : FormOf(fRunline1, QStringLiteral("fRunline1"), QStringLiteral("Runline Generator"), parent) {}
