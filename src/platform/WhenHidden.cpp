#include "WhenHidden.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include <utility>

namespace skerra {
namespace {

class HideWatch : public QObject {
public:
    HideWatch(QWidget* window, std::function<void(QWidget*)> undo)
        : QObject(window), window_(window), undo_(std::move(undo))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == window_ && event->type() == QEvent::Hide) {
            window_->removeEventFilter(this);
            undo_(window_);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> window_;
    std::function<void(QWidget*)> undo_;
};

}  // namespace

void whenHidden(QWidget* window, std::function<void(QWidget*)> undo)
{
    window->installEventFilter(new HideWatch(window, std::move(undo)));
}

}  // namespace skerra
