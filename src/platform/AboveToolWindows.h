#pragma once
// Windows the user opens lie above the program's tool windows that stay on top, so
// that none of them covers the window just asked for.

class QWidget;

namespace skerra {

// Makes a window that does not stay on top do so until it is next hidden; from then
// on it is an ordinary window again. Call before showing it.
void stayOnTopWhileShown(QWidget* window);

// Shows the window (staying on top while shown), raises it above the other windows
// and activates it.
void showAboveToolWindows(QWidget* window);

}  // namespace skerra
