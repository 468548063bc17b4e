#include "MemoLines.h"

#include "ListText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace skerra::svp {

std::vector<std::string> memoLines(const QPlainTextEdit* memo) { return listLines(memo->toPlainText()); }

void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines)
{
    // Straight into the document: one edit (one textChanged), without the control's
    // extra pass that sets the character format of the whole text again.
    memo->document()->setPlainText(listText(lines));
    memo->moveCursor(QTextCursor::Start);  // shown from the top, as after setPlainText
}

QPlainTextEdit* makeMemo(const char* name)
{
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QString::fromLatin1(name));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    return memo;
}

}  // namespace skerra::svp
