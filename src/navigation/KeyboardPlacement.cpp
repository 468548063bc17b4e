#include "KeyboardPlacement.h"

namespace {
constexpr int kMargin = 10;
}

QPoint NumericKeypadPosition(const QSize& client, const QSize& keypad)
{
    return {client.width() - keypad.width() - kMargin, client.height() - keypad.height() - kMargin};
}

QPoint SimpleKeyboardPosition(const QSize& client, const QSize& keyboard)
{
    return {(client.width() - keyboard.width()) / 2, client.height() - keyboard.height() - kMargin};
}
