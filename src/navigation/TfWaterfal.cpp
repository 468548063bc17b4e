#include "TfWaterfal.h"

TfWaterfal* fWaterfal = nullptr;

TfWaterfal::TfWaterfal(QWidget* parent) : FormOf(fWaterfal, QStringLiteral("fWaterfal"), QStringLiteral("Echogram"), parent) {}
