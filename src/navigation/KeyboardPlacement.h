#pragma once
// Where the on-screen keyboards sit on the main window's client area: the numeric
// keypad 10 pixels from the right and bottom edges, the text keyboard centred
// horizontally (the halving truncated) and 10 pixels above the bottom edge.

#include <QPoint>
#include <QSize>

QPoint NumericKeypadPosition(const QSize& client, const QSize& keypad);
QPoint SimpleKeyboardPosition(const QSize& client, const QSize& keyboard);
