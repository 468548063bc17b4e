#include "TOffsets.h"

TOffsets* Offsets = nullptr;

TOffsets::TOffsets(QWidget* parent) : FormOf(Offsets, QStringLiteral("Offsets"), QStringLiteral("Offsets Essential for Post Processing / Recovery"), parent) {}
