#include "ModalAbove.h"

#include "AboveToolWindows.h"
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
    explicit ModalEnd(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide) {
            window_->removeEventFilter(this);
            window_->setWindowModality(Qt::NonModal);
            if (QWindow* handle = window_->windowHandle()) handle->setTransientParent(nullptr);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
};

}  // namespace

void showModalAbove(QWidget* window, QWidget* opener)
{
    if (window->isVisible()) window->hide();
    // Above every window of the program, those that stay on top included.
    stayOnTopWhileShown(window);
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
    window->installEventFilter(new ModalEnd(window));
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace skerra
