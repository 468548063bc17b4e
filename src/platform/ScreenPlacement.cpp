#include "ScreenPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace skerra {
namespace {

AnchorSource& anchorSource()
{
    static AnchorSource source;
    return source;
}

}  // namespace

void setPlacementAnchorSource(AnchorSource source) { anchorSource() = std::move(source); }

QRect availableAreaFor(const QWidget* window)
{
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect expectedFrame(const QWidget* window)
{
    const QRect client = window->geometry();
    const QRect frame = window->frameGeometry();
    const QMargins reported(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                            frame.bottom() - client.bottom());
    const bool decorated = !(window->windowFlags() & Qt::FramelessWindowHint);
    const QMargins margins = expectedFrameMargins(reported, decorated);
    return QRect(window->pos(), client.size().grownBy(margins));
}

void moveFrameTo(QWidget* window, QPoint position)
{
    if (window->pos() != position) window->move(position);
}

void keepFrameOnScreen(QWidget* window)
{
    if (window->isMaximized() || window->isFullScreen()) return;
    const QRect area = availableAreaFor(window);
    QRect frame = expectedFrame(window);
    if (!area.isEmpty() && (frame.width() > area.width() || frame.height() > area.height())) {
        // A window larger than the screen shrinks as far as it can.
        const QSize decoration = frame.size() - window->size();
        window->resize(window->size().boundedTo(area.size() - decoration).expandedTo(window->minimumSize()));
        frame = expectedFrame(window);
    }
    moveFrameTo(window, keepInside(frame, area).topLeft());
}

void placeByDefault(QWidget* window, DefaultPlace place, const QWidget* opener)
{
    PlacementAnchors anchors;
    if (anchorSource()) anchors = anchorSource()();
    anchors.available = availableAreaFor(window);
    if (opener && opener->isVisible()) anchors.opener = expectedFrame(opener);
    const QRect frame = expectedFrame(window);
    moveFrameTo(window, defaultFramePosition(place, frame.size(), frame.topLeft(), anchors));
    keepFrameOnScreen(window);
}

}  // namespace skerra
