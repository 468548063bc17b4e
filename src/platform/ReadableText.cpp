#include "ReadableText.h"

#include "Contrast.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace skerra {
namespace {

// Keeps one control's text readable: its wishes, applied now and at every change of style.
class ReadableTextKeeper : public QObject {
public:
    explicit ReadableTextKeeper(QWidget* widget) : QObject(widget), widget_(widget)
    {
        widget->installEventFilter(this);
    }

    void set(const QColor& preferred, QPalette::ColorRole background, const QColor& fixedBackground)
    {
        preferred_ = preferred;
        background_ = background;
        fixedBackground_ = fixedBackground;
        apply();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == widget_ && event->type() == QEvent::PaletteChange && !applying_) apply();
        return false;
    }

private:
    void apply()
    {
        applying_ = true;
        // The background is set too: a fixed one given earlier must not stay behind.
        QPalette palette = widget_->palette();
        const QColor background = backgroundColour();
        palette.setColor(background_, background);
        palette.setColor(textRoleOn(background_), readableTextOn(background, preferred_));
        widget_->setPalette(palette);
        applying_ = false;
    }

    // What the text stands on: the control's own background, the window colour of what
    // it lies on (a label paints no background of its own), or the style's.
    QColor backgroundColour() const
    {
        if (fixedBackground_.isValid()) return fixedBackground_;
        if (background_ == QPalette::Window && widget_->parentWidget())
            return widget_->parentWidget()->palette().color(QPalette::Window);
        return QApplication::palette(widget_).color(background_);
    }

    QWidget* widget_;
    QColor preferred_, fixedBackground_;
    QPalette::ColorRole background_ = QPalette::Window;
    bool applying_ = false;
};

}  // namespace

void showTextReadably(QWidget* widget, const QColor& preferred, QPalette::ColorRole background,
                      const QColor& fixedBackground)
{
    auto* keeper = widget->findChild<ReadableTextKeeper*>(QString(), Qt::FindDirectChildrenOnly);
    if (!keeper) keeper = new ReadableTextKeeper(widget);
    keeper->set(preferred, background, fixedBackground);
}

}  // namespace skerra
