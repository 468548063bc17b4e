#include "AboveToolWindows.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace skerra {
namespace {

// Takes the added stay-on-top flag off again once the window hides.
class OnTopEnd : public QObject {
public:
    explicit OnTopEnd(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide) {
            window_->removeEventFilter(this);
            // Window flags are not changed while the window system is still hiding it.
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
};

}  // namespace

void stayOnTopWhileShown(QWidget* window)
{
    if (window->windowFlags() & Qt::WindowStaysOnTopHint) return;
    if (window->isVisible()) window->hide();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->installEventFilter(new OnTopEnd(window));
}

void showAboveToolWindows(QWidget* window)
{
    if (!window->isVisible()) stayOnTopWhileShown(window);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace skerra
