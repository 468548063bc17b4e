#include "ModalAbove.h"

#include "Form.h"
#include "ScreenPlacement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace skerra {
namespace {

// Undoes the modal show once the window hides.
class ModalEnd : public QObject {
public:
    ModalEnd(QWidget* window, bool addedOnTop) : QObject(window), window_(window), addedOnTop_(addedOnTop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide) {
            window_->removeEventFilter(this);
            window_->setWindowModality(Qt::NonModal);
            if (QWindow* handle = window_->windowHandle()) handle->setTransientParent(nullptr);
            // Window flags are not changed while the window system is still hiding it.
            if (addedOnTop_)
                QMetaObject::invokeMethod(
                    window_,
                    [window = window_] {
                        if (window && !window->isVisible()) window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
                    },
                    Qt::QueuedConnection);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    bool addedOnTop_;
};

}  // namespace

void showModalAbove(QWidget* window, QWidget* opener)
{
    if (window->isVisible()) window->hide();
    const bool addOnTop = opener && (opener->windowFlags() & Qt::WindowStaysOnTopHint)
                          && !(window->windowFlags() & Qt::WindowStaysOnTopHint);
    if (addOnTop) window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->setWindowModality(Qt::ApplicationModal);
    if (auto* form = qobject_cast<Form*>(window)) {
        form->setOpener(opener);
        form->markPlaced();
    }
    if (opener) {
        opener->winId();
        window->winId();
        window->windowHandle()->setTransientParent(opener->window()->windowHandle());
    }
    placeByDefault(window, DefaultPlace::CentredOnOpener, opener);
    window->installEventFilter(new ModalEnd(window, addOnTop));
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace skerra
