#pragma once
// A window designed on a light background of its own (white) keeps it, with black
// text, under the light styles; under a dark style it takes the style's colours, so
// that no window lights up at night. Applied now and after every change of style.

#include <QColor>

class QWidget;

namespace skerra {

void showDesignBackground(QWidget* window, const QColor& design);

}  // namespace skerra
