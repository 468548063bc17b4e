#pragma once
// Drop-down lists as the settings windows use them: the user picks an item or types
// any text; the list's value is its text. Its position is the position of the item
// whose text equals the shown text exactly (letter case counts), -1 when none does.
// Typing never inserts an item and nothing completes the text, so what the user types
// is what the list holds. Setting the text by code runs no handler; the user's picks
// and keystrokes do.

#include <QString>
#include <QStringList>

#include <functional>

class QComboBox;
class QObject;

namespace skerra {

void setupEditableList(QComboBox* list, const QStringList& items, const QString& text);

int listPosition(const QComboBox* list);

// Shows `text` (an item or not) without running any handler.
void setListText(QComboBox* list, const QString& text);

// Replaces the items and keeps the shown text.
void replaceListItems(QComboBox* list, const QStringList& items);

// Runs `handler` (under the handler guard) after every change the user makes.
void onListUserChange(QComboBox* list, QObject* context, std::function<void()> handler);

}  // namespace skerra
