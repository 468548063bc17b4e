#include "ListMemo.h"

#include "LinesView.h"
#include "ListText.h"
#include "MemoLines.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace skerra::svp {

ListMemo::ListMemo(const char* name, QWidget* parent)
    : QWidget(parent), view_(new LinesView), editor_(makeMemo("")), stack_(new QStackedLayout(this))
{
    setObjectName(QString::fromLatin1(name));
    stack_->setContentsMargins(0, 0, 0, 0);
    stack_->addWidget(view_);
    stack_->addWidget(editor_);
    view_->setLines(&lines_);
    connect(view_, &LinesView::editRequested, this, [this](int line) { openEditor(line); });
    connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
        if (!filling_) editedByHand_ = true;
    });
}

const std::vector<std::string>& ListMemo::lines() const
{
    if (editedByHand_) {
        lines_ = memoLines(editor_);
        editedByHand_ = false;
    }
    return lines_;
}

void ListMemo::setLines(std::vector<std::string> lines)
{
    lines_ = std::move(lines);
    editedByHand_ = false;
    if (editorFilled_) fillEditor({});
    view_->setLines(&lines_);
    if (editing()) stack_->setCurrentWidget(view_);
}

void ListMemo::clear() { setLines({}); }

void ListMemo::setPlainText(const QString& text) { setLines(listLines(text)); }

QString ListMemo::toPlainText() const { return editing() ? editor_->toPlainText() : listText(lines_); }

bool ListMemo::editing() const { return stack_->currentWidget() == editor_; }

QPlainTextEdit* ListMemo::editor()
{
    if (!editing()) openEditor(view_->firstLine());
    return editor_;
}

void ListMemo::fillEditor(const std::vector<std::string>& lines)
{
    filling_ = true;
    try {
        setMemoLines(editor_, lines);
    } catch (...) {
        filling_ = false;
        editedByHand_ = true;  // the text control may hold part of the lines: trust what it holds
        editorFilled_ = true;
        throw;
    }
    filling_ = false;
    editorFilled_ = !lines.empty();
}

void ListMemo::openEditor(int line)
{
    if (!editing()) {
        const int first = view_->firstLine();
        fillEditor(lines());
        stack_->setCurrentWidget(editor_);
        editor_->verticalScrollBar()->setValue(first);
    }
    const QTextBlock block = editor_->document()->findBlockByNumber(std::max(0, line));
    if (block.isValid()) {
        QTextCursor at(block);
        editor_->setTextCursor(at);
    } else {
        editor_->moveCursor(QTextCursor::End);
    }
    editor_->setFocus(Qt::MouseFocusReason);
}

}  // namespace skerra::svp
