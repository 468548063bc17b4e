#pragma once
// A settings control's value as the settings table stores it: a drop-down list's or
// an edit's text, a check box's state, a colour picker's colour. Setting a value by
// code behaves as the settings windows expect: a check box or an edit whose value
// changes runs its change handler; a drop-down list or a colour picker runs none.

#include "shell/SettingsTable.h"

class QWidget;

namespace skerra {

SettingValue controlValue(const QWidget* control);
void setControlValue(QWidget* control, const SettingValue& value);

}  // namespace skerra
