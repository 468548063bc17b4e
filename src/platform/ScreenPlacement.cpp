#include "ScreenPlacement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace skerra {
namespace {

// Per window: its frame margins once the window manager has told them, and the place
// its frame was put at before they were known.
constexpr const char* OwnMarginsProperty = "skerraFrameMargins";
constexpr const char* FrameTargetProperty = "skerraFrameTarget";

AnchorSource& anchorSource()
{
    static AnchorSource source;
    return source;
}

// The margins of the last window the window manager framed: the best guess for the next.
QMargins& lastKnownMargins()
{
    static QMargins margins;
    return margins;
}

QMargins& simulatedMargins()
{
    static QMargins margins;
    return margins;
}

bool isDecorated(const QWidget* window) { return !(window->windowFlags() & Qt::FramelessWindowHint); }

bool staysOnTop(const QWidget* window) { return window->windowFlags() & Qt::WindowStaysOnTopHint; }

// The margins the window system reports for a shown window (none before it is framed).
QMargins reportedMargins(const QWidget* window)
{
    if (!window->isVisible() || !window->testAttribute(Qt::WA_WState_Created)) return {};
    if (!simulatedMargins().isNull()) return isDecorated(window) ? simulatedMargins() : QMargins();
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

QMargins frameMarginsOf(const QWidget* window)
{
    const bool decorated = isDecorated(window);
    QMargins reported = reportedMargins(window);
    if (decorated && !reported.isNull()) {
        lastKnownMargins() = reported;
        const_cast<QWidget*>(window)->setProperty(OwnMarginsProperty, QVariant::fromValue(reported));
    } else if (decorated) {
        reported = window->property(OwnMarginsProperty).value<QMargins>();
    }
    return expectedFrameMargins(reported, decorated, lastKnownMargins());
}

QPoint clientOffset(QMargins margins) { return {margins.left(), margins.top()}; }

bool isCentred(DefaultPlace place)
{
    return place == DefaultPlace::CentredOnMain || place == DefaultPlace::CentredOnOpener;
}

// The frames of the program's other shown windows that stay on top.
std::vector<QRect> onTopFramesBesides(const QWidget* window)
{
    std::vector<QRect> frames;
    for (const QWidget* other : QApplication::topLevelWidgets())
        if (other != window && other->isVisible() && other->isWindow() && staysOnTop(other)
            && !(other->windowType() == Qt::Popup || other->windowType() == Qt::ToolTip))
            frames.push_back(expectedFrame(other));
    return frames;
}

}  // namespace

void setPlacementAnchorSource(AnchorSource source) { anchorSource() = std::move(source); }

void simulateFrameMargins(QMargins margins) { simulatedMargins() = margins; }

QRect availableAreaFor(const QWidget* window)
{
    const QScreen* screen = window ? window->screen() : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect expectedFrame(const QWidget* window)
{
    // The client's geometry is what the window system keeps exactly; the frame is
    // measured around it.
    const QRect client = window->geometry();
    const QMargins margins = frameMarginsOf(window);
    return QRect(client.topLeft() - clientOffset(margins), client.size().grownBy(margins));
}

void moveFrameTo(QWidget* window, QPoint position)
{
    const QMargins margins = frameMarginsOf(window);
    const QPoint client = position + clientOffset(margins);
    // Made now, so that the position below is the client's (a window not yet made
    // would take it for its frame's).
    window->winId();
    const bool pending = window->property(FrameTargetProperty).isValid();
    if (window->geometry().topLeft() == client && !pending) return;
    if (window->geometry().topLeft() != client) window->move(client - (window->geometry().topLeft() - window->pos()));
    // Before the window manager frames the window its frame is a guess: settleFrame
    // puts the real one there.
    const bool framed = !isDecorated(window) || !reportedMargins(window).isNull();
    window->setProperty(FrameTargetProperty, framed ? QVariant() : QVariant(position));
}

void settleFrame(QWidget* window)
{
    const QVariant target = window->property(FrameTargetProperty);
    if (!target.isValid() || !window->isVisible() || reportedMargins(window).isNull()) return;
    window->setProperty(FrameTargetProperty, QVariant());
    if (window->isMaximized() || window->isFullScreen()) return;
    const QRect frame(target.toPoint(), expectedFrame(window).size());
    moveFrameTo(window, keepInside(frame, availableAreaFor(window)).topLeft());
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
    // A window the program has not placed is placed by the window manager, on the screen.
    const bool placedByWindowManager = !window->testAttribute(Qt::WA_Moved) && reportedMargins(window).isNull();
    if (!placedByWindowManager) moveFrameTo(window, keepInside(frame, area).topLeft());
}

void placeByDefault(QWidget* window, DefaultPlace place, const QWidget* opener)
{
    PlacementAnchors anchors;
    if (anchorSource()) anchors = anchorSource()();
    anchors.available = availableAreaFor(window);
    if (opener && opener->isVisible()) anchors.opener = expectedFrame(opener);
    const QRect frame = expectedFrame(window);
    QPoint position = defaultFramePosition(place, frame.size(), frame.topLeft(), anchors);
    if (staysOnTop(window) && !isCentred(place)) {
        const QRect room = chartRoom(frame.size(), anchors);
        position = freeFramePosition(frame.size(), position, room, onTopFramesBesides(window));
    }
    moveFrameTo(window, position);
    keepFrameOnScreen(window);
}

}  // namespace skerra
