#include "Form.h"

#include "ScreenPlacement.h"

#include <QShowEvent>

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

void Form::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    if (!placed_) {
        placed_ = true;
        placeByDefault(this, defaultPlace_, opener_);
    } else {
        keepFrameOnScreen(this);
    }
}

}  // namespace skerra
