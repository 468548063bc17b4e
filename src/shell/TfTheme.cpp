#include "TfTheme.h"

TfTheme* fTheme = nullptr;

TfTheme::TfTheme(QWidget* parent) : FormOf(fTheme, QStringLiteral("fTheme"), QStringLiteral("Theme Selection"), parent) {}
