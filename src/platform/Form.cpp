#include "Form.h"

namespace skerra {

Form::Form(const QString& componentName, const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(componentName);
    setWindowTitle(caption);
}

Form::~Form()
{
    if (global_ && *global_ == this) *global_ = nullptr;
}

}  // namespace skerra
