#include "EditableList.h"

#include "platform/HandlerGuard.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace skerra {

void setupEditableList(QComboBox* list, const QStringList& items, const QString& text)
{
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setMaxVisibleItems(16);
    list->addItems(items);
    setListText(list, text);
}

int listPosition(const QComboBox* list)
{
    return list->findText(list->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void setListText(QComboBox* list, const QString& text)
{
    const QSignalBlocker blockList(list);
    const QSignalBlocker blockEdit(list->lineEdit());
    const int position = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (position >= 0) list->setCurrentIndex(position);  // the popup opens at the shown item
    list->setEditText(text);
}

void replaceListItems(QComboBox* list, const QStringList& items)
{
    const QString text = list->currentText();
    {
        const QSignalBlocker blockList(list);
        const QSignalBlocker blockEdit(list->lineEdit());
        list->clear();
        list->addItems(items);
    }
    setListText(list, text);
}

void onListUserChange(QComboBox* list, QObject* context, std::function<void()> handler)
{
    auto run = [context, handler] { guarded(context, handler); };
    QObject::connect(list, &QComboBox::textActivated, context, run);
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, context, run);
}

}  // namespace skerra
