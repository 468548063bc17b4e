#include "Form.h"

#include "ScreenPlacement.h"

#include "HandlerGuard.h"

#include <QShowEvent>
#include <QTimer>
#include <QWindow>

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
    wasShown_ = true;
    if (windowHandle() && watched_ != windowHandle()) {
        watched_ = windowHandle();
        watched_->installEventFilter(this);
    }
    if (!placed_) {
        placed_ = true;
        if (designedPlace_ && defaultPlace_ == DefaultPlace::AsDesigned) moveFrameTo(this, *designedPlace_);
        placeByDefault(this, defaultPlace_, opener_);
    } else {
        keepFrameOnScreen(this);
    }
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    // The window manager frames a window before it is first exposed; its frame is
    // known once the events that came with it are handled.
    if (watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed())
        QTimer::singleShot(0, this, [this] { guarded(this, [this] { Settle(); }); });
    return QWidget::eventFilter(watched, event);
}

void Form::Settle()
{
    if (!isVisible()) return;
    settleFrame(this);
    if (framedOnce_) return;
    framedOnce_ = true;
    FramedOnScreen();
}

}  // namespace skerra
