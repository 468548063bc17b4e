#include "TfJoystick.h"

TfJoystick* fJoystick = nullptr;

TfJoystick::TfJoystick(QWidget* parent) : FormOf(fJoystick, QStringLiteral("fJoystick"), QStringLiteral("Battery"), parent)
{
    show();  // this tool window appears as soon as it is created
}
