#pragma once
// Puts top-level windows where a surveyor can see them: wholly inside the available
// area of their screen, and at their default place until a placement is stored.
//
// Places are those of the window's frame, as the window manager draws it. Until the
// window manager has framed a window its frame is taken to be that of the windows it
// framed before; once framed, the window is moved again if its real frame differs
// (settleFrame), so that its frame lies where it was put.

#include "WindowFit.h"

#include <functional>

class QWidget;

namespace skerra {

// The main window tells where it and its chart are; until it does (and for windows
// without a main window) the default places are measured against the screen.
using AnchorSource = std::function<PlacementAnchors()>;
void setPlacementAnchorSource(AnchorSource source);

// The screen area the window's frame must stay inside.
QRect availableAreaFor(const QWidget* window);

// The window's frame as it is or, before the window system has framed it, as it will be.
QRect expectedFrame(const QWidget* window);

// Moves the window so that its frame's top-left corner is at position.
void moveFrameTo(QWidget* window, QPoint position);

// Once the window manager has framed the window: moves it so that its real frame's
// top-left corner is where moveFrameTo last put the expected one (and keeps the frame
// on the screen).
void settleFrame(QWidget* window);

// Moves the window so that its whole frame lies inside the available area; a window
// larger than the area is first made as small as the area (or its minimum size).
void keepFrameOnScreen(QWidget* window);

// Moves the window to its default place (opener: the window that opens it, if any),
// then keeps it on the screen. A window that stays on top goes where it covers no
// other shown window of the program that stays on top, where the chart has room.
void placeByDefault(QWidget* window, DefaultPlace place, const QWidget* opener = nullptr);

// For tests on a window system without a window manager: every shown decorated window
// is taken to have these frame margins (none: the window system's own again).
void simulateFrameMargins(QMargins margins);

}  // namespace skerra
