#pragma once
// A control whose text has a colour of its own (a status in red, a counter in green)
// keeps that colour only where it reads on the control's background, in the style in
// force now and after every change of style; else the colour is taken towards black
// or white until it reads.

#include <QColor>
#include <QPalette>

class QWidget;

namespace skerra {

// background: the role the text stands on (Window for labels, Button for buttons).
// fixedBackground: a background colour of the control's own; invalid: the style's.
void showTextReadably(QWidget* widget, const QColor& preferred, QPalette::ColorRole background = QPalette::Window,
                      const QColor& fixedBackground = QColor());

}  // namespace skerra
