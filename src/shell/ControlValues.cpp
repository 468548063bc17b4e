#include "ControlValues.h"

#include "shell/ColourPicker.h"
#include "shell/EditableList.h"

#include <QCheckBox>
#include <QLineEdit>

namespace skerra {

SettingValue controlValue(const QWidget* control)
{
    if (const auto* picker = qobject_cast<const ColourPicker*>(control)) return picker->colour();
    if (const auto* list = qobject_cast<const QComboBox*>(control)) return list->currentText();
    if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) return box->isChecked();
    return QString();
}

void setControlValue(QWidget* control, const SettingValue& value)
{
    if (auto* picker = qobject_cast<ColourPicker*>(control)) {
        if (const TColor* c = std::get_if<TColor>(&value)) picker->setColour(*c);
    } else if (auto* list = qobject_cast<QComboBox*>(control)) {
        if (const QString* t = std::get_if<QString>(&value)) setListText(list, *t);
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        if (const QString* t = std::get_if<QString>(&value)) edit->setText(*t);
    } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
        if (const bool* b = std::get_if<bool>(&value)) box->setChecked(*b);
    }
}

}  // namespace skerra
