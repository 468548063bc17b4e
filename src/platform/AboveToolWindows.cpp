#include "AboveToolWindows.h"

#include "WhenHidden.h"

#include <QPointer>
#include <QWidget>

namespace skerra {

void stayOnTopWhileShown(QWidget* window)
{
    if (window->windowFlags() & Qt::WindowStaysOnTopHint) return;
    if (window->isVisible()) window->hide();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    whenHidden(window, [](QWidget* hidden) {
        // Window flags are not changed while the window system is still hiding it.
        QMetaObject::invokeMethod(
            hidden,
            [window = QPointer<QWidget>(hidden)] {
                if (window && !window->isVisible()) window->setWindowFlag(Qt::WindowStaysOnTopHint, false);
            },
            Qt::QueuedConnection);
    });
}

void showAboveToolWindows(QWidget* window)
{
    if (!window->isVisible()) stayOnTopWhileShown(window);
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace skerra
