#pragma once
// Putting the language in force onto controls. Each caption a control shows is
// translated from its key. A control remembers the key and the text it was last given,
// so a caption whose translation happens to equal another English key keeps its own
// key; the key is found again from the caption only when code has changed it since
// (an English key when the caption is one, else the key it translates).
//
// Translated: labels, push, tool, check and radio buttons, group boxes, tab pages
// and menu items; their child controls are walked. Not translated: edits, lists,
// grids, hints, status-bar panels and tool-bar commands; texts without a letter
// (numbers, separators, empty texts).

#include <QString>

class QAction;
class QObject;
class QWidget;

// The window's caption, then every control and menu item the window holds.
void TranslateForm(QWidget* window);
// The controls and menu items of a window, its caption left as it is.
void TranslateFormControls(QWidget* window);
// One control or menu item (by the rules above), then its child controls.
void TranslateComponent(QObject* component);
// A menu item's caption, then its sub-items, depth first.
void TranslateMenuItem(QAction* item);

// Gives a control (a button, label, tool-bar command or window) the translation of a
// fixed key as its caption, whatever it showed before.
void SetCaptionFromKey(QObject* control, const QString& key);
