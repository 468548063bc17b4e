#include "TNavset.h"

TNavset* Navset = nullptr;

TNavset::TNavset(QWidget* parent) : FormOf(Navset, QStringLiteral("Navset"), QStringLiteral("Navigation Settings"), parent)
{
    show();  // this tool window appears as soon as it is created
}
