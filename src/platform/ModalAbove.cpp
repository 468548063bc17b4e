#include "ModalAbove.h"

#include "AboveToolWindows.h"
#include "Form.h"
#include "ScreenPlacement.h"
#include "WhenHidden.h"

#include <QWidget>
#include <QWindow>

namespace skerra {

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
    whenHidden(window, [](QWidget* hidden) {
        hidden->setWindowModality(Qt::NonModal);
        if (QWindow* handle = hidden->windowHandle()) handle->setTransientParent(nullptr);
    });
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace skerra
