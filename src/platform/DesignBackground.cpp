#include "DesignBackground.h"

#include "Contrast.h"
#include "StyleRegistry.h"

#include <QEvent>
#include <QPalette>
#include <QWidget>

namespace skerra {
namespace {

class DesignBackgroundKeeper : public QObject {
public:
    DesignBackgroundKeeper(QWidget* window, const QColor& design) : QObject(window), window_(window), design_(design)
    {
        window->installEventFilter(this);
        apply();
    }

protected:
    // A window with colours of its own hears of a new style only as a change of the
    // program's palette; the others hear of it as a change of their own.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool restyled =
            event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange;
        if (watched == window_ && restyled && !applying_) apply();
        return false;
    }

private:
    void apply()
    {
        applying_ = true;
        if (activeStyleIsDark()) {
            window_->setPalette(QPalette());  // the style's own colours
        } else {
            QPalette palette = window_->palette();
            setReadableBackground(palette, QPalette::Window, design_);
            window_->setPalette(palette);
        }
        applying_ = false;
    }

    QWidget* window_;
    QColor design_;
    bool applying_ = false;
};

}  // namespace

void showDesignBackground(QWidget* window, const QColor& design)
{
    window->setAutoFillBackground(true);
    new DesignBackgroundKeeper(window, design);
}

}  // namespace skerra
