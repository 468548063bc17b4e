#include "StatusPanelLabel.h"

#include <QPainter>
#include <QStyle>

namespace {

// The narrowest a panel gets: room for an ellipsis.
constexpr int NarrowestText = 12;

}  // namespace

StatusPanelLabel::StatusPanelLabel(QWidget* parent) : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void StatusPanelLabel::ShowText(const QString& text, int padding)
{
    ShowText(text, padding, fontMetrics().horizontalAdvance(text) + padding);
}

void StatusPanelLabel::ShowText(const QString& text, int padding, int wantedWidth)
{
    padding_ = padding;
    wantedWidth_ = wantedWidth;
    setText(text);
    if (keepWhole_)
        setFixedWidth(wantedWidth);
    else
        updateGeometry();
    UpdateToolTip();
}

QSize StatusPanelLabel::sizeHint() const
{
    const QSize hint = QLabel::sizeHint();
    return wantedWidth_ > 0 ? QSize(wantedWidth_, hint.height()) : hint;
}

QSize StatusPanelLabel::minimumSizeHint() const
{
    const QSize hint = QLabel::minimumSizeHint();
    return {std::min(hint.width(), NarrowestText + padding_), hint.height()};
}

bool StatusPanelLabel::Elided() const
{
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width() - 2 * margin();
}

void StatusPanelLabel::paintEvent(QPaintEvent* event)
{
    if (!Elided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().marginsRemoved(QMargins(margin(), margin(), margin(), margin()));
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room, QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                          isEnabled(), shown, foregroundRole());
}

void StatusPanelLabel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    UpdateToolTip();
}

void StatusPanelLabel::UpdateToolTip() { setToolTip(Elided() ? text() : QString()); }
