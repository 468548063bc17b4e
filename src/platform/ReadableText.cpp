#include "ReadableText.h"

#include "Contrast.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace skerra {
namespace {

// The shades the style paints a button's face with where its caption lies (the middle
// of the face): at rest, under the pointer and pressed. Styles draw a face lighter or
// darker than the palette's Button colour, often as a gradient.
QList<QColor> drawnButtonFaces(const QWidget* button, const QPalette& palette)
{
    const QSize size = button->size().expandedTo(QSize(16, 16));
    QImage image(size, QImage::Format_RGB32);
    QList<QColor> faces;
    const auto* push = qobject_cast<const QPushButton*>(button);
    const QStyle::State states[] = {QStyle::State_Raised, QStyle::State_Raised | QStyle::State_MouseOver,
                                    QStyle::State_Sunken | QStyle::State_On};
    for (const QStyle::State state : states) {
        image.fill(palette.color(QPalette::Window));
        QStyleOptionButton option;
        option.initFrom(button);
        option.palette = palette;
        option.rect = image.rect();
        option.state = (option.state & ~(QStyle::State_MouseOver | QStyle::State_HasFocus)) | state;
        if (push && push->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
        QPainter painter(&image);
        button->style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &option, &painter, button);
        painter.end();
        const int x = image.width() / 2;
        for (int y = image.height() / 4; y <= image.height() * 3 / 4; ++y) {
            const QColor face = image.pixelColor(x, y);
            if (!faces.contains(face)) faces << face;
        }
    }
    return faces;
}

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
        QList<QColor> drawn{background};
        if (background_ == QPalette::Button) drawn << drawnButtonFaces(widget_, palette);
        palette.setColor(textRoleOn(background_), readableTextOnAll(drawn, preferred_));
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
