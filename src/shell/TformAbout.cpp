#include "TformAbout.h"

TformAbout* formAbout = nullptr;

TformAbout::TformAbout(QWidget* parent) : FormOf(formAbout, QStringLiteral("formAbout"), QStringLiteral("About Skerra"), parent) {}
