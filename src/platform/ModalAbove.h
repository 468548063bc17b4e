#pragma once
// Shows a window modally above the window that opened it, as a dialog should be: no
// other window takes input until it hides, it is transient for its opener (so the
// window manager keeps it above), it stays on top of every window of the program
// while shown, and it is centred on the opener. Once hidden it is an ordinary window again.

class QWidget;

namespace skerra {

void showModalAbove(QWidget* window, QWidget* opener);

}  // namespace skerra
