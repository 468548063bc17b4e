// The main window's on-screen keypad and keyboard.

#include "TFNav.h"

#include "KeyboardPlacement.h"
#include "shell/HalvekKeyboard.h"

namespace {

// The panel floats over the window: its place in the client area, on the screen.
void showPanel(QWidget* owner, THalvekKeyboardPanel* panel, QWidget* target, const QPoint& clientPosition)
{
    panel->SetTarget(target);
    panel->move(owner->mapToGlobal(clientPosition));
    panel->show();
    panel->raise();
}

}  // namespace

void TFNav::ShowNumericKeypad(QWidget* target)
{
    if (!NumericKeypad) NumericKeypad = new THalvekNumericKeypad(this);
    showPanel(this, NumericKeypad, target, NumericKeypadPosition(size(), NumericKeypad->size()));
}

void TFNav::ShowSimpleKeyboard(QWidget* target)
{
    if (!SimpleKeyboard) SimpleKeyboard = new THalvekSimpleKeyboard(this);
    showPanel(this, SimpleKeyboard, target, SimpleKeyboardPosition(size(), SimpleKeyboard->size()));
}

void TFNav::FreeNumericKeypad()
{
    delete NumericKeypad;
    NumericKeypad = nullptr;
}

void TFNav::FreeSimpleKeyboard()
{
    delete SimpleKeyboard;
    SimpleKeyboard = nullptr;
}
