#pragma once
// How readable a text colour is on a background: the ratio of their relative
// luminances (sRGB), from 1 (the same) to 21 (black on white). Body text wants 4.5.

#include <QColor>
#include <QList>
#include <QPalette>

namespace skerra {

inline constexpr double ReadableContrast = 4.5;

double relativeLuminance(const QColor& colour);
double contrastRatio(const QColor& a, const QColor& b);

// The text colour to draw on a background: the preferred one when it reads there,
// else the preferred one taken towards black or white (whichever reads better) until
// it reads; without a preferred colour, black or white.
QColor readableTextOn(const QColor& background, const QColor& preferred = QColor());

// As above, for text that must read on each of several backgrounds: the shades a
// style paints one control's face with (a gradient, the pointer over it, pressed).
QColor readableTextOnAll(const QList<QColor>& backgrounds, const QColor& preferred = QColor());

// The role of the text drawn on a background role: WindowText on Window, Text on
// Base, ButtonText on Button.
QPalette::ColorRole textRoleOn(QPalette::ColorRole background);

// Gives the palette a background for the role (Window, Base or Button) and the text
// role drawn on it a colour that reads there.
void setReadableBackground(QPalette& palette, QPalette::ColorRole background, const QColor& colour,
                           const QColor& preferredText = QColor());

}  // namespace skerra
